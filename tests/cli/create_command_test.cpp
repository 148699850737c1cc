// vimra-cli create and preview on a fresh copy of the built program directory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "model/paths.h"
#include "model/settings_record.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct CommandResult {
    int status;
    std::string out;
};

class CreateCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = dir / "program";
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, home);
    }

    CommandResult vimra(const std::string& args) {
        std::string command = "VIMRA_HOME='" + home.string() + "' '" + (home / "vimra-cli").string() + "' " +
                              args + " 2>'" + (dir / "stderr.txt").string() + "'";
        CommandResult result{-1, {}};
        std::FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return result;
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.out.append(buffer, n);
        int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }

    std::string generalField(const std::string& bytes, std::size_t offset) {
        return std::string(bytes.c_str() + offset);
    }

    TempDir dir;
    fs::path home;
};

TEST_F(CreateCommandTest, FirstRunGeneratesTheExampleWithFactorySettings) {
    CommandResult result = vimra("create");
    ASSERT_EQ(result.status, 0) << readFile(dir / "stderr.txt");
    ASSERT_FALSE(result.out.empty());
    fs::path printed = result.out.substr(0, result.out.size() - 1);
    EXPECT_EQ(printed.parent_path(), home / "output");
    EXPECT_TRUE(fs::exists(printed)) << printed;

    std::string general = readFile(home / "ZK002.dat");
    ASSERT_EQ(general.size(), kGeneralSettingsSize);
    EXPECT_EQ(generalField(general, 645), "Vimra generated catalogue");
    EXPECT_EQ(generalField(general, 0), (home / "output").string());
    EXPECT_EQ(generalField(general, 129), (home / "example" / "example.txt").string());
    EXPECT_EQ(generalField(general, 258), (home / "example").string());
    std::int32_t port;
    std::memcpy(&port, general.data() + 4709 + 223, sizeof port);
    EXPECT_EQ(port, 21);

    std::string appearance = readFile(home / "ZK003.dat");
    std::string library = readFile(home / "zkas.dat");
    ASSERT_EQ(appearance.size(), kAppearanceSetSize);
    ASSERT_GE(library.size(), 404 + kAppearanceSetSize);
    EXPECT_EQ(appearance, library.substr(404, kAppearanceSetSize));

    std::string files = readFile(home / "files01.dat");
    EXPECT_FALSE(files.empty());
    std::istringstream lines(files);
    for (std::string line; std::getline(lines, line);)
        EXPECT_EQ(line.rfind(home.string(), 0), 0u) << line;
    EXPECT_TRUE(fs::exists(home / "search" / "search01.dat"));
    EXPECT_TRUE(fs::exists(home / "search" / "pages01.dat"));
}

TEST_F(CreateCommandTest, PreviewWritesIntoTheTemporaryFolderAndRestoresTheSettings) {
    ASSERT_EQ(vimra("settings set previewMaxItems=3").status, 0) << readFile(dir / "stderr.txt");
    CommandResult result = vimra("preview");
    ASSERT_EQ(result.status, 0) << readFile(dir / "stderr.txt");
    ASSERT_FALSE(result.out.empty());
    EXPECT_EQ(fs::path(result.out.substr(0, result.out.size() - 1)).parent_path(), home / "tempout");
    EXPECT_FALSE(fs::exists(home / "output"));

    std::string general = readFile(home / "ZK002.dat");
    EXPECT_EQ(generalField(general, 0), (home / "output").string());
    std::int32_t previewRun;
    std::memcpy(&previewRun, general.data() + 6836, sizeof previewRun);
    EXPECT_EQ(previewRun, 0);
}

TEST_F(CreateCommandTest, MissingInputFileFailsWithItsMessage) {
    ASSERT_EQ(vimra("settings set inputFile=" + (dir / "none.txt").string()).status, 0);
    CommandResult result = vimra("create");
    EXPECT_EQ(result.status, 1);
    std::string errors = readFile(dir / "stderr.txt");
    EXPECT_NE(errors.find("failed to open [" + (dir / "none.txt").string() + "]"), std::string::npos) << errors;
    EXPECT_NE(errors.find("error producing catalogue"), std::string::npos) << errors;
}

} // namespace
