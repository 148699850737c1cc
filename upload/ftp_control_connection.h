#pragma once
// A small FTP client that speaks the control protocol over one TCP stream:
// it connects, logs on, sends single commands and reads their replies. The
// upload uses it for what its transfer layer does not offer, the "site chmod"
// commands. It opens no data connection.
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

struct addrinfo;

struct FtpLogonInfo {
    std::string host;
    int port = 21;
    std::string userName;
    std::string password;
    std::string account;
    // Only firewall type 0 (no firewall) is supported; the upload always passes it.
    std::string firewallHost;
    std::string firewallUser;
    std::string firewallPassword;
    int firewallPort = 21;
    int firewallType = 0;
};

class FtpControlConnection {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{30000};

    explicit FtpControlConnection(std::chrono::milliseconds timeout = kDefaultTimeout);
    ~FtpControlConnection();
    FtpControlConnection(const FtpControlConnection&) = delete;
    FtpControlConnection& operator=(const FtpControlConnection&) = delete;

    // How long connecting, and each wait for the server to accept or send
    // data, may take before the operation fails.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    // While the flag is set, every wait gives up within a fraction of a
    // second, as the failure it would have been at the time-out. A server
    // that answers at once is still heard.
    void setCancelFlag(const std::atomic<bool>* cancel) { m_cancel = cancel; }
    // True when the last failure was a wait given up for the cancel flag.
    bool cancelled() const { return m_cancelled; }

    bool connect(const std::string& host, int port);
    bool sendCommand(std::string_view text);
    bool readReply();
    // Sends text (unless empty) and reads the reply; true only for a class-2 reply.
    bool command(std::string_view text);
    bool logOn(FtpLogonInfo info);
    void quit();
    void close();

    bool isConnected() const { return m_socket >= 0; }
    // The last reply line read or, after a failure, the failure's text.
    const std::string& replyLine() const { return m_replyLine; }
    int replyClass() const { return m_replyClass; }

private:
    class LineReader;
    class LineWriter;

    void takeLine(std::string line);
    bool waitFor(int fd, short events);
    int connectOne(const addrinfo* ai, bool& created);

    std::chrono::milliseconds m_timeout;
    const std::atomic<bool>* m_cancel = nullptr;
    bool m_cancelled = false;
    std::string m_replyLine;
    int m_replyClass = 0;
    int m_socket = -1;
    std::unique_ptr<LineReader> m_reader;
    std::unique_ptr<LineWriter> m_writer;
};
