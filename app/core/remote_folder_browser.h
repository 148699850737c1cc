#pragma once
// The rules of "Select Remote Directory": which folder is shown, what the
// location list and the "Current Directory : " line hold, and what each
// button does to the server's folders. The window only shows the state and
// passes on the clicks; every message goes to the user through messages.
#include <optional>
#include <string>
#include <vector>

#include "model/user_messages.h"
#include "upload/remote_folder_session.h"

struct RemoteLocation {
    std::string text;
    int indent = 0;
};

class RemoteFolderBrowser {
public:
    RemoteFolderBrowser(RemoteFolderSession& session, std::string host, UserMessages& messages);

    // Changes to the page's server directory, takes the server's folder as the
    // starting folder and lists it.
    void start(const std::string& serverDirectory);

    // Entry 0 the root "/ (host)", entry 1 the starting folder's last element,
    // entry 2 the current folder while it is neither of those.
    const std::vector<RemoteLocation>& locations() const { return m_locations; }
    int selectedLocation() const { return m_selectedLocation; }
    std::string currentDirectoryText() const;
    const std::string& currentFolder() const { return m_current; }
    const std::string& startFolder() const { return m_start; }
    const std::vector<RemoteEntry>& entries() const { return m_entries; }
    bool canGoUp() const { return m_current != "/"; }

    // Lists folder; false (with a message) when the server will not change to it.
    bool showFolder(const std::string& folder);
    void chooseLocation(int index);
    // Double-click: a folder row is opened, a file row does nothing.
    void openEntry(int row);
    void upOneLevel();
    // Makes "NewDirectory" (or "NewDirectory[n]") and returns its row, whose
    // label the window then lets the user edit; nothing after a failure.
    std::optional<int> createFolder();
    // "Properties": true when the row's label may be edited.
    bool startRename(std::optional<int> row);
    // The end of a label edit: renames the row's entry to typed.
    void finishRename(int row, const std::string& typed);
    void deleteEntry(std::optional<int> row);
    // "Select": the folder to return.
    std::string select();

private:
    void updateLocations();
    void refill();
    std::string errorText(const char* fallback) const;

    RemoteFolderSession& m_session;
    std::string m_host;
    UserMessages& m_messages;
    std::string m_start = "/";
    std::string m_current = "/";
    // Where the server was left; empty when unknown.
    std::string m_serverFolder;
    std::vector<RemoteLocation> m_locations;
    int m_selectedLocation = 0;
    std::vector<RemoteEntry> m_entries;
};

// folder followed by '/' and name, without a doubled '/'.
std::string joinRemotePath(const std::string& folder, const std::string& name);
// The folder above; nothing for a folder without any '/'.
std::optional<std::string> parentRemoteFolder(const std::string& folder);
