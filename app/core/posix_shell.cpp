#include "app/core/posix_shell.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs program (looked up on PATH when it names no folder) in a grandchild
// that the init process adopts, so nobody has to wait for it. A pipe closed
// on exec tells whether the exec itself succeeded.
bool spawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingDir) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    pid_t middle = ::fork();
    if (middle < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (middle == 0) {
        ::close(report[0]);
        ::setsid();
        pid_t child = ::fork();
        if (child == 0) {
            if (workingDir.empty() || ::chdir(workingDir.c_str()) == 0)
                ::execvp(argv[0], argv.data());
            int error = errno;
            [[maybe_unused]] ssize_t n = ::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(child < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    // Nothing read: the exec went through.
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

} // namespace

bool PosixShell::openWithDefaultProgram(const std::string& path, const std::string& workingDir) {
    return spawnDetached("xdg-open", {path}, workingDir);
}

bool PosixShell::startDetached(const std::string& program, const std::vector<std::string>& arguments) {
    return spawnDetached(program, arguments, "");
}
