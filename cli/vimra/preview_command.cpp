#include <cstdio>

#include "app/core/posix_shell.h"
#include "app/core/vimra_doc.h"
#include "cli/vimra/commands.h"
#include "model/paths.h"

// Update Cat View without a window: a short catalogue of at most
// previewMaxItems items in tempOutputDir, whose entry page is printed.
// outputDir and previewRun are restored whatever happens.
int runPreviewCommand(int argc, char**) {
    if (argc != 0) {
        std::fprintf(stderr, "usage: vimra-cli preview\n");
        return 2;
    }
    StderrMessages messages(MessageAnswer::No);
    PosixShell shell;
    CVimraDoc doc(programDirectory(), messages, shell);
    doc.start();
    int result = doc.updateCatView();
    if (result == 0)
        std::printf("%s\n", doc.previewEntryPage().c_str());
    doc.close();
    return result == 0 ? 0 : 1;
}
