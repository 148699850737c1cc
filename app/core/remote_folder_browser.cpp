#include "app/core/remote_folder_browser.h"

#include <algorithm>

namespace {

constexpr const char* kError = "Error";
constexpr const char* kNewFolderName = "NewDirectory";
// Far more than any folder holds; a server that calls every name taken must not keep us.
constexpr int kMostNewFolderTries = 1000;

std::string lastElement(const std::string& folder) {
    std::string trimmed = folder;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed == "/")
        return trimmed;
    return trimmed.substr(trimmed.find_last_of('/') + 1);
}

}  // namespace

std::string joinRemotePath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::optional<std::string> parentRemoteFolder(const std::string& folder) {
    const std::size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos)
        return std::nullopt;
    return slash == 0 ? std::string("/") : folder.substr(0, slash);
}

RemoteFolderBrowser::RemoteFolderBrowser(RemoteFolderSession& session, std::string host, UserMessages& messages)
    : m_session(session), m_host(std::move(host)), m_messages(messages) {
    updateLocations();
}

void RemoteFolderBrowser::start(const std::string& serverDirectory) {
    // A directory the server will not change to leaves us in the login folder.
    if (!serverDirectory.empty())
        m_session.changeFolder(serverDirectory);
    std::string folder;
    if (m_session.currentFolder(folder) == RemoteStatus::Done && folder.find('/') != std::string::npos) {
        m_start = folder;
        m_serverFolder = folder;
    } else {
        m_messages.show("Error in finding the directory", kError, MessageButtons::Ok);
        m_start = "/";
        m_serverFolder.clear();
    }
    if (!showFolder(m_start)) {
        m_current = m_start;
        updateLocations();
    }
}

std::string RemoteFolderBrowser::currentDirectoryText() const {
    return "Current Directory : " + m_host + " (" + m_current + ")";
}

void RemoteFolderBrowser::updateLocations() {
    m_locations = {{"/ (" + m_host + ")", 0}, {lastElement(m_start), 1}};
    if (m_current != "/" && m_current != m_start)
        m_locations.push_back({m_current, 2});
    m_selectedLocation = m_current == m_start ? 1 : m_current == "/" ? 0 : 2;
}

std::string RemoteFolderBrowser::errorText(const char* fallback) const {
    const std::string reply = m_session.lastReply();
    return reply.empty() ? fallback : reply;
}

void RemoteFolderBrowser::refill() {
    // Always a fresh listing: another program may have changed the folder.
    std::vector<RemoteEntry> entries;
    const RemoteStatus status = m_session.list(entries);
    m_entries.clear();
    if (status != RemoteStatus::Done) {
        if (status != RemoteStatus::Cancelled)
            m_messages.show(errorText("FAILED"), kError, MessageButtons::Ok);
        return;
    }
    for (RemoteEntry& entry : entries)
        if (entry.name != "." && entry.name != "..")
            m_entries.push_back(std::move(entry));
}

bool RemoteFolderBrowser::showFolder(const std::string& folder) {
    if (folder != m_serverFolder) {
        if (m_session.changeFolder(folder) != RemoteStatus::Done) {
            m_messages.show("Unable to change directory", kError, MessageButtons::Ok);
            return false;
        }
        m_serverFolder = folder;
    }
    m_current = folder;
    updateLocations();
    refill();
    return true;
}

void RemoteFolderBrowser::chooseLocation(int index) {
    if (index == 0)
        showFolder("/");
    else if (index == 1)
        showFolder(m_start);
    else if (index == 2 && m_locations.size() > 2)
        showFolder(m_locations[2].text);
}

void RemoteFolderBrowser::openEntry(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size())
        return;
    const RemoteEntry& entry = m_entries[static_cast<std::size_t>(row)];
    if (entry.isFolder)
        showFolder(joinRemotePath(m_current, entry.name));
}

void RemoteFolderBrowser::upOneLevel() {
    if (m_current == "/") {
        m_messages.show("You are at the top level and cannot go up another level.", kError, MessageButtons::Ok);
        return;
    }
    const std::optional<std::string> parent = parentRemoteFolder(m_current);
    if (!parent) {
        m_messages.show("Cannot go one level up", kError, MessageButtons::Ok);
        return;
    }
    showFolder(*parent);
}

std::optional<int> RemoteFolderBrowser::createFolder() {
    std::string name = kNewFolderName;
    for (int n = 1;; ++n) {
        const RemoteStatus status = m_session.makeFolder(name);
        if (status == RemoteStatus::Done)
            break;
        if (status != RemoteStatus::Exists || n > kMostNewFolderTries) {
            if (status != RemoteStatus::Cancelled)
                m_messages.show(errorText("FAILED"), kError, MessageButtons::Ok);
            return std::nullopt;
        }
        name = std::string(kNewFolderName) + "[" + std::to_string(n) + "]";
    }
    refill();
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const RemoteEntry& entry) { return entry.name == name; });
    if (found == m_entries.end())
        return std::nullopt;
    return static_cast<int>(found - m_entries.begin());
}

bool RemoteFolderBrowser::startRename(std::optional<int> row) {
    if (!row || *row < 0 || static_cast<std::size_t>(*row) >= m_entries.size()) {
        m_messages.show("Select a file to show properties.", "Properties", MessageButtons::Ok);
        return false;
    }
    return true;
}

void RemoteFolderBrowser::finishRename(int row, const std::string& typed) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
        m_messages.show("Unspecified Error", kError, MessageButtons::Ok);
        return;
    }
    const std::string old = m_entries[static_cast<std::size_t>(row)].name;
    if (typed.empty() || typed == old)
        return;
    const RemoteStatus status = m_session.rename(old, typed);
    if (status == RemoteStatus::Cancelled)
        return;
    if (status != RemoteStatus::Done)
        m_messages.show("poda", kError, MessageButtons::Ok);
    refill();
}

void RemoteFolderBrowser::deleteEntry(std::optional<int> row) {
    if (!row || *row < 0 || static_cast<std::size_t>(*row) >= m_entries.size()) {
        m_messages.show("Select a file to delete.", "Delete", MessageButtons::Ok);
        return;
    }
    const RemoteEntry entry = m_entries[static_cast<std::size_t>(*row)];
    const RemoteStatus status = entry.isFolder ? m_session.removeFolder(entry.name) : m_session.removeFile(entry.name);
    if (status == RemoteStatus::Cancelled)
        return;
    if (status != RemoteStatus::Done) {
        m_messages.show(errorText("Failed to remove."), kError, MessageButtons::Ok);
        return;
    }
    refill();
}

std::string RemoteFolderBrowser::select() {
    std::string folder;
    if (m_session.currentFolder(folder) == RemoteStatus::Done && !folder.empty())
        return folder;
    return m_start;
}
