#include "cli/vimra/argument_parsing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

int parseArguments(CLI::App& app, int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    std::reverse(arguments.begin(), arguments.end());   // CLI11 takes them last first
    try {
        app.parse(arguments);
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "%s: %s\n", app.get_name().c_str(), error.what());
        std::fputs(app.help().c_str(), stderr);
        return 2;
    }
    return -1;
}

const CLI::Validator kFiniteNumber(
    [](std::string& text) -> std::string {
        char* end = nullptr;
        double value = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0' || !std::isfinite(value))
            return "not a number: " + text;
        return {};
    },
    "NUMBER");

int failure(const std::string& text) {
    std::fprintf(stderr, "vimra-cli: %s\n", text.c_str());
    return 1;
}
