#pragma once
// What the folder picker's Select button does with the typed folder: accept
// it, refuse it with a message, or offer to create it.
#include <optional>
#include <string>
#include <string_view>

#include "model/user_messages.h"

// The folder fields hold at most this many characters.
inline constexpr std::size_t kFolderFieldChars = 128;

enum class FolderVerdict { Accept, Stay, AskToCreate };

struct FolderCheck {
    FolderVerdict verdict = FolderVerdict::Stay;
    std::string folder;   // Accept, AskToCreate: the folder, native and whole
    std::string message;  // Stay: what to tell; AskToCreate: the question
};

// Checks the text of the Folder box. shownFolder is the folder the picker is
// showing: an empty box means it, and a relative name lies under it.
// Either separator may be typed; one trailing separator is ignored.
FolderCheck checkFolder(std::string_view typed, std::string_view shownFolder);

// Creates the whole path of an AskToCreate check: Accept when the folder is
// there afterwards, otherwise Stay with the message.
FolderCheck createFolder(const FolderCheck& asked);

// The whole Select step: checks, tells or asks through messages (under
// caption), creates on Yes. Returns the accepted folder, or an empty optional
// when the picker must stay open.
std::optional<std::string> selectFolder(std::string_view typed, std::string_view shownFolder,
                                        const std::string& caption, UserMessages& messages);
