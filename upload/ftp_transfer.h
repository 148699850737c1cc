#pragma once
// File transfers to an FTP server: a session for one upload job and, from it,
// connections that log on, create folders and write remote files. Remote names
// are relative to the login folder unless they begin with '/'.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

struct FtpEndpoint {
    std::string host;
    int port = 21;
    std::string userName;
    std::string password;
};

enum class TransferMode { Binary, Ascii };

enum class TransferStatus {
    Sent,
    ConnectFailed, // the server could not be reached or refused the logon
    Failed,        // this file could not be written or read; the connection may be gone
    Cancelled,
};

// Called after each piece handed to the server with the bytes read so far
// from the local file; returning false cancels the transfer.
using PieceCallback = std::function<bool(std::int64_t bytesSent)>;

class FtpSession {
public:
    static constexpr std::size_t kPieceSize = 4000;

    // While cancel is set, every operation of the session's connections ends
    // within a fraction of a second as cancelled.
    explicit FtpSession(std::chrono::milliseconds timeout, const std::atomic<bool>* cancel = nullptr);
    bool isOpen() const { return m_open; }
    std::chrono::milliseconds timeout() const { return m_timeout; }
    bool cancelRequested() const { return m_cancel && m_cancel->load(); }

    // Connections start in passive mode: it needs no connection from the
    // server back to us, and no listening port of our own for every file.
    // Once a data connection in passive mode fails, this session's
    // connections use active mode.
    bool passive() const { return m_passive; }
    void useActive() { m_passive = false; }

private:
    std::chrono::milliseconds m_timeout;
    const std::atomic<bool>* m_cancel;
    bool m_open = false;
    bool m_passive = true;
};

class FtpConnection {
public:
    FtpConnection(FtpSession& session, FtpEndpoint endpoint);
    ~FtpConnection();
    FtpConnection(const FtpConnection&) = delete;
    FtpConnection& operator=(const FtpConnection&) = delete;

    // Connects and logs on (or checks that the connection still stands).
    bool open();
    // Writes the remote file from local, read to its end in pieces of at most
    // FtpSession::kPieceSize bytes. Both modes send the bytes unchanged: our
    // text files already have the line ends the web server wants.
    TransferStatus put(std::FILE* local, std::int64_t size, const std::string& remoteName,
                       TransferMode mode, const PieceCallback& onPiece);
    TransferStatus makeDirectory(const std::string& remotePath);

    // Why the last operation failed, in a few plain words: the server's
    // refusal when it gave one, else what became of the connection.
    const std::string& errorText() const { return m_errorText; }

private:
    std::string url(const std::string& remoteName) const;
    void prepare();
    int perform();
    TransferStatus classify(int code);

    FtpSession& m_session;
    FtpEndpoint m_endpoint;
    void* m_multi = nullptr;
    void* m_curl = nullptr;
    std::string m_lastReply;
    std::string m_errorText;
};
