#pragma once
// The remote folder browser's connection: one logged-on FTP control
// connection in passive mode, kept from open() until the object goes, that
// carries the commands and the listings. Every wait for the server is bounded
// by the time-out, and the cancel flag ends a wait within a fraction of a
// second.
#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "upload/ftp_transfer.h"
#include "upload/remote_folder_session.h"

class FtpFolderSession : public RemoteFolderSession {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{30000};

    explicit FtpFolderSession(std::chrono::milliseconds timeout = kDefaultTimeout);
    ~FtpFolderSession() override;
    FtpFolderSession(const FtpFolderSession&) = delete;
    FtpFolderSession& operator=(const FtpFolderSession&) = delete;

    // The longest the server may stay silent while a call waits for it.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    void setCancelFlag(const std::atomic<bool>* cancel) { m_cancel = cancel; }

    // Connects and logs on; the login folder becomes the current folder.
    RemoteStatus open(const FtpEndpoint& endpoint);

    RemoteStatus changeFolder(const std::string& folder) override;
    RemoteStatus currentFolder(std::string& folder) override;
    RemoteStatus list(std::vector<RemoteEntry>& entries) override;
    RemoteStatus makeFolder(const std::string& name) override;
    RemoteStatus rename(const std::string& from, const std::string& to) override;
    RemoteStatus removeFile(const std::string& name) override;
    RemoteStatus removeFolder(const std::string& name) override;
    std::string lastReply() const override { return m_lastReply; }

private:
    struct Request;
    RemoteStatus run(const std::vector<std::string>& commands, const char* listCommand = nullptr,
                     std::string* listing = nullptr);
    RemoteStatus runInCurrentFolder(std::vector<std::string> commands);
    bool holdsNoLineBreak(const std::vector<std::string>& texts);

    std::chrono::milliseconds m_timeout;
    const std::atomic<bool>* m_cancel = nullptr;
    FtpEndpoint m_endpoint;
    std::string m_url;
    // The folder the server was last seen in; a connection that had to be
    // made again starts in the login folder, so each call changes to it first.
    std::string m_folder;
    std::vector<std::string> m_replies;
    std::string m_lastReply;
    std::chrono::steady_clock::time_point m_lastHeard;
    void* m_multi = nullptr;
    void* m_curl = nullptr;
};
