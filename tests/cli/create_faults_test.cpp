// vimra-cli create on output it cannot write: a full file system (a file
// size limit, and a small tmpfs where mounting is allowed), a read-only
// output folder and an output path that is a file. The command must fail,
// say how many files it could not write, and leave the data file and the
// settings files as they were.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

using CommandResult = ChildResult;

class CreateFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = dir / "program";
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, home);
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
    CommandResult vimra(const std::vector<std::string>& args, rlim_t fileSizeLimit = 0) {
        return runChild(home / "vimra-cli", args, {{{"VIMRA_HOME", home.string()}}, fileSizeLimit});
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
