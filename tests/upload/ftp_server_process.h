#pragma once
// Starts ftp_test_server.py (a real FTP server on 127.0.0.1, on a free port)
// and stops it again; shared by the upload tests and the upload benchmark.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <utility>
#include <unistd.h>
#include <vector>

extern char** environ;

class FtpServerProcess {
public:
    struct Options {
        std::string home;
        std::string user = "shop";
        std::string password = "secret";
        std::string siteLog;
        std::string transferLog;
        bool refuseActive = false;
        bool activeUnreachable = false;
        bool refusePassive = false;
        int maxConsPerIp = 0;
        // Fault modes, each for the first transfer of the file of that name.
        std::string dropTransfer;
        std::string hangUp;
        std::string stallTransfer;
        // For the remote folder browser: CWD into a folder of this name is
        // refused; this command is never answered; MLSD is unknown.
        std::string refuseCwd;
        std::string ignoreCommand;
        bool noMlsd = false;
    };

    explicit FtpServerProcess(const Options& options) { start(options); }
    ~FtpServerProcess() { stop(); }
    FtpServerProcess(const FtpServerProcess&) = delete;
    FtpServerProcess& operator=(const FtpServerProcess&) = delete;

    bool running() const { return m_port > 0; }
    int port() const { return m_port; }

    // Closing its stdin ends the server; a server that does not go is killed.
    void stop() {
        if (m_input >= 0) {
            ::close(m_input);
            m_input = -1;
        }
        if (m_output >= 0) {
            ::close(m_output);
            m_output = -1;
        }
        if (m_pid > 0) {
            bool ended = false;
            for (int i = 0; i < 100 && !ended; ++i) {
                ended = ::waitpid(m_pid, nullptr, WNOHANG) == m_pid;
                if (!ended)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            if (!ended) {
                ::kill(m_pid, SIGKILL);
                ::waitpid(m_pid, nullptr, 0);
            }
            m_pid = -1;
        }
        m_port = 0;
    }

    static std::string scriptPath() {
        return (std::filesystem::path(__FILE__).parent_path() / "ftp_test_server.py").string();
    }

private:
    void start(const Options& options) {
        std::vector<std::string> args = {"/usr/bin/python3", scriptPath(), "--home", options.home,
                                         "--user", options.user, "--password", options.password};
        if (!options.siteLog.empty()) {
            args.push_back("--site-log");
            args.push_back(options.siteLog);
        }
        if (!options.transferLog.empty()) {
            args.push_back("--transfer-log");
            args.push_back(options.transferLog);
        }
        if (options.refuseActive)
            args.push_back("--refuse-active");
        if (options.activeUnreachable)
            args.push_back("--active-unreachable");
        if (options.refusePassive)
            args.push_back("--refuse-passive");
        if (options.maxConsPerIp > 0) {
            args.push_back("--max-cons-per-ip");
            args.push_back(std::to_string(options.maxConsPerIp));
        }
        if (options.noMlsd)
            args.push_back("--no-mlsd");
        const std::pair<const char*, const std::string*> faults[] = {
            {"--drop-transfer", &options.dropTransfer},
            {"--hang-up", &options.hangUp},
            {"--stall-transfer", &options.stallTransfer},
            {"--refuse-cwd", &options.refuseCwd},
            {"--ignore-command", &options.ignoreCommand},
        };
        for (const auto& [flag, name] : faults) {
            if (!name->empty()) {
                args.push_back(flag);
                args.push_back(*name);
            }
        }
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);

        int input[2];
        int output[2];
        if (::pipe2(input, O_CLOEXEC) != 0)
            return;
        if (::pipe2(output, O_CLOEXEC) != 0) {
            ::close(input[0]);
            ::close(input[1]);
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], 0);
        posix_spawn_file_actions_adddup2(&actions, output[1], 1);
        pid_t pid = -1;
        int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(input[0]);
        ::close(output[1]);
        m_input = input[1];
        m_output = output[0];
        if (spawned != 0)
            return;
        m_pid = pid;
        m_port = readPort();
        if (m_port <= 0)
            stop();
    }

    // The first line the server prints, waiting at most ten seconds for it.
    int readPort() {
        std::string line;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd p{m_output, POLLIN, 0};
            int n = ::poll(&p, 1, 100);
            if (n < 0 && errno != EINTR)
                return 0;
            if (n <= 0)
                continue;
            char c;
            ssize_t got = ::read(m_output, &c, 1);
            if (got <= 0)
                return 0;
            if (c == '\n')
                return std::atoi(line.c_str());
            line += c;
        }
        return 0;
    }

    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    int m_port = 0;
};
