// CatalogueServer on a real loopback port, asked by real clients.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "serve/catalogue_server.h"
#include "tests/serve/raw_http.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string kSecret = "outside the catalogue";

// A catalogue folder with links that stay inside it and links that lead out,
// beside a secret file and a sibling folder whose name starts like it.
class CatalogueServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = dir / "catalogue";
        writeFile(folder / "zk000000.html", "<HTML>home</HTML>\n");
        writeFile(folder / "zki00000.html", "<HTML>index</HTML>\n");
        writeFile(folder / "sub" / "page.htm", "<HTML>sub</HTML>\n");
        writeFile(folder / "pic.gif", std::string("GIF89a\0\1\2", 9));
        writeFile(dir / "secret.txt", kSecret);
        writeFile(dir / "catalogue2" / "secret.txt", kSecret);
        fs::create_directory_symlink("sub", folder / "inside");
        fs::create_symlink("zk000000.html", folder / "alias.html");
        fs::create_symlink("../secret.txt", folder / "leak.txt");
        fs::create_symlink(dir.path() / "secret.txt", folder / "absolute.txt");
        fs::create_directory_symlink("..", folder / "up");
        fs::create_symlink("../catalogue2/secret.txt", folder / "sibling.txt");
    }

    int start() {
        EXPECT_EQ(server.start(0), ServeStart::Started);
        return server.port();
    }

    httplib::Client client() { return httplib::Client(kServeHost, server.port()); }

    TempDir dir;
    fs::path folder;
    CatalogueServer server{(dir / "catalogue").string()};
};

TEST_F(CatalogueServerTest, GetAnswersWithTheFileAndItsContentType) {
    start();
    struct Case {
        const char* path;
        std::string want;
        const char* type;
    };
    const Case cases[] = {
        {"/zk000000.html", "<HTML>home</HTML>\n", "text/html"},
        {"/", "<HTML>home</HTML>\n", "text/html"},
        {"/sub/page.htm", "<HTML>sub</HTML>\n", "text/html"},
        {"/pic.gif", std::string("GIF89a\0\1\2", 9), "image/gif"},
        {"/alias.html", "<HTML>home</HTML>\n", "text/html"},
        {"/inside/page.htm", "<HTML>sub</HTML>\n", "text/html"},
        {"/sub/./page.htm?zk000003", "<HTML>sub</HTML>\n", "text/html"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        auto result = client().Get(c.path);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(result->body, c.want);
        EXPECT_EQ(result->get_header_value("Content-Type"), c.type);
    }
    auto missing = client().Get("/zk999999.html");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
}

TEST_F(CatalogueServerTest, TheAddressNamesTheEntryPageTheFolderHas) {
    int port = start();
    std::string base = "http://127.0.0.1:" + std::to_string(port) + "/";
    EXPECT_EQ(server.address(), base + "zk000000.html");

    fs::remove(folder / "zk000000.html");
    EXPECT_EQ(server.address(), base + "zki00000.html");
    EXPECT_EQ(bodyOf(rawRequest(port, "GET", "/")), "<HTML>index</HTML>\n");

    fs::remove(folder / "zki00000.html");
    EXPECT_EQ(server.address(), base);
    EXPECT_EQ(statusOf(rawRequest(port, "GET", "/")), 404);
}

TEST_F(CatalogueServerTest, HeadAnswersWithTheHeadersAndNoBody) {
    int port = start();
    LoopbackConnection connection(port);
    ASSERT_TRUE(connection.send("HEAD /zk000000.html HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n"));
    std::string response = connection.receiveUntilClosed(10s);
    EXPECT_EQ(statusOf(response), 200) << response;
    EXPECT_NE(response.find("Content-Length: 18\r\n"), std::string::npos) << response;
    EXPECT_NE(response.find("Content-Type: text/html\r\n"), std::string::npos) << response;
    EXPECT_EQ(bodyOf(response), "");
    EXPECT_EQ(response.substr(response.size() - 4), "\r\n\r\n");
}

TEST_F(CatalogueServerTest, NothingOutsideTheFolderIsServed) {
    int port = start();
    const char* escapes[] = {
        "/../secret.txt",
        "/sub/../../secret.txt",
        "/%2e%2e/secret.txt",
        "/%2E%2e%2fsecret.txt",
        "/sub/..%2f..%2fsecret.txt",
        "/%2e%2e%2F%2e%2e%2Fsecret.txt",
        "/..\\secret.txt",
        "/%5c..%5csecret.txt",
        "/sub%5c..%5c..%5csecret.txt",
        "/leak.txt",
        "/absolute.txt",
        "/up/secret.txt",
        "/up/catalogue2/secret.txt",
        "/sibling.txt",
        "/zk000000.html%00.txt",
        "//secret.txt",
        "http://127.0.0.1/../secret.txt",
    };
    for (const char* target : escapes) {
        SCOPED_TRACE(target);
        std::string response = rawRequest(port, "GET", target);
        int status = statusOf(response);
        EXPECT_TRUE(status == 400 || status == 403 || status == 404) << response;
        EXPECT_EQ(response.find(kSecret), std::string::npos);
    }
}

TEST_F(CatalogueServerTest, OnlyGetAndHeadAreAnswered) {
    start();
    auto post = client().Post("/zk000000.html", "x=1", "application/x-www-form-urlencoded");
    ASSERT_TRUE(post);
    EXPECT_EQ(post->status, 405);
    EXPECT_EQ(post->get_header_value("Allow"), "GET, HEAD");
    for (const char* method : {"PUT", "DELETE", "OPTIONS", "PATCH"}) {
        SCOPED_TRACE(method);
        EXPECT_EQ(statusOf(rawRequest(server.port(), method, "/zk000000.html")), 405);
    }
    EXPECT_EQ(readFile(folder / "zk000000.html"), "<HTML>home</HTML>\n");
}

TEST_F(CatalogueServerTest, FilesThatAreNoRegularFilesAreNotServed) {
    ASSERT_EQ(::mkfifo((folder / "pipe.html").c_str(), 0600), 0);
    int port = start();
    EXPECT_EQ(statusOf(rawRequest(port, "GET", "/pipe.html")), 404);
    EXPECT_EQ(statusOf(rawRequest(port, "GET", "/sub")), 404);
    EXPECT_EQ(statusOf(rawRequest(port, "GET", "/inside/")), 404);
}

TEST_F(CatalogueServerTest, AClientHoldingAConnectionDoesNotKeepOthersWaiting) {
    int port = start();
    // One client keeps its connection open after a request, another has
    // connected and sent nothing yet; a third still gets its pages.
    LoopbackConnection keptAlive(port);
    ASSERT_TRUE(keptAlive.send("GET /zk000000.html HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    EXPECT_EQ(statusOf(keptAlive.receiveResponse(false, 10s)), 200);
    LoopbackConnection silent(port);
    ASSERT_TRUE(silent.connected());

    auto started = std::chrono::steady_clock::now();
    for (const char* path : {"/zki00000.html", "/sub/page.htm", "/pic.gif"}) {
        SCOPED_TRACE(path);
        auto result = client().Get(path);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 200);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms);
}

TEST_F(CatalogueServerTest, ManyClientsAtOnceAreAllServed) {
    start();
    std::atomic<int> served{0};
    auto started = std::chrono::steady_clock::now();
    std::vector<std::thread> clients;
    for (int i = 0; i < 12; ++i) {
        clients.emplace_back([&] {
            httplib::Client c(kServeHost, server.port());
            for (int n = 0; n < 5; ++n) {
                auto result = c.Get("/pic.gif");
                if (result && result->status == 200 && result->body.size() == 9)
                    ++served;
            }
        });
    }
    for (auto& t : clients)
        t.join();
    EXPECT_EQ(served, 60);
    // A connection refused for a full listening queue is retried a second later.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 900ms);
}

TEST_F(CatalogueServerTest, IdleClientsAreLetGo) {
    int port = start();
    LoopbackConnection silent(port);
    LoopbackConnection halfRequest(port);
    ASSERT_TRUE(halfRequest.send("GET /zk000000.html HTTP/1.1\r\nHost: 12"));
    EXPECT_TRUE(silent.closedByServerWithin(10s));
    std::string answer = halfRequest.receiveUntilClosed(15s);
    EXPECT_EQ(answer.find("home"), std::string::npos) << answer;
    EXPECT_TRUE(halfRequest.closedByServerWithin(1s));
}

TEST_F(CatalogueServerTest, StopReturnsPromptlyWhileClientsAreConnected) {
    int port = start();
    LoopbackConnection keptAlive(port);
    ASSERT_TRUE(keptAlive.send("GET /zk000000.html HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    EXPECT_EQ(statusOf(keptAlive.receiveResponse(false, 10s)), 200);
    LoopbackConnection silent(port);
    ASSERT_TRUE(silent.connected());

    auto started = std::chrono::steady_clock::now();
    server.stop();
    // Well inside the time an idle connection is otherwise kept.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_FALSE(server.isRunning());
    EXPECT_FALSE(LoopbackConnection(port).connected());
}

TEST_F(CatalogueServerTest, APortInUseIsReported) {
    int port = start();
    CatalogueServer second(folder.string());
    EXPECT_EQ(second.start(port), ServeStart::PortInUse);
    EXPECT_EQ(statusOf(rawRequest(port, "GET", "/")), 200);

    CatalogueServer nowhere((dir / "none").string());
    EXPECT_EQ(nowhere.start(0), ServeStart::FolderMissing);
}

TEST_F(CatalogueServerTest, ItListensOnLoopbackOnly) {
    int port = start();
    ifaddrs* interfaces = nullptr;
    ASSERT_EQ(::getifaddrs(&interfaces), 0);
    int tried = 0;
    for (ifaddrs* entry = interfaces; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        sockaddr_in address = *reinterpret_cast<sockaddr_in*>(entry->ifa_addr);
        if (ntohl(address.sin_addr.s_addr) >> 24 == 127)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
        SCOPED_TRACE(text);
        httplib::Client other(text, port);
        other.set_connection_timeout(2s);
        EXPECT_FALSE(other.Get("/"));
        ++tried;
    }
    ::freeifaddrs(interfaces);
    if (tried == 0)
        GTEST_SKIP() << "no address but loopback on this machine";
}

} // namespace
