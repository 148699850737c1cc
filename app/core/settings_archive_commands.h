#pragma once
// Save Settings and Retrieve Settings without their dialog: the rules for the
// archive's name and folder, what the dialog shows for a selected file, and
// what happens around packing and unpacking. The dialog (and vimra-cli)
// collects the path and the comment and calls these.
#include <string>
#include <string_view>

#include "model/settings_store.h"
#include "model/user_messages.h"

inline constexpr std::string_view kArchiveFilter = "Vimra archives (*.zka) |*.zka| All Files (*.*) |*.*||";
inline constexpr std::string_view kSaveArchiveTitle = "Save Current Settings";
inline constexpr std::string_view kRetrieveArchiveTitle = "Restore Settings from File";
inline constexpr std::string_view kSaveArchiveNote =
    "Note : All current settings including tax, delivery, order form details etc are saved in the archive. "
    "This does NOT include the input file or the saved appearance sets (these are already saved).";
inline constexpr std::string_view kRetrieveArchiveNote =
    "Note: Retrieving settings from a file will overwrite your current settings including tax, delivery, "
    "common text etc. This does not include the input file nor the saved appearance sets.";

// The folder both dialogs start in: archivePath up to its last separator;
// empty (the dialog chooses) when archivePath is empty or has none.
std::string archiveStartDirectory(std::string_view archivePath);

// The path a save goes to: blanks trimmed from both ends, and ".zka" appended
// when the result is not empty and its last component holds no '.'.
std::string archiveSaveName(std::string_view chosenPath);

bool isAcceptedArchiveVersion(int version);

// What the dialog shows for the selected file: its comment ("invalid file"
// for an archive of a version not accepted) and "last modified : <ctime>";
// both empty when the file is not an archive.
struct ArchiveSelectionText {
    std::string comment;
    std::string lastModified;
};
ArchiveSelectionText describeArchiveSelection(const std::string& path);

// Save Settings on OK: stores the save name in archivePath (unless it is
// empty) and packs the settings files of programDir with comment into it.
// Nothing is shown; the result of the packing (0 or -1) is returned for
// callers that report it.
int saveSettingsArchive(GeneralSettings& general, std::string_view programDir, std::string_view chosenPath,
                        std::string_view comment);

// Retrieve Settings when the user confirms a file: false after "Not a valid
// archive file" (captioned "Open Error") for anything but an archive of an
// accepted version; the dialog then stays open.
bool confirmArchiveToRetrieve(const std::string& path, UserMessages& messages);

// Retrieve Settings on OK: stores path in archivePath and unpacks the archive
// over the settings files of programDir, then rereads ZK002.dat and ZK003.dat
// into the blocks (each only when it opens, without zeroing first). 0, after
// which the caller tells the views to reload (ViewHint::ReloadAppearance);
// -1 after "error reading archive", with the settings files untouched.
int retrieveSettingsArchive(SettingsBlocks& blocks, std::string_view programDir, std::string_view path,
                            UserMessages& messages);
