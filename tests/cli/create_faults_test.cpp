// vimra-cli create on output it cannot write: a full file system (a file
// size limit, and a small tmpfs where mounting is allowed), a read-only
// output folder and an output path that is a file. The command must fail,
// say how many files it could not write, and leave the data file and the
// settings files as they were.
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string errors;
};

class CreateFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = dir / "program";
        fs::copy(VIMRA_PROGRAM_DIR, home, fs::copy_options::recursive);
        for (const char* name : {"ZK002.dat", "ZK003.dat", "zkas.dat", "files01.dat"})
            fs::remove(home / name);
        for (const char* folder : {"output", "tempout", "search"})
            fs::remove_all(home / folder);
        // A first run writes the settings files the faulty runs must keep.
        ASSERT_EQ(vimra({"create"}).status, 0);
        fs::remove_all(home / "output");
        for (const char* name : {"ZK002.dat", "ZK003.dat", "example/example.txt"})
            kept.push_back({home / name, readFile(home / name)});
    }

    void TearDown() override {
        if (mounted)
            ::umount2(mountPoint().c_str(), MNT_DETACH);
    }

    fs::path mountPoint() const { return dir / "small"; }

    // Runs vimra-cli as a child; fileSizeLimit > 0 makes every write past
    // that size fail with EFBIG, as on a full disk.
    // Its output comes through pipes, which the file size limit does not reach.
    CommandResult vimra(const std::vector<std::string>& args, rlim_t fileSizeLimit = 0) {
        int outPipe[2], errPipe[2];
        if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0)
            return {};
        pid_t child = ::fork();
        if (child == 0) {
            ::dup2(outPipe[1], 1);
            ::dup2(errPipe[1], 2);
            for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
                ::close(fd);
            ::setenv("VIMRA_HOME", home.c_str(), 1);
            if (fileSizeLimit > 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{fileSizeLimit, fileSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            std::vector<char*> argv;
            const std::string program = (home / "vimra-cli").string();
            argv.push_back(const_cast<char*>(program.c_str()));
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(outPipe[1]);
        ::close(errPipe[1]);
        CommandResult result;
        pollfd pipes[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
        std::string* texts[2] = {&result.out, &result.errors};
        for (int open = 2; open > 0 && ::poll(pipes, 2, 60000) > 0;) {
            for (int i = 0; i < 2; ++i) {
                if (pipes[i].fd < 0 || pipes[i].revents == 0)
                    continue;
                char buffer[4096];
                ssize_t n = ::read(pipes[i].fd, buffer, sizeof buffer);
                if (n > 0) {
                    texts[i]->append(buffer, static_cast<std::size_t>(n));
                } else {
                    ::close(pipes[i].fd);
                    pipes[i].fd = -1;
                    --open;
                }
            }
        }
        for (const pollfd& p : pipes)
            if (p.fd >= 0)
                ::close(p.fd);
        int status = 0;
        if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
            result.status = WEXITSTATUS(status);
        return result;
    }

    void expectFailureNamingTheCount(const CommandResult& result) {
        EXPECT_EQ(result.status, 1) << result.errors;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.errors.find("could not be written\nerror producing catalogue\n"), std::string::npos)
            << result.errors;
        for (const auto& [path, bytes] : kept)
            EXPECT_EQ(readFile(path), bytes) << path;
    }

    void setOutputDir(const fs::path& folder) {
        ASSERT_EQ(vimra({"settings", "set", "outputDir=" + folder.string()}).status, 0);
        kept[0].second = readFile(home / "ZK002.dat");
    }

    TempDir dir;
    fs::path home;
    std::vector<std::pair<fs::path, std::string>> kept;
    bool mounted = false;
};

TEST_F(CreateFaultsTest, FullDiskByFileSizeLimit) {
    // Smaller than the settings files and most pages: saving the settings
    // fails as well, which must leave the old ones in place.
    CommandResult result = vimra({"create"}, 1500);
    expectFailureNamingTheCount(result);
    EXPECT_NE(result.errors.find("failed to write <" + (home / "output").string()), std::string::npos)
        << result.errors;
}

TEST_F(CreateFaultsTest, FullDiskOnASmallFileSystem) {
    fs::create_directories(mountPoint());
    if (::mount("tmpfs", mountPoint().c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    mounted = true;
    setOutputDir(mountPoint() / "output");
    CommandResult result = vimra({"create"});
    expectFailureNamingTheCount(result);
}

TEST_F(CreateFaultsTest, OutputThatCannotBeWritten) {
    struct Case {
        const char* name;
        fs::path outputDir;
        bool readOnly;
    };
    writeFile(dir / "a-file", "x");
    const Case cases[] = {
        {"output path is a file", dir / "a-file", false},
        {"read-only output folder", dir / "read-only", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.readOnly) {
            fs::create_directories(c.outputDir);
            fs::permissions(c.outputDir, fs::perms::owner_read | fs::perms::owner_exec);
            if (::access(c.outputDir.c_str(), W_OK) == 0) {
                std::printf("skipped: a read-only folder stays writable for this user\n");
                continue;
            }
        }
        setOutputDir(c.outputDir);
        expectFailureNamingTheCount(vimra({"create"}));
    }
}

} // namespace
