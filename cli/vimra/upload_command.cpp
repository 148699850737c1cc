#include <cstdio>

#include "cli/vimra/commands.h"

int runUploadCommand(int, char**) {
    std::fprintf(stderr, "vimra-cli: upload is not available yet\n");
    return 1;
}
