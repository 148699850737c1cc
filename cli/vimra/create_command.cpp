#include <cstdio>
#include <memory>

#include "cli/vimra/commands.h"
#include "cli/vimra/entry_page.h"
#include "generator/generate.h"
#include "model/paths.h"
#include "model/settings_store.h"

// Create without a window: save the general block, generate into outputDir,
// and print where the home page is. The settings are written back on the
// way out, as the program does when it closes.
int runCreateCommand(int argc, char**) {
    if (argc != 0) {
        std::fprintf(stderr, "usage: vimra-cli create\n");
        return 2;
    }
    StderrMessages messages(MessageAnswer::No);
    auto blocks = std::make_unique<SettingsBlocks>();
    loadSettings(*blocks);

    saveGeneralSettings(blocks->general, messages);
    blocks->general.previewRun = 0;
    int result = Generate(blocks->appearance, blocks->general, messages);
    if (result != 0)
        messages.show("error producing catalogue", "", MessageButtons::Ok);
    else
        std::printf("%s\n", catalogueEntryPage(fieldText(blocks->general.outputDir)).c_str());

    saveGeneralSettings(blocks->general, messages);
    saveAppearanceSet(blocks->appearance, messages);
    return result == 0 ? 0 : 1;
}
