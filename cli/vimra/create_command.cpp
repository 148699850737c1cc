#include <cstdio>

#include "cli/vimra/commands.h"

int runCreateCommand(int, char**) {
    std::fprintf(stderr, "vimra-cli: create is not available yet\n");
    return 1;
}
