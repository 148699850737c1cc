#include <cstdio>

#include "cli/vimra/commands.h"

int runSettingsCommand(int, char**) {
    std::fprintf(stderr, "vimra-cli: settings is not available yet\n");
    return 1;
}
