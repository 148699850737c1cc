#include "app/core/folder_validation.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "model/paths.h"

namespace fs = std::filesystem;

namespace {

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "X:", "X:\" and "X:name" name a drive, and this system has none.
bool namesDrive(std::string_view text) {
    return text.size() >= 2 && isDriveLetter(text[0]) && text[1] == ':';
}

FolderCheck stay(std::string message) { return {FolderVerdict::Stay, {}, std::move(message)}; }

FolderCheck accept(std::string folder) {
    if (folder.size() > kFolderFieldChars)
        folder.resize(kFolderFieldChars);
    return {FolderVerdict::Accept, std::move(folder), {}};
}

}  // namespace

FolderCheck checkFolder(std::string_view typed, std::string_view shownFolder) {
    const std::string text(typed);
    // Network shares are not reached through folder names here.
    if (typed.substr(0, 2) == "\\\\")
        return stay(text + "\nThis is not a valid folder.");
    if (typed.empty())
        return accept(nativePath(shownFolder));
    if (typed.size() == 1 && isPathSeparator(typed[0]))
        return accept(std::string(1, kNativeSeparator));
    if (namesDrive(typed))
        return stay(text + "\nThe drive is invalid.");

    std::string_view name = typed;
    if (isPathSeparator(name.back()))
        name.remove_suffix(1);
    std::string folder = join(shownFolder, name);
    // The check is made on what the field will hold, so an accepted folder is
    // always one that is there.
    if (folder.size() > kFolderFieldChars)
        folder.resize(kFolderFieldChars);

    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (fs::is_directory(status))
        return accept(folder);
    if (fs::exists(status))
        return stay(text + "\nThis is a file not a directory.");
    return {FolderVerdict::AskToCreate, folder,
            text + "\nThis folder does not exist.\n\nDo you want to create it?"};
}

FolderCheck createFolder(const FolderCheck& asked) {
    std::error_code error;
    fs::create_directories(asked.folder, error);
    if (fs::is_directory(asked.folder, error))
        return accept(asked.folder);
    return stay("You do not have permission\nto create this folder.");
}

std::optional<std::string> selectFolder(std::string_view typed, std::string_view shownFolder,
                                        const std::string& caption, UserMessages& messages) {
    FolderCheck check = checkFolder(typed, shownFolder);
    if (check.verdict == FolderVerdict::AskToCreate) {
        if (messages.show(check.message, caption, MessageButtons::YesNo) != MessageAnswer::Yes)
            return std::nullopt;
        check = createFolder(check);
    }
    if (check.verdict == FolderVerdict::Accept)
        return check.folder;
    messages.show(check.message, caption, MessageButtons::Ok);
    return std::nullopt;
}
