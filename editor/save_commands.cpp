// Saving, creating, opening and importing data files.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/commands.h"
#include "model/paths.h"

namespace korvel {

namespace {

constexpr const char* kCaption = "Korvel";
constexpr const char* kOutputFailure = "Couldn't open file for output";

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec) || ec;
}

// Keeps the old file under the backup name without ever removing it from
// its own path: a hard link where the file system has them, else a copy.
bool keepBackup(const std::string& path, const std::string& backup) {
    std::error_code ec;
    std::filesystem::create_hard_link(path, backup, ec);
    if (!ec)
        return true;
    return std::filesystem::copy_file(path, backup, std::filesystem::copy_options::none, ec) && !ec;
}

constexpr std::size_t kCutNamesShown = 20;

// Names the entries whose fields a save cut; the backup keeps them whole.
std::string cutMessage(const std::vector<std::string>& labels) {
    std::string text = "Fields longer than the editor keeps were cut in:";
    for (std::size_t i = 0; i < labels.size() && i < kCutNamesShown; ++i)
        text += "\n" + labels[i];
    if (labels.size() > kCutNamesShown)
        text += "\nand " + std::to_string(labels.size() - kCutNamesShown) + " more";
    return text;
}

// The file a save replaces: the one a symbolic link names. Only a regular
// file, or one that does not exist yet, in a folder that exists, and a file
// that can be written: its permissions are asked as well as the system,
// which lets an administrator write anything.
bool savableTarget(const std::string& path, std::string& target) {
    std::error_code ec;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    if (ec)
        return false;
    target = resolved.string();
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISREG(info.st_mode) || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

std::string backupName(const std::string& path, long seconds) {
    // Only a '.' in the file's own name starts its extension.
    std::size_t nameStart = path.size() - baseName(path).size();
    std::size_t dot = path.rfind('.');
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%ld", seconds);
    if (dot == std::string::npos || dot < nameStart)
        return path + "." + stamp;
    return path.substr(0, dot) + "." + stamp + "." + path.substr(dot + 1);
}

KorvelCommands::KorvelCommands(CKorvelDoc& doc, KorvelDialogs& dialogs)
    : m_doc(doc), m_dialogs(dialogs), m_clock([] { return static_cast<long>(std::time(nullptr)); }) {}

std::string KorvelCommands::currentFolder() const {
    const std::string& path = m_doc.path();
    std::string_view name = baseName(path);
    std::string folder = path.substr(0, path.size() - name.size());
    while (folder.size() > 1 && isPathSeparator(folder.back()))
        folder.pop_back();
    return folder;
}

bool KorvelCommands::chooseDataFile(const char* title, FileDialogMode mode, std::string& path) {
    FileDialogRequest request{title, currentFolder(), mode, dataFileFilters()};
    return m_dialogs.chooseFile(request, path) && !path.empty();
}

int KorvelCommands::writeTemporary(const std::string& target, bool restructure, std::string& temporary) {
    // Made exclusively under a name no one can foresee, beside the file it replaces.
    std::string pattern = target + ".$$$XXXXXX";
    int fd = mkstemp(pattern.data());
    std::FILE* out = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (!out) {
        if (fd >= 0) {
            ::close(fd);
            unlink(pattern.c_str());
        }
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    temporary = pattern;
    // The new file keeps the old one's permissions.
    struct stat old {};
    if (stat(target.c_str(), &old) == 0)
        fchmod(fd, old.st_mode & 07777);
    bool ok = m_doc.writeFile(out, restructure) == 0;
    ok = ok && fsync(fileno(out)) == 0;
    int failure = errno;
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        // A file that was not written whole never replaces anything.
        if (failure == 0)
            failure = errno;
        std::fprintf(m_doc.errors(), "failed to write <%s>: %s\n", temporary.c_str(), std::strerror(failure));
        unlink(temporary.c_str());
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    return 0;
}

bool KorvelCommands::refuseUnsavable(const std::string& path, std::string& target, const char* message) {
    if (savableTarget(path, target))
        return false;
    m_doc.messages().show(message, kCaption, MessageButtons::Ok);
    return true;
}

int KorvelCommands::saveReplacing(bool restructure, Replace replace, bool keepSelection) {
    const std::string path = m_doc.path();
    std::string target;
    if (refuseUnsavable(path, target, "Could not open files"))
        return -1;
    std::string temporary;
    if (writeTemporary(target, restructure, temporary) != 0)
        return -1;
    const std::vector<std::string> cut = m_doc.cutEntries();
    if (m_afterTemporaryWritten && !m_afterTemporaryWritten(temporary)) {
        unlink(temporary.c_str());
        return -1;
    }
    struct stat before {};
    const bool existed = stat(target.c_str(), &before) == 0;
    if (replace == Replace::KeepBackup && existed) {
        // A backup is never replaced: a second save within the same second
        // takes the next second that has no backup yet.
        long seconds = m_clock();
        std::string backup = backupName(target, seconds);
        while (exists(backup))
            backup = backupName(target, ++seconds);
        if (!keepBackup(target, backup)) {
            std::fprintf(m_doc.errors(), "couldn't keep the backup <%s>\n", backup.c_str());
            unlink(temporary.c_str());
            m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
            return -1;
        }
    }
    // The new file takes the old one's place in one step. The open files
    // still hold the edits, so a replacement that fails loses none of them.
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::fprintf(m_doc.errors(), "couldn't rename <%s> to <%s>: %s\n", temporary.c_str(), target.c_str(),
                     std::strerror(errno));
        unlink(temporary.c_str());
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    if (!m_doc.closeFiles())
        std::fprintf(m_doc.errors(), "couldn't close <%s>\n", path.c_str());   // the new file is in place
    int result = m_doc.open(path, keepSelection);
    m_dialogs.refreshViews(restructure ? ViewRefresh::Rebuild : ViewRefresh::Relabel);
    // Replacing a file in one step gives it a new identity; its other names
    // (hard links) cannot follow without a write in place that a failure
    // could leave half done, so the user is told instead.
    if (existed && before.st_nlink > 1)
        m_doc.messages().show("Saved " + path + " as a new file: its other names (hard links) still show the old contents",
                              kCaption, MessageButtons::Ok);
    if (!cut.empty())
        m_doc.messages().show(cutMessage(cut), kCaption, MessageButtons::Ok);
    return result;
}

int KorvelCommands::save() {
    m_dialogs.commitForm();
    if (!m_doc.isModified()) {
        m_doc.messages().show("There have been no changes made", kCaption, MessageButtons::Ok);
        return 0;
    }
    if (!m_doc.hasFile())
        return saveAs();
    return saveReplacing(false, Replace::KeepBackup, true);
}

int KorvelCommands::saveOnExit() { return saveChangesFirst(); }

int KorvelCommands::saveChangesFirst() {
    m_dialogs.commitForm();
    if (!m_doc.hasFile() || !m_doc.isModified())
        return 0;
    if (m_doc.messages().show("Save Changes", kCaption, MessageButtons::YesNo) != MessageAnswer::Yes)
        return 0;
    return saveReplacing(false, Replace::NoBackup, true);
}

int KorvelCommands::saveAs() {
    m_dialogs.commitForm();
    std::string chosen;
    if (!chooseDataFile("Save Catalogue Data File As", FileDialogMode::SaveTo, chosen))
        return 0;
    std::string target;
    if (refuseUnsavable(chosen, target, kOutputFailure))
        return -1;
    std::string temporary;
    if (writeTemporary(target, false, temporary) != 0)
        return -1;
    const std::vector<std::string> cut = m_doc.cutEntries();
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    int result = m_doc.open(chosen, false);
    m_dialogs.refreshViews(ViewRefresh::Rebuild);
    if (!cut.empty())
        m_doc.messages().show(cutMessage(cut), kCaption, MessageButtons::Ok);
    return result;
}

int KorvelCommands::newFile() {
    saveChangesFirst();
    std::string chosen;
    if (!chooseDataFile("New Data File", FileDialogMode::CreateNew, chosen))
        return 0;
    if (exists(chosen)) {
        m_doc.messages().show("File already exists", "File creation failure", MessageButtons::Ok);
        return -1;
    }
    std::FILE* created = std::fopen(chosen.c_str(), "wbx");
    if (!created || std::fclose(created) != 0) {
        m_doc.messages().show("Could not create the file", "File creation failure", MessageButtons::Ok);
        return -1;
    }
    return openPath(chosen);
}

int KorvelCommands::openFile() {
    saveChangesFirst();
    std::string chosen;
    if (!chooseDataFile("Open Catalogue Data File", FileDialogMode::OpenExisting, chosen))
        return 0;
    return openPath(chosen);
}

int KorvelCommands::openPath(const std::string& path) {
    int result = m_doc.open(path, false);
    m_dialogs.refreshViews(ViewRefresh::Rebuild);
    return result;
}

int KorvelCommands::start(const std::string& path) {
    if (!exists(path)) {
        std::FILE* created = std::fopen(path.c_str(), "wbx");
        if (!created || std::fclose(created) != 0) {
            m_doc.messages().show("couldn't create " + path, kCaption, MessageButtons::Ok);
            return -1;
        }
    }
    return openPath(path);
}

int KorvelCommands::importFile() {
    if (refuseWithoutFile("File Options"))
        return -1;
    m_dialogs.commitForm();
    std::string chosen;
    if (!chooseDataFile("Select file to import", FileDialogMode::OpenExisting, chosen))
        return 0;
    int result = m_doc.import(chosen);
    m_dialogs.refreshViews(ViewRefresh::AddImported);
    return result;
}

bool KorvelCommands::refuseWithoutFile(const char* caption) {
    if (m_doc.hasFile())
        return false;
    m_doc.messages().show("There is no current file", caption, MessageButtons::Ok);
    return true;
}

} // namespace korvel
