#include <cstdio>

#include "app/core/posix_shell.h"
#include "app/core/vimra_doc.h"
#include "cli/vimra/commands.h"
#include "model/paths.h"

// Create without a window: the document saves the general block, generates
// into outputDir, and the entry page is printed. The settings are written
// back on the way out, as the program does when it closes.
int runCreateCommand(int argc, char**) {
    if (argc != 0) {
        std::fprintf(stderr, "usage: vimra-cli create\n");
        return 2;
    }
    StderrMessages messages(MessageAnswer::No);
    PosixShell shell;
    CVimraDoc doc(programDirectory(), messages, shell);
    doc.start();
    int result = doc.create(ViewOffer::DontAsk);
    if (result == 0)
        std::printf("%s\n", doc.entryPage().c_str());
    doc.close();
    return result == 0 ? 0 : 1;
}
