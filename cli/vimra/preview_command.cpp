#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/vimra/commands.h"
#include "cli/vimra/entry_page.h"
#include "generator/generate.h"
#include "model/paths.h"
#include "model/settings_store.h"

// Update Cat View without a window: a short catalogue of at most
// previewMaxItems items in tempOutputDir. outputDir and previewRun are
// restored whatever happens.
int runPreviewCommand(int argc, char**) {
    if (argc != 0) {
        std::fprintf(stderr, "usage: vimra-cli preview\n");
        return 2;
    }
    StderrMessages messages(MessageAnswer::No);
    auto blocks = std::make_unique<SettingsBlocks>();
    loadSettings(*blocks);
    GeneralSettings& general = blocks->general;

    char savedOutputDir[sizeof general.outputDir];
    std::memcpy(savedOutputDir, general.outputDir, sizeof savedOutputDir);
    std::memcpy(general.outputDir, general.tempOutputDir, sizeof general.outputDir);
    general.previewRun = 1;

    int result = Generate(blocks->appearance, general, messages);
    std::string homePage = catalogueEntryPage(fieldText(general.outputDir));

    std::memcpy(general.outputDir, savedOutputDir, sizeof savedOutputDir);
    general.previewRun = 0;

    if (result != 0)
        messages.show("error producing catalogue", "", MessageButtons::Ok);
    else
        std::printf("%s\n", homePage.c_str());

    saveGeneralSettings(general, messages);
    saveAppearanceSet(blocks->appearance, messages);
    return result == 0 ? 0 : 1;
}
