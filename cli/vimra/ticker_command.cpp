// vimra-cli ticker: the scrolling text of zkticker.dat, until the Scrolling
// Text dialog exists. Its colours, size and placement are settings
// (tickerColours.N, tickerSize.N, scrollingTextOnIndex, includeTicker).
#include <cstdio>
#include <string>

#include "cli/vimra/argument_parsing.h"
#include "cli/vimra/commands.h"
#include "generator/scrolling_text_file.h"
#include "model/paths.h"

int runTickerCommand(int argc, char** argv) {
    CLI::App app("Shows and sets the scrolling text (zkticker.dat).", "vimra-cli ticker");
    app.require_subcommand(1);
    CLI::App* show = app.add_subcommand("show", "print the scrolling text as it stands in the file");
    CLI::App* set = app.add_subcommand("set", "replace the scrolling text");
    std::string text;
    set->add_option("TEXT", text, "the new text")->required();
    int parsed = parseArguments(app, argc, argv);
    if (parsed >= 0)
        return parsed;

    const std::string path = programPath(kScrollingTextFile);
    if (show->parsed()) {
        std::string current;
        const int result = readScrollingTextFile(path, current);
        if (result == -2)
            return 0;
        if (result != 0)
            return failure("cannot read <" + path + ">");
        std::fwrite(current.data(), 1, current.size(), stdout);
        return 0;
    }
    if (writeScrollingTextFile(path, text) != 0)
        return failure("cannot write <" + path + ">");
    return 0;
}
