// vimra-cli settings-archive as a script runs it: save, describe, retrieve,
// on a fresh copy of the built program directory.
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class SettingsArchiveCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = dir / "program";
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, home);
    }

    ChildResult vimra(const std::vector<std::string>& args) {
        return runChild(home / "vimra-cli", args, {{{"VIMRA_HOME", home.string()}}});
    }

    TempDir dir;
    fs::path home;
};

TEST_F(SettingsArchiveCommandTest, SavedSettingsComeBackAfterChanges) {
    ASSERT_EQ(vimra({"settings", "set", "outputDir=/srv/autumn"}).status, 0);
    ASSERT_EQ(vimra({"ticker", "set", "Autumn sale"}).status, 0);
    const std::string chosen = (dir / "autumn").string();
    ChildResult save = vimra({"settings-archive", "save", chosen, "--comment", "before the sale"});
    ASSERT_EQ(save.status, 0) << save.errors;
    EXPECT_EQ(save.out, chosen + ".zka\n");

    ChildResult described = vimra({"settings-archive", "describe", chosen + ".zka"});
    EXPECT_EQ(described.status, 0);
    EXPECT_EQ(described.out.rfind("version 100\nlast modified : ", 0), 0u) << described.out;
    EXPECT_EQ(described.out.substr(described.out.size() - 17), "\nbefore the sale\n");

    ASSERT_EQ(vimra({"settings", "set", "outputDir=/srv/winter"}).status, 0);
    ASSERT_EQ(vimra({"ticker", "set", "Winter sale"}).status, 0);
    ChildResult retrieve = vimra({"settings-archive", "retrieve", chosen + ".zka"});
    ASSERT_EQ(retrieve.status, 0) << retrieve.errors;
    EXPECT_EQ(vimra({"settings", "get", "outputDir"}).out, "/srv/autumn\n");
    EXPECT_EQ(vimra({"ticker", "show"}).out, "Autumn sale");
}

TEST_F(SettingsArchiveCommandTest, AFileThatIsNotAnArchiveIsRefused) {
    ASSERT_EQ(vimra({"settings", "set", "outputDir=/srv/shop"}).status, 0);
    writeFile(dir / "notes.zka", "not an archive");
    ChildResult retrieve = vimra({"settings-archive", "retrieve", (dir / "notes.zka").string()});
    EXPECT_EQ(retrieve.status, 1);
    EXPECT_NE(retrieve.errors.find("Not a valid archive file"), std::string::npos) << retrieve.errors;
    EXPECT_EQ(vimra({"settings-archive", "describe", (dir / "notes.zka").string()}).status, 1);
    EXPECT_EQ(vimra({"settings", "get", "outputDir"}).out, "/srv/shop\n");
}

} // namespace
