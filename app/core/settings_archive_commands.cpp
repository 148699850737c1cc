#include "app/core/settings_archive_commands.h"

#include <ctime>
#include <sys/stat.h>

#include "imagelib/settings_archive.h"
#include "model/paths.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::size_t lastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isPathSeparator(path[i - 1]))
            return i - 1;
    }
    return std::string_view::npos;
}

} // namespace

std::string archiveStartDirectory(std::string_view archivePath) {
    std::size_t separator = lastSeparator(archivePath);
    if (separator == std::string_view::npos)
        return {};
    return std::string(archivePath.substr(0, separator));
}

std::string archiveSaveName(std::string_view chosenPath) {
    std::string name(trimBlanks(chosenPath));
    if (name.empty())
        return name;
    if (baseName(name).find('.') == std::string_view::npos)
        name += ".zka";
    return name;
}

bool isAcceptedArchiveVersion(int version) {
    return version >= kOldestArchiveVersion && version <= kNewestArchiveVersion;
}

ArchiveSelectionText describeArchiveSelection(const std::string& path) {
    ArchiveSelectionText text;
    char comment[kArchiveCommentSize];
    int version = 0;
    if (path.empty() || GetArchiveDescription(path, comment, version) < 0)
        return text;
    if (!isAcceptedArchiveVersion(version)) {
        text.comment = "invalid file";
        return text;
    }
    text.comment = comment;
    struct stat status;
    if (::stat(nativePath(path).c_str(), &status) == 0) {
        std::time_t modified = status.st_mtime;
        if (const char* when = std::ctime(&modified))
            text.lastModified = std::string("last modified : ") + when;
    }
    return text;
}

int saveSettingsArchive(GeneralSettings& general, std::string_view programDir, std::string_view chosenPath,
                        std::string_view comment) {
    std::string name = archiveSaveName(chosenPath);
    // The field may cut a long path; the archive still goes where the user chose.
    if (name.empty())
        name = fieldText(general.archivePath);
    else
        copyField(general.archivePath, name);
    return WriteArchive(name, std::string(programDir), comment);
}

bool confirmArchiveToRetrieve(const std::string& path, UserMessages& messages) {
    char comment[kArchiveCommentSize];
    int version = 0;
    if (GetArchiveDescription(path, comment, version) >= 0 && isAcceptedArchiveVersion(version))
        return true;
    messages.show("Not a valid archive file", "Open Error", MessageButtons::Ok);
    return false;
}

int retrieveSettingsArchive(SettingsBlocks& blocks, std::string_view programDir, std::string_view path,
                            UserMessages& messages) {
    copyField(blocks.general.archivePath, path);
    if (RestoreArchive(std::string(path), std::string(programDir)) < 0) {
        messages.show("error reading archive", "", MessageButtons::Ok);
        return -1;
    }
    readBlockFile(generalSettingsPath(programDir), &blocks.general, sizeof blocks.general);
    readBlockFile(appearanceSetPath(programDir), &blocks.appearance, sizeof blocks.appearance);
    return 0;
}
