// vimra-cli: the generator's commands without a window.
#include <cstdio>
#include <cstring>

#include "cli/vimra/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* usage;
};

const Command kCommands[] = {
    {"create", runCreateCommand, "create                 generate the catalogue into outputDir"},
    {"preview", runPreviewCommand, "preview                generate a short preview into tempOutputDir"},
    {"serve", runServeCommand, "serve [FOLDER] [--port N]  view the catalogue in a browser"},
    {"settings", runSettingsCommand, "settings list | get NAME... | set NAME=VALUE..."},
    {"settings-archive", runSettingsArchiveCommand, "settings-archive save FILE [--comment TEXT] | retrieve FILE | describe FILE"},
    {"upload", runUploadCommand, "upload [--catalogue] [--search] [--order-form]"},
    {"tax", runTaxCommand, "tax list | add NAME RATE | remove N | clear"},
    {"currency", runCurrencyCommand, "currency list | add SYMBOL RATE | remove N | conversion on|off | text TEXT"},
    {"currency-script", runCurrencyScriptCommand, "currency-script        write zkaltcurr.js alone for upload"},
    {"delivery", runDeliveryCommand, "delivery list | add-formula NAME ... | add-range NAME ... | remove N"},
    {"order-form", runOrderFormCommand, "order-form show | set FIELD VALUE | template FILE"},
    {"ticker", runTickerCommand, "ticker show | set TEXT   the scrolling text"},
};

int usage() {
    std::fprintf(stderr, "usage: vimra-cli COMMAND [ARGS]\n");
    for (const auto& command : kCommands)
        std::fprintf(stderr, "  %s\n", command.usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    for (const auto& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(argc - 2, argv + 2);
    }
    return usage();
}
