#include "generator/generate.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// A program directory and a shop folder in a fresh temporary folder, with
// settings pointing into them.
class GenerateTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("VIMRA_HOME", (dir / "program").c_str(), 1);
        fs::create_directories(dir / "program");
        general = std::make_unique<GeneralSettings>();
        appearance = std::make_unique<AppearanceSet>();
        copyField(general->outputDir, (dir / "out").string());
        copyField(general->searchOutputDir, (dir / "search").string());
        copyField(general->defaultInputDir, (dir / "shop").string());
        copyField(general->inputFile, (dir / "shop" / "shop.txt").string());
        general->basketFlags = 1;
        general->previewMaxItems = 40;
    }
    void TearDown() override { unsetenv("VIMRA_HOME"); }

    int generate() { return Generate(*appearance, *general, messages, stderr); }

    TempDir dir;
    std::unique_ptr<GeneralSettings> general;
    std::unique_ptr<AppearanceSet> appearance;
    RecordingMessages messages;
};

TEST_F(GenerateTest, EmptyInputFileFailsBeforeTouchingAnyList) {
    general->inputFile[0] = '\0';
    EXPECT_EQ(generate(), -1);
    ASSERT_EQ(messages.texts(), std::vector<std::string>{"Cannot create a catalogue without an input file"});
    EXPECT_FALSE(fs::exists(dir / "program" / "files01.dat"));
    EXPECT_FALSE(fs::exists(dir / "search" / "search01.dat"));
}

TEST_F(GenerateTest, MissingDataFileIsReportedWithItsPath) {
    EXPECT_EQ(generate(), -1);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0], "failed to open [" + (dir / "shop" / "shop.txt").string() + "]\n");
    EXPECT_FALSE(fs::exists(dir / "program" / "files01.dat"));
}

TEST_F(GenerateTest, RunCreatesItsFoldersAndTheThreeLists) {
    writeFile(dir / "shop" / "shop.txt", "Teapot,12.50,pot.gif,A round pot\n");
    EXPECT_EQ(generate(), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(fs::is_directory(dir / "out"));
    EXPECT_TRUE(fs::exists(dir / "program" / "files01.dat"));
    // Without a search placement the search lists exist but stay empty.
    EXPECT_EQ(readFile(dir / "search" / "search01.dat"), "");
    EXPECT_EQ(readFile(dir / "search" / "pages01.dat"), "");
}

TEST_F(GenerateTest, MissingTemplateFailsTheRun) {
    writeFile(dir / "shop" / "shop.txt", "Teapot,12.50,pot.gif,A round pot\n");
    general->useTemplate = 1;
    copyField(general->templateFile, (dir / "shop" / "none.html").string());
    EXPECT_EQ(generate(), -1);
}

} // namespace
