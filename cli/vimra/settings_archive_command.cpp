// vimra-cli settings-archive: Save Settings and Retrieve Settings without the
// dialog, and what the dialog shows about an archive.
#include <cstdio>
#include <memory>
#include <string>

#include "app/core/settings_archive_commands.h"
#include "cli/vimra/argument_parsing.h"
#include "cli/vimra/commands.h"
#include "imagelib/settings_archive.h"
#include "model/paths.h"
#include "model/settings_store.h"

namespace {

int describe(const std::string& path) {
    char comment[kArchiveCommentSize];
    int version = 0;
    if (GetArchiveDescription(path, comment, version) < 0)
        return failure("not an archive: <" + path + ">");
    std::printf("version %d%s\n", version, isAcceptedArchiveVersion(version) ? "" : " (not accepted)");
    const ArchiveSelectionText selection = describeArchiveSelection(path);
    std::fputs(selection.lastModified.c_str(), stdout);
    std::printf("%s\n", comment);
    return 0;
}

} // namespace

int runSettingsArchiveCommand(int argc, char** argv) {
    CLI::App app("Saves the settings files into an archive (.zka) and restores them.", "vimra-cli settings-archive");
    app.require_subcommand(1);
    std::string file;
    std::string comment;
    CLI::App* save = app.add_subcommand("save", "pack the current settings files into FILE (.zka added when it has no extension)");
    save->add_option("FILE", file, "the archive to write")->required();
    save->add_option("--comment", comment, "the archive's comment (at most 999 characters are kept)");
    CLI::App* retrieve = app.add_subcommand("retrieve", "replace the settings files with those in FILE");
    retrieve->add_option("FILE", file, "the archive to read")->required();
    CLI::App* describeCommand = app.add_subcommand("describe", "print FILE's version, date and comment");
    describeCommand->add_option("FILE", file, "the archive")->required();
    int parsed = parseArguments(app, argc, argv);
    if (parsed >= 0)
        return parsed;

    if (describeCommand->parsed())
        return describe(file);

    const std::string programDir = programDirectory();
    StderrMessages messages(MessageAnswer::Ok);
    auto blocks = std::make_unique<SettingsBlocks>();
    loadSettings(*blocks, programDir);
    if (save->parsed()) {
        if (saveSettingsArchive(blocks->general, programDir, file, comment) != 0)
            return failure("cannot write the archive <" + archiveSaveName(file) + ">");
        std::printf("%s\n", archiveSaveName(file).c_str());
        // archivePath is kept for the next time, as the program keeps it at exit.
        return saveGeneralSettings(blocks->general, messages, programDir) == 0 ? 0 : 1;
    }
    if (!confirmArchiveToRetrieve(file, messages))
        return 1;
    if (retrieveSettingsArchive(*blocks, programDir, file, messages) != 0)
        return 1;
    // As the program's views do after a retrieve: both defaults files written back.
    int general = saveGeneralSettings(blocks->general, messages, programDir);
    int appearance = saveAppearanceSet(blocks->appearance, messages, programDir);
    return general == 0 && appearance == 0 ? 0 : 1;
}
