// vimra-cli currency-script: a fresh zkaltcurr.js alone, to upload new rates
// without generating the catalogue again.
#include <cstdio>
#include <filesystem>

#include "cli/vimra/argument_parsing.h"
#include "cli/vimra/commands.h"
#include "generator/currency_script.h"
#include "model/paths.h"
#include "model/settings_store.h"

int runCurrencyScriptCommand(int argc, char** argv) {
    CLI::App app("Writes zkaltcurr.js into outputDir with an upload list that holds only it, so that "
                 "'vimra-cli upload' sends the new rates alone.",
                 "vimra-cli currency-script");
    int parsed = parseArguments(app, argc, argv);
    if (parsed >= 0)
        return parsed;

    static SettingsBlocks blocks{};   // 17 KB: kept off the stack
    const std::string programDir = programDirectory();
    loadSettings(blocks, programDir);
    const std::string outputDir(fieldText(blocks.general.outputDir));
    if (!outputDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(outputDir, ec);
    }
    CurrencyList currencies;
    currencies.load(join(programDir, kCurrencyFile));
    if (writeStandaloneAltCurrencyScript(blocks.general, currencies, programDir, stderr) != 0)
        return 1;
    std::printf("%s\n", join(outputDir, kAltCurrencyScript).c_str());
    return 0;
}
