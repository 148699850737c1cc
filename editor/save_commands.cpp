// Saving, creating, opening and importing data files.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>
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

int KorvelCommands::writeTemporary(const std::string& temporary, bool restructure) {
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    bool ok = m_doc.writeFile(out, restructure) == 0;
    ok = ok && fsync(fileno(out)) == 0;
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        // A file that was not written whole never replaces anything.
        std::fprintf(m_doc.errors(), "failed to write <%s>: %s\n", temporary.c_str(), std::strerror(errno));
        std::remove(temporary.c_str());
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    return 0;
}

int KorvelCommands::saveReplacing(bool restructure, Replace replace, bool keepSelection) {
    const std::string path = m_doc.path();
    const std::string temporary = path + ".$$$";
    if (writeTemporary(temporary, restructure) != 0)
        return -1;
    if (m_afterTemporaryWritten && !m_afterTemporaryWritten(temporary))
        return -1;
    if (replace == Replace::KeepBackup && exists(path)) {
        // A backup is never replaced: a second save within the same second
        // takes the next second that has no backup yet.
        long seconds = m_clock();
        std::string backup = backupName(path, seconds);
        while (exists(backup))
            backup = backupName(path, ++seconds);
        if (!keepBackup(path, backup)) {
            std::fprintf(m_doc.errors(), "couldn't keep the backup <%s>\n", backup.c_str());
            std::remove(temporary.c_str());
            m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
            return -1;
        }
    }
    // The new file keeps the old one's permissions.
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (!ec)
        std::filesystem::permissions(temporary, status.permissions(), ec);
    // The new file takes the old one's place in one step. The open files
    // still hold the edits, so a replacement that fails loses none of them.
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::fprintf(m_doc.errors(), "couldn't rename <%s> to <%s>: %s\n", temporary.c_str(), path.c_str(),
                     std::strerror(errno));
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    if (!m_doc.closeFiles())
        std::fprintf(m_doc.errors(), "couldn't close <%s>\n", path.c_str());   // the new file is in place
    int result = m_doc.open(path, keepSelection);
    m_dialogs.refreshViews(restructure ? ViewRefresh::Rebuild : ViewRefresh::Relabel);
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

int KorvelCommands::saveOnExit() {
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
    const std::string temporary = chosen + ".$$$";
    if (writeTemporary(temporary, false) != 0)
        return -1;
    if (std::rename(temporary.c_str(), chosen.c_str()) != 0) {
        std::remove(temporary.c_str());
        m_doc.messages().show(kOutputFailure, kCaption, MessageButtons::Ok);
        return -1;
    }
    int result = m_doc.open(chosen, false);
    m_dialogs.refreshViews(ViewRefresh::Rebuild);
    return result;
}

int KorvelCommands::newFile() {
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
