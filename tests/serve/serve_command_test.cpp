// vimra-cli serve as a child process on a fresh copy of the program directory.
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <httplib.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>
#include <vector>

#include "tests/serve/raw_http.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

extern char** environ;

namespace {

// vimra-cli with VIMRA_HOME set to home, its stdout on a pipe and its stderr
// in a file. Killed if a test leaves it running.
class VimraProcess {
public:
    VimraProcess(const fs::path& home, const fs::path& errors, const std::vector<std::string>& args) {
        std::vector<std::string> environment = {"VIMRA_HOME=" + home.string()};
        for (char** entry = environ; *entry; ++entry) {
            if (std::string_view(*entry).rfind("VIMRA_HOME=", 0) != 0)
                environment.emplace_back(*entry);
        }
        std::string program = (home / "vimra-cli").string();
        std::vector<char*> argv = {program.data()};
        std::vector<std::string> argsCopy = args;
        for (auto& arg : argsCopy)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string errorPath = errors.string();

        int out[2];
        if (::pipe(out) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            int err = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(err, STDERR_FILENO);
            ::close(out[0]);
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(out[1]);
        m_out = out[0];
    }

    ~VimraProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            ::close(m_out);
    }

    // The first line of its output, without the newline; empty when none
    // arrives within timeout.
    std::string firstLine(std::chrono::milliseconds timeout) {
        std::string line;
        auto deadline = std::chrono::steady_clock::now() + timeout;
        pollfd readable{m_out, POLLIN, 0};
        char c;
        while (std::chrono::steady_clock::now() < deadline) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (::poll(&readable, 1, static_cast<int>(left.count()) + 1) != 1 || ::read(m_out, &c, 1) != 1)
                break;
            if (c == '\n')
                return line;
            line += c;
        }
        return {};
    }

    void signal(int number) { ::kill(m_pid, number); }

    // The exit status, or -1 when it did not exit normally within timeout.
    int exitStatus(std::chrono::milliseconds timeout) {
        auto deadline = std::chrono::steady_clock::now() + timeout;
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            pid_t done = ::waitpid(m_pid, &status, WNOHANG);
            if (done == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

class ServeCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = dir / "program";
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, home);
    }

    int portOf(const std::string& address) {
        std::string prefix = "http://127.0.0.1:";
        if (address.rfind(prefix, 0) != 0)
            return 0;
        return std::atoi(address.c_str() + prefix.size());
    }

    std::string errors() { return readFile(dir / "stderr.txt"); }

    TempDir dir;
    fs::path home;
};

TEST_F(ServeCommandTest, ServesTheGeneratedCatalogueUntilInterrupted) {
    fs::path entryPage;
    {
        VimraProcess create(home, dir / "stderr.txt", {"create"});
        entryPage = create.firstLine(120s);
        ASSERT_EQ(create.exitStatus(120s), 0) << errors();
    }
    ASSERT_EQ(entryPage.parent_path(), home / "output");
    ASSERT_TRUE(fs::is_regular_file(entryPage)) << entryPage;

    VimraProcess serve(home, dir / "stderr.txt", {"serve", "--port", "0"});
    std::string address = serve.firstLine(10s);
    int port = portOf(address);
    ASSERT_GT(port, 0) << address << errors();
    EXPECT_EQ(address, "http://127.0.0.1:" + std::to_string(port) + "/" + entryPage.filename().string());
    EXPECT_NE(errors().find("Ctrl-C"), std::string::npos) << errors();

    httplib::Client client(address.substr(0, address.rfind('/')));
    auto page = client.Get("/" + entryPage.filename().string());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->body, readFile(entryPage));
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html");
    EXPECT_EQ(statusOf(rawRequest(port, "GET", "/%2e%2e/ZK002.dat")), 403);

    serve.signal(SIGINT);
    EXPECT_EQ(serve.exitStatus(10s), 0) << errors();
    EXPECT_FALSE(LoopbackConnection(port).connected());
}

TEST_F(ServeCommandTest, ANamedFolderIsServedAndSigtermEndsIt) {
    writeFile(dir / "shop" / "zki00000.html", "<HTML>index</HTML>\n");
    VimraProcess serve(home, dir / "stderr.txt", {"serve", (dir / "shop").string(), "--port", "0"});
    std::string address = serve.firstLine(10s);
    int port = portOf(address);
    ASSERT_GT(port, 0) << address << errors();
    EXPECT_EQ(address, "http://127.0.0.1:" + std::to_string(port) + "/zki00000.html");
    EXPECT_EQ(bodyOf(rawRequest(port, "GET", "/")), "<HTML>index</HTML>\n");

    serve.signal(SIGTERM);
    EXPECT_EQ(serve.exitStatus(10s), 0) << errors();
}

TEST_F(ServeCommandTest, APortInUseOrAMissingFolderFailsWithAMessage) {
    writeFile(dir / "shop" / "zk000000.html", "<HTML>home</HTML>\n");
    VimraProcess first(home, dir / "first.txt", {"serve", (dir / "shop").string(), "--port", "0"});
    int port = portOf(first.firstLine(10s));
    ASSERT_GT(port, 0) << readFile(dir / "first.txt");

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"serve", (dir / "shop").string(), "--port", std::to_string(port)}, 1,
         "vimra-cli: port " + std::to_string(port) + " is in use; choose another with --port N\n"},
        {{"serve", (dir / "none").string(), "--port", "0"}, 1,
         "vimra-cli: there is no folder " + (dir / "none").string() + " to serve\n"},
        {{"serve", "--port", "http"}, 2, "usage: vimra-cli serve [FOLDER] [--port N]"},
        {{"serve", "--port", "70000"}, 2, "usage: vimra-cli serve [FOLDER] [--port N]"},
        {{"serve", "a", "b"}, 2, "usage: vimra-cli serve [FOLDER] [--port N]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args.back());
        VimraProcess second(home, dir / "stderr.txt", c.args);
        EXPECT_EQ(second.exitStatus(10s), c.status);
        EXPECT_EQ(errors().rfind(c.message, 0), 0u) << errors();
    }
    EXPECT_EQ(statusOf(rawRequest(port, "GET", "/")), 200);
}

} // namespace
