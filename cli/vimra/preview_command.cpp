#include <cstdio>

#include "cli/vimra/commands.h"

int runPreviewCommand(int, char**) {
    std::fprintf(stderr, "vimra-cli: preview is not available yet\n");
    return 1;
}
