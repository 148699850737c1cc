// vimra-cli settings: show and change the settings record from a shell.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/vimra/commands.h"
#include "model/paths.h"
#include "model/settings_fields.h"
#include "model/settings_store.h"
#include "model/user_messages.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: vimra-cli settings list\n"
                         "       vimra-cli settings get NAME...\n"
                         "       vimra-cli settings set NAME=VALUE...\n");
    return 2;
}

int listSettings(const SettingsBlocks& blocks) {
    for (const SettingsField& field : settingsFields())
        std::printf("%s=%s\n", field.name.c_str(), settingsFieldValue(blocks, field).c_str());
    return 0;
}

int getSettings(const SettingsBlocks& blocks, int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        if (!findSettingsField(argv[i])) {
            std::fprintf(stderr, "vimra-cli: unknown setting '%s'\n", argv[i]);
            return 1;
        }
    }
    for (int i = 0; i < argc; ++i)
        std::printf("%s\n", settingsFieldValue(blocks, *findSettingsField(argv[i])).c_str());
    return 0;
}

// Every assignment is checked before anything is saved, so a bad one leaves
// both defaults files as they were.
int setSettings(SettingsBlocks& blocks, std::string_view programDir, int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        if (!std::strchr(argv[i], '='))
            return usage();
    }
    for (int i = 0; i < argc; ++i) {
        std::string_view assignment = argv[i];
        std::size_t equals = assignment.find('=');
        std::string error;
        if (setSettingsValue(blocks, assignment.substr(0, equals), assignment.substr(equals + 1), error) != 0) {
            std::fprintf(stderr, "vimra-cli: %s\n", error.c_str());
            return 1;
        }
    }
    StderrMessages messages(MessageAnswer::Ok);
    int general = saveGeneralSettings(blocks.general, messages, programDir);
    int appearance = saveAppearanceSet(blocks.appearance, messages, programDir);
    return general == 0 && appearance == 0 ? 0 : 1;
}

} // namespace

int runSettingsCommand(int argc, char** argv) {
    if (argc < 1)
        return usage();
    std::string_view action = argv[0];
    bool list = action == "list";
    if ((list && argc != 1) || (!list && (argc < 2 || (action != "get" && action != "set"))))
        return usage();

    static SettingsBlocks blocks{};  // 17 KB: kept off the stack
    const std::string programDir = programDirectory();
    loadSettings(blocks, programDir);
    if (list)
        return listSettings(blocks);
    if (action == "get")
        return getSettings(blocks, argc - 1, argv + 1);
    return setSettings(blocks, programDir, argc - 1, argv + 1);
}
