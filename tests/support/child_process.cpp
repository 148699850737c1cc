#include "tests/support/child_process.h"

#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void execChild(const fs::path& program, const std::vector<std::string>& args,
                            const ChildOptions& options) {
    for (const auto& [name, value] : options.environment)
        ::setenv(name.c_str(), value.c_str(), 1);
    if (options.fileSizeLimit > 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    const std::string path = program.string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(path.c_str(), argv.data());
    ::_exit(127);
}

} // namespace

ChildResult runChild(const fs::path& program, const std::vector<std::string>& args, const ChildOptions& options) {
    ChildResult result;
    int outPipe[2], errPipe[2];
    if (::pipe(outPipe) != 0)
        return result;
    if (::pipe(errPipe) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return result;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
            ::close(fd);
        execChild(program, args, options);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    pollfd pipes[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* texts[2] = {&result.out, &result.errors};
    // A child that hangs fails the test after a minute instead of stopping the suite.
    for (int open = 2; open > 0 && ::poll(pipes, 2, 60000) > 0;) {
        for (int i = 0; i < 2; ++i) {
            if (pipes[i].fd < 0 || pipes[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t n = ::read(pipes[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                ::close(pipes[i].fd);
                pipes[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& p : pipes) {
        if (p.fd >= 0) {
            ::close(p.fd);
            if (child > 0)
                ::kill(child, SIGKILL);
        }
    }
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

void copyFreshProgramDirectory(const fs::path& from, const fs::path& to) {
    fs::copy(from, to, fs::copy_options::recursive);
    for (const char* name : {"ZK002.dat", "ZK003.dat", "zkas.dat", "files01.dat"})
        fs::remove(to / name);
    for (const char* folder : {"output", "tempout", "search"})
        fs::remove_all(to / folder);
}
