#include "upload/ftp_control_connection.h"
#include "upload/host_lookup.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr const char* kCreateFailed = "Unable to create socket";
constexpr const char* kConnectFailed = "Unable to connect to server";
constexpr const char* kNetworkError = "Network error";
constexpr const char* kLogonFailed = "Logon failed";

constexpr std::size_t kBufferSize = 4096;
// A reply line longer than this is cut; the rest of it is read and dropped.
constexpr std::size_t kMaxLineLength = 8192;
// A multi-line reply that never closes must not keep the job forever.
constexpr int kMaxReplyLines = 10000;

// The longest a wait goes without looking at the cancel flag.
constexpr std::chrono::milliseconds kCancelSlice{100};

enum class Wait { Ready, Failed, TimedOut };

// Waits until fd is ready for events, at most until deadline.
Wait pollUntil(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{fd, events, 0};
    int n = ::poll(&p, 1, static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
    if (n > 0)
        return (p.revents & (events | POLLHUP)) != 0 && (p.revents & POLLNVAL) == 0 ? Wait::Ready : Wait::Failed;
    if (n == 0 || errno == EINTR)
        return Wait::TimedOut;
    return Wait::Failed;
}

} // namespace

// Waits until fd is ready for events; false on time-out, error or cancel.
bool FtpControlConnection::waitFor(int fd, short events) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + m_timeout;
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        switch (pollUntil(fd, events, std::min(deadline, now + kCancelSlice))) {
        case Wait::Ready:
            return true;
        case Wait::Failed:
            return false;
        case Wait::TimedOut:
            break;
        }
        if (m_cancel && m_cancel->load()) {
            m_cancelled = true;
            return false;
        }
    }
}

int FtpControlConnection::connectOne(const addrinfo* ai, bool& created) {
    int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai->ai_protocol);
    if (fd < 0)
        return -1;
    created = true;
    if (::connect(fd, ai->ai_addr, ai->ai_addrlen) != 0) {
        if (errno != EINPROGRESS || !waitFor(fd, POLLOUT)) {
            ::close(fd);
            return -1;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
            ::close(fd);
            return -1;
        }
    }
    // Commands are single short lines, each waiting for its reply.
    int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

class FtpControlConnection::LineReader {
public:
    LineReader(FtpControlConnection& owner, int fd) : m_owner(owner), m_fd(fd) {}

    // One line without its line end (LF or CR LF). False when the stream
    // fails, times out or ends before a line end.
    bool readLine(std::string& line) {
        line.clear();
        for (;;) {
            while (m_pos < m_end) {
                char c = m_buffer[m_pos++];
                if (c == '\n') {
                    if (!line.empty() && line.back() == '\r')
                        line.pop_back();
                    return true;
                }
                if (line.size() < kMaxLineLength)
                    line += c;
            }
            if (!fill())
                return false;
        }
    }

private:
    bool fill() {
        m_pos = m_end = 0;
        for (;;) {
            if (!m_owner.waitFor(m_fd, POLLIN))
                return false;
            ssize_t n = ::recv(m_fd, m_buffer.data(), m_buffer.size(), 0);
            if (n > 0) {
                m_end = static_cast<std::size_t>(n);
                return true;
            }
            if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK))
                return false;
        }
    }

    FtpControlConnection& m_owner;
    int m_fd;
    std::array<char, kBufferSize> m_buffer{};
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
};

class FtpControlConnection::LineWriter {
public:
    LineWriter(FtpControlConnection& owner, int fd) : m_owner(owner), m_fd(fd) {}

    bool write(std::string_view text) {
        while (!text.empty()) {
            if (m_used == m_buffer.size() && !flush())
                return false;
            std::size_t n = std::min(text.size(), m_buffer.size() - m_used);
            std::memcpy(m_buffer.data() + m_used, text.data(), n);
            m_used += n;
            text.remove_prefix(n);
        }
        return true;
    }

    bool flush() {
        std::size_t sent = 0;
        while (sent < m_used) {
            if (!m_owner.waitFor(m_fd, POLLOUT))
                return false;
            ssize_t n = ::send(m_fd, m_buffer.data() + sent, m_used - sent, MSG_NOSIGNAL);
            if (n > 0)
                sent += static_cast<std::size_t>(n);
            else if (n < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
                return false;
        }
        m_used = 0;
        return true;
    }

private:
    FtpControlConnection& m_owner;
    int m_fd;
    std::array<char, kBufferSize> m_buffer{};
    std::size_t m_used = 0;
};

FtpControlConnection::FtpControlConnection(std::chrono::milliseconds timeout) : m_timeout(timeout) {}

FtpControlConnection::~FtpControlConnection() { close(); }

bool FtpControlConnection::connect(const std::string& host, int port) {
    close();
    m_cancelled = false;
    m_replyLine = kConnectFailed;
    if (host.empty() || port <= 0 || port > 65535)
        return false;

    HostLookup lookup = lookUpHost(host, port, m_timeout, m_cancel);
    if (lookup.end != LookupEnd::Found) {
        m_cancelled = lookup.end == LookupEnd::Cancelled;
        return false;
    }
    bool created = false;
    int fd = -1;
    for (const addrinfo* ai = lookup.addresses.get(); ai && fd < 0; ai = ai->ai_next)
        fd = connectOne(ai, created);
    if (fd < 0) {
        if (!created)
            m_replyLine = kCreateFailed;
        return false;
    }

    m_socket = fd;
    m_reader = std::make_unique<LineReader>(*this, m_socket);
    m_writer = std::make_unique<LineWriter>(*this, m_socket);
    m_replyLine.clear();
    return true;
}

bool FtpControlConnection::sendCommand(std::string_view text) {
    m_replyLine = kNetworkError;
    if (!m_writer)
        return false;
    // A line break inside a value would smuggle a second command to the server.
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return false;
    return m_writer->write(text) && m_writer->write("\r\n") && m_writer->flush();
}

void FtpControlConnection::takeLine(std::string line) {
    if (!line.empty())
        m_replyClass = line[0] - '0';
    m_replyLine = std::move(line);
}

bool FtpControlConnection::readReply() {
    m_replyLine = kNetworkError;
    if (!m_reader)
        return false;
    std::string line;
    if (!m_reader->readLine(line))
        return false;
    takeLine(line);
    if (line.size() < 4 || line[3] != '-')
        return true;

    const std::string number = line.substr(0, 3);
    for (int i = 0; i < kMaxReplyLines; ++i) {
        if (!m_reader->readLine(line)) {
            m_replyLine = kNetworkError;
            return false;
        }
        bool closing = line.size() >= 4 && line[3] == ' ' && line.compare(0, 3, number) == 0;
        takeLine(line);
        if (closing)
            return true;
    }
    m_replyLine = kNetworkError;
    return false;
}

bool FtpControlConnection::command(std::string_view text) {
    if (!text.empty() && !sendCommand(text))
        return false;
    return readReply() && m_replyClass == 2;
}

namespace {

enum class LogonField { User, Password, Account };

// Where a step leads: another position of the table or one of its two ends.
constexpr int kLoggedOn = -1;
constexpr int kFailed = -2;

struct LogonStep {
    int position;
    const char* verb;
    LogonField field;
    int afterClass2;
    int afterClass3;
};

constexpr LogonStep kNoFirewallSequence[] = {
    {0, "USER ", LogonField::User, kLoggedOn, 3},
    {3, "PASS ", LogonField::Password, kLoggedOn, 6},
    {6, "ACCT ", LogonField::Account, kLoggedOn, kFailed},
};

const LogonStep* findStep(int position) {
    for (const auto& step : kNoFirewallSequence) {
        if (step.position == position)
            return &step;
    }
    return nullptr;
}

} // namespace

bool FtpControlConnection::logOn(FtpLogonInfo info) {
    if (info.firewallType != 0) {
        m_replyLine = kLogonFailed;
        return false;
    }
    if (!connect(info.host, info.port))
        return false;
    if (!command(""))
        return false;

    int position = 0;
    // The table has three steps; a well-formed walk visits each at most once.
    for (std::size_t visited = 0; visited < std::size(kNoFirewallSequence); ++visited) {
        const LogonStep* step = findStep(position);
        if (!step)
            break;
        const std::string& value = step->field == LogonField::User       ? info.userName
                                   : step->field == LogonField::Password ? info.password
                                                                         : info.account;
        if (!sendCommand(std::string(step->verb) + value) || !readReply())
            return false;
        if (m_replyClass == 2)
            position = step->afterClass2;
        else if (m_replyClass == 3)
            position = step->afterClass3;
        else
            return false;
        if (position == kLoggedOn)
            return true;
        if (position == kFailed)
            break;
    }
    m_replyLine = kLogonFailed;
    return false;
}

void FtpControlConnection::quit() {
    if (isConnected())
        sendCommand("QUIT");
    close();
}

void FtpControlConnection::close() {
    m_writer.reset();
    m_reader.reset();
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}
