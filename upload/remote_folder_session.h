#pragma once
// What the remote folder browser asks of an FTP server, one call at a time
// on one logged-on connection. The browser's rules are written against this
// interface, so they can be tried without a server.
#include <string>
#include <vector>

struct RemoteEntry {
    std::string name;
    bool isFolder = false;
};

enum class RemoteStatus {
    Done,
    Refused,    // the server answered with a refusal; lastReply() holds it
    Exists,     // a folder could not be made because the name is taken
    Failed,     // no answer: connection lost, refused or timed out
    Cancelled,
};

class RemoteFolderSession {
public:
    virtual ~RemoteFolderSession() = default;

    // CWD; folder is absolute or relative to the current folder.
    virtual RemoteStatus changeFolder(const std::string& folder) = 0;
    // PWD: the server's current folder.
    virtual RemoteStatus currentFolder(std::string& folder) = 0;
    // The entries of the current folder, without "." and "..".
    virtual RemoteStatus list(std::vector<RemoteEntry>& entries) = 0;
    // Names are relative to the current folder.
    virtual RemoteStatus makeFolder(const std::string& name) = 0;
    virtual RemoteStatus rename(const std::string& from, const std::string& to) = 0;
    virtual RemoteStatus removeFile(const std::string& name) = 0;
    virtual RemoteStatus removeFolder(const std::string& name) = 0;

    // The server's reply to the last call, or what became of the connection.
    virtual std::string lastReply() const = 0;
};
