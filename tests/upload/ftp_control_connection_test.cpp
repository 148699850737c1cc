#include "upload/ftp_control_connection.h"

#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A one-connection server on 127.0.0.1: sends the first reply as its greeting
// and then one reply for each line it receives, recording the lines. A reply
// of nullopt is never sent: the server stays silent.
class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<std::optional<std::string>> replies) : m_replies(std::move(replies)) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listener, 1) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }

    ~ScriptedServer() {
        if (m_thread.joinable())
            m_thread.join();
        ::close(m_listener);
    }

    int port() const { return m_port; }

    // The lines received; complete once the client has closed its connection.
    const std::vector<std::string>& received() {
        if (m_thread.joinable())
            m_thread.join();
        return m_received;
    }

private:
    static bool readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, 5000) > 0;
    }

    void serve() {
        if (!readable(m_listener))
            return;
        int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        std::size_t next = 0;
        auto reply = [&] {
            if (next < m_replies.size() && m_replies[next])
                ::send(client, m_replies[next]->data(), m_replies[next]->size(), MSG_NOSIGNAL);
            ++next;
        };
        reply();
        std::string line;
        char c;
        while (readable(client) && ::recv(client, &c, 1, 0) == 1) {
            if (c != '\n') {
                line += c;
                continue;
            }
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            m_received.push_back(line);
            line.clear();
            reply();
        }
        ::close(client);
    }

    std::vector<std::optional<std::string>> m_replies;
    std::vector<std::string> m_received;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
};

FtpLogonInfo logonTo(int port) {
    FtpLogonInfo info;
    info.host = "127.0.0.1";
    info.port = port;
    info.userName = "shop";
    info.password = "secret";
    return info;
}

TEST(FtpControlConnectionTest, LogonSequence) {
    struct Case {
        const char* name;
        std::vector<std::optional<std::string>> replies;
        bool loggedOn;
        std::string replyLine;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"user and password", {"220 ready\r\n", "331 password please\r\n", "230 logged on\r\n"}, true,
         "230 logged on", {"USER shop", "PASS secret"}},
        {"user alone is enough", {"220 ready\r\n", "230 no password needed\r\n"}, true,
         "230 no password needed", {"USER shop"}},
        {"account asked twice", {"220 ready\r\n", "331 password\r\n", "332 account\r\n", "332 again\r\n"}, false,
         "Logon failed", {"USER shop", "PASS secret", "ACCT "}},
        {"account accepted", {"220 ready\r\n", "331 password\r\n", "332 account\r\n", "230 in\r\n"}, true,
         "230 in", {"USER shop", "PASS secret", "ACCT "}},
        {"busy greeting", {"421 too busy, try later\r\n"}, false, "421 too busy, try later", {}},
        {"password refused", {"220 ready\r\n", "331 password\r\n", "530 Login incorrect.\r\n"}, false,
         "530 Login incorrect.", {"USER shop", "PASS secret"}},
        {"user refused", {"220 ready\r\n", "501 bad user\r\n"}, false, "501 bad user", {"USER shop"}},
        {"multi-line greeting",
         {"220-Welcome\r\n230 not the end\r\n220-still going\r\n 220 indented\r\n220 ready\r\n", "230 ok\r\n"}, true,
         "230 ok", {"USER shop"}},
        {"multi-line reply to the password",
         {"220 ready\r\n", "331 password\r\n", "230-first\r\n230-second\r\n230 done\r\n"}, true, "230 done",
         {"USER shop", "PASS secret"}},
        {"closed during the logon", {"220 ready\r\n", std::nullopt}, false, "Network error", {"USER shop"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.replies);
        ASSERT_GT(server.port(), 0);
        FtpControlConnection connection(2s);
        if (!c.replies.back())
            connection.setTimeout(300ms);
        EXPECT_EQ(connection.logOn(logonTo(server.port())), c.loggedOn);
        EXPECT_EQ(connection.replyLine(), c.replyLine);
        connection.close();
        EXPECT_EQ(server.received(), c.sent);
    }
}

TEST(FtpControlConnectionTest, MultiLineReplyEndsAtItsOwnNumber) {
    ScriptedServer server({"220-Welcome\r\n421 not mine\r\n220-more\r\n220 ready\r\n", "200 fine\r\n"});
    FtpControlConnection connection(2s);
    ASSERT_TRUE(connection.connect("127.0.0.1", server.port()));
    EXPECT_TRUE(connection.command(""));
    EXPECT_EQ(connection.replyLine(), "220 ready");
    EXPECT_EQ(connection.replyClass(), 2);
    EXPECT_TRUE(connection.command("NOOP"));
    EXPECT_EQ(connection.replyLine(), "200 fine");
    connection.quit();
    EXPECT_FALSE(connection.isConnected());
    EXPECT_EQ(server.received(), (std::vector<std::string>{"NOOP", "QUIT"}));
}

TEST(FtpControlConnectionTest, CommandIsTrueOnlyForClassTwo) {
    ScriptedServer server({"220 ready\r\n", "350 pending\r\n", "550 no such file\r\n"});
    FtpControlConnection connection(2s);
    ASSERT_TRUE(connection.connect("localhost", server.port()));
    ASSERT_TRUE(connection.command(""));
    EXPECT_FALSE(connection.command("RNFR a"));
    EXPECT_EQ(connection.replyClass(), 3);
    EXPECT_FALSE(connection.command("RNTO b"));
    EXPECT_EQ(connection.replyLine(), "550 no such file");
    EXPECT_EQ(connection.replyClass(), 5);
}

TEST(FtpControlConnectionTest, CommandWithALineBreakIsNotSent) {
    ScriptedServer server({"220 ready\r\n", "200 ok\r\n"});
    FtpControlConnection connection(2s);
    ASSERT_TRUE(connection.connect("127.0.0.1", server.port()));
    ASSERT_TRUE(connection.command(""));
    EXPECT_FALSE(connection.sendCommand("site chmod 755 x\r\nDELE index.html"));
    EXPECT_EQ(connection.replyLine(), "Network error");
    EXPECT_TRUE(connection.command("NOOP"));
    connection.close();
    EXPECT_EQ(server.received(), (std::vector<std::string>{"NOOP"}));
}

TEST(FtpControlConnectionTest, UnreachableServer) {
    // A port held by a socket that never listens: connections to it are
    // refused, and no other program can start listening on it meanwhile.
    int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length), 0);
    int port = ntohs(address.sin_port);
    struct ProbeCloser {
        int fd;
        ~ProbeCloser() { ::close(fd); }
    } closer{probe};

    struct Case {
        const char* name;
        std::string host;
        int port;
    };
    const Case cases[] = {
        {"closed port", "127.0.0.1", port},
        {"closed port over IPv6 or IPv4", "localhost", port},
        {"unknown host", "no-such-host.invalid", 21},
        {"port out of range", "127.0.0.1", 70000},
        {"no host", "", 21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FtpControlConnection connection(2s);
        EXPECT_FALSE(connection.connect(c.host, c.port));
        EXPECT_EQ(connection.replyLine(), "Unable to connect to server");
        EXPECT_FALSE(connection.isConnected());
        FtpLogonInfo info = logonTo(c.port);
        info.host = c.host;
        EXPECT_FALSE(connection.logOn(info));
        EXPECT_EQ(connection.replyLine(), "Unable to connect to server");
    }
}

TEST(FtpControlConnectionTest, SilentServerTimesOut) {
    ScriptedServer server({std::nullopt});
    FtpControlConnection connection(300ms);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(connection.logOn(logonTo(server.port())));
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(connection.replyLine(), "Network error");
    EXPECT_LT(elapsed, 3s);
    connection.close();
    EXPECT_TRUE(server.received().empty());
}

TEST(FtpControlConnectionTest, CancelEndsEveryWait) {
    struct Case {
        const char* name;
        std::vector<std::optional<std::string>> replies;
    };
    const Case cases[] = {
        {"no greeting", {std::nullopt}},
        {"user name never answered", {"220 ready\r\n", std::nullopt}},
        {"password never answered", {"220 ready\r\n", "331 password\r\n", std::nullopt}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.replies);
        std::atomic<bool> cancel{false};
        FtpControlConnection connection(30s);
        connection.setCancelFlag(&cancel);
        std::thread canceller([&] {
            std::this_thread::sleep_for(300ms);
            cancel = true;
        });
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(connection.logOn(logonTo(server.port())));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
        EXPECT_TRUE(connection.cancelled());
        canceller.join();
        connection.close();
    }
}

TEST(FtpControlConnectionTest, OnlyTheDirectLogonIsSupported) {
    FtpLogonInfo info = logonTo(21);
    info.firewallType = 9;
    FtpControlConnection connection(1s);
    EXPECT_FALSE(connection.logOn(info));
    EXPECT_FALSE(connection.isConnected());
}

TEST(FtpControlConnectionTest, CloseIsHarmlessAndTheObjectReusable) {
    FtpControlConnection connection(2s);
    connection.close();
    connection.quit();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ScriptedServer server({"220 ready\r\n", "230 ok\r\n"});
        EXPECT_TRUE(connection.logOn(logonTo(server.port())));
        connection.close();
        EXPECT_FALSE(connection.isConnected());
    }
}

} // namespace
