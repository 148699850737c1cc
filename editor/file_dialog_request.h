#pragma once
// What a command asks of a file dialog: its title, the folder it starts in,
// what the chosen file is for, and the kinds of file it offers.
#include <string>
#include <vector>

namespace korvel {

// One choice of the dialog's file type list: its label and the name
// patterns it shows ("*" for every file).
struct FileFilter {
    std::string label;
    std::vector<std::string> patterns;
    bool operator==(const FileFilter&) const = default;
};

enum class FileDialogMode {
    OpenExisting,   // a file that is there, to be read
    SaveTo,         // a file to write, there already or not
    CreateNew,      // a name for a new file; the command refuses one that exists
};

struct FileDialogRequest {
    std::string title;
    std::string folder;
    FileDialogMode mode = FileDialogMode::OpenExisting;
    std::vector<FileFilter> filters;
};

// The choices every data file dialog offers, the data files first.
inline std::vector<FileFilter> dataFileFilters() {
    return {{"CSV Files (*.csv, *.txt)", {"*.csv", "*.txt"}}, {"All Files (*.*)", {"*"}}};
}

} // namespace korvel
