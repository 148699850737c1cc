// vimra-cli upload, run as a user runs it, against the loopback FTP server.
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "model/paths.h"
#include "model/settings_record.h"
#include "tests/support/temp_dir.h"
#include "tests/upload/ftp_server_process.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitStatus = -1;
    std::string output;
};

// Runs vimra-cli with VIMRA_HOME set, collecting stdout and stderr together;
// onOutput sees the output so far and may signal the process.
CliRun runCli(const std::string& home, std::vector<std::string> args,
           const std::function<void(pid_t, const std::string&)>& onOutput = {}) {
    std::string program = std::string(VIMRA_PROGRAM_DIR) + "/vimra-cli";
    args.insert(args.begin(), {program, "upload"});
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::string homeVariable = "VIMRA_HOME=" + home;
    std::vector<char*> env = {homeVariable.data(), nullptr};

    CliRun run;
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, output[1], 2);
    pid_t pid = -1;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0) {
        ::close(output[0]);
        return run;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    char buffer[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{output[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        ssize_t n = ::read(output[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        run.output.append(buffer, static_cast<std::size_t>(n));
        if (onOutput)
            onOutput(pid, run.output);
    }
    ::close(output[0]);
    if (std::chrono::steady_clock::now() >= deadline)
        ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class UploadCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(std::string(VIMRA_PROGRAM_DIR) + "/vimra-cli"))
            GTEST_SKIP() << "vimra-cli is not built";
        m_server = std::make_unique<FtpServerProcess>(FtpServerProcess::Options{.home = m_remote.str()});
        ASSERT_TRUE(m_server->running());
        std::memset(&settings, 0, sizeof settings);
        for (auto& target : settings.ftpTargets) {
            copyField(target.host, "127.0.0.1");
            copyField(target.userName, "shop");
            copyField(target.password, "secret");
            target.port = m_server->port();
        }
        copyField(settings.outputDir, (m_home / "out").string());
    }

    void saveSettings() {
        writeFile(m_home / "ZK002.dat",
                  std::string_view(reinterpret_cast<const char*>(&settings), sizeof settings));
    }

    void writeCatalogue(int count) {
        std::string list;
        for (int i = 0; i < count; ++i) {
            std::string name = "zk" + std::to_string(100000 + i) + ".html";
            writeFile(m_home / "out" / name, "page " + std::to_string(i) + "\n");
            list += (m_home / "out" / name).string() + "\n";
        }
        writeFile(m_home / "files01.dat", list);
    }

    TempDir m_remote;
    TempDir m_home;
    std::unique_ptr<FtpServerProcess> m_server;
    GeneralSettings settings;
};

TEST_F(UploadCommandTest, TickedPartsOrThoseNamed) {
    struct Case {
        const char* name;
        bool catalogueTicked;
        std::vector<std::string> args;
        int exitStatus;
        const char* summary;
    };
    const Case cases[] = {
        {"ticked catalogue", true, {}, 0, "3 files sent, 0 failed\n"},
        {"nothing ticked", false, {}, 0, "0 files sent, 0 failed\n"},
        {"catalogue named", false, {"--catalogue"}, 0, "3 files sent, 0 failed\n"},
        {"order form named, but not written", true, {"--order-form"}, 1, "0 files sent, 1 failed\n"},
        {"unknown option", true, {"--everything"}, 2, "usage: vimra-cli upload"},
    };
    writeCatalogue(3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.transferCatalogue = c.catalogueTicked;
        saveSettings();
        CliRun run = runCli(m_home.str(), c.args);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        EXPECT_NE(run.output.find(c.summary), std::string::npos) << run.output;
    }
    EXPECT_EQ(readFile(m_remote / "zk100002.html"), "page 2\n");
}

TEST_F(UploadCommandTest, AFailedFileIsExplainedAndMakesTheExitStatusNonZero) {
    m_server = std::make_unique<FtpServerProcess>(
        FtpServerProcess::Options{.home = m_remote.str(), .hangUp = "zk100001.html"});
    ASSERT_TRUE(m_server->running());
    settings.ftpTargets[0].port = m_server->port();
    settings.transferCatalogue = 1;
    saveSettings();
    writeCatalogue(3);
    CliRun run = runCli(m_home.str(), {});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.output.find("2 files sent, 1 failed\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("was not sent to zk100001.html: connection closed by the server\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(readFile(m_remote / "zk100002.html"), "page 2\n");
}

TEST_F(UploadCommandTest, InterruptCancelsTheUpload) {
    const int count = 1500;
    writeCatalogue(count);
    settings.transferCatalogue = 1;
    saveSettings();
    bool interrupted = false;
    CliRun run = runCli(m_home.str(), {}, [&](pid_t pid, const std::string& output) {
        if (!interrupted && output.find("transferring file 2 . . .") != std::string::npos) {
            ::kill(pid, SIGINT);
            interrupted = true;
        }
    });
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.output.find("Transfer cancelled\n"), std::string::npos);
    EXPECT_NE(run.output.find(", cancelled\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_remote / ("zk" + std::to_string(100000 + count - 1) + ".html")));
}

} // namespace
