// Save Settings and Retrieve Settings around the archive: name and folder
// rules, the selection display, and a round trip through the settings record.
#include "app/core/settings_archive_commands.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <zip.h>

#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(ArchiveNames, SaveNameGetsTheExtensionOnlyWhenItsLastComponentHasNoDot) {
    const struct {
        std::string_view chosen, want;
    } cases[] = {
        {"shop", "shop.zka"},
        {"  shop\t", "shop.zka"},
        {"shop.old", "shop.old"},
        {"/home/me/backups.d/shop", "/home/me/backups.d/shop.zka"},
        {"C:\\My.Archives\\shop", "C:\\My.Archives\\shop.zka"},
        {"C:\\Archives\\shop.zka", "C:\\Archives\\shop.zka"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.chosen));
        EXPECT_EQ(archiveSaveName(c.chosen), c.want);
    }
}

TEST(ArchiveNames, DialogsStartInTheFolderOfTheLastArchive) {
    const struct {
        std::string_view archivePath, want;
    } cases[] = {
        {"", ""},
        {"shop.zka", ""},
        {"C:\\Archives\\shop.zka", "C:\\Archives"},
        {"/home/me/archives/shop.zka", "/home/me/archives"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.archivePath));
        EXPECT_EQ(archiveStartDirectory(c.archivePath), c.want);
    }
}

// An archive in every respect but its version.
void writeArchiveOfVersion(const fs::path& path, const std::string& version) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    const std::string description = "version " + version + "\nfrom elsewhere";
    zip_source_t* source = zip_source_buffer(archive, description.data(), description.size(), 0);
    ASSERT_GE(zip_file_add(archive, "description", source, 0), 0);
    ASSERT_EQ(zip_close(archive), 0);
}

class SettingsArchiveCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        programDir = dir.str() + "/program/";
        fs::create_directory(dir / "program");
        blocks = std::make_unique<SettingsBlocks>();
        copyField(blocks->general.outputDir, "/srv/shop");
        copyField(blocks->general.archivePath, "/old/place.zka");
        blocks->general.taxRate = 17.5;
        copyField(blocks->appearance.setName, "Autumn");
        saveGeneralSettings(blocks->general, messages, programDir);
        saveAppearanceSet(blocks->appearance, messages, programDir);
        writeFile(dir / "program" / "zktax.dat", "VAT 17.5");
        writeFile(dir / "program" / "zkas.dat", "appearance library");
    }

    std::string settingsFile(const char* name) const { return readFile(dir / "program" / name); }

    TempDir dir;
    std::string programDir;
    std::unique_ptr<SettingsBlocks> blocks;
    RecordingMessages messages;
};

TEST_F(SettingsArchiveCommandsTest, RetrieveBringsBackTheSavedSettings) {
    ASSERT_EQ(saveSettingsArchive(blocks->general, programDir, dir.str() + "/autumn", "autumn prices"), 0);
    const std::string archive = dir.str() + "/autumn.zka";
    EXPECT_EQ(std::string(fieldText(blocks->general.archivePath)), archive);

    ArchiveSelectionText selection = describeArchiveSelection(archive);
    EXPECT_EQ(selection.comment, "autumn prices");
    EXPECT_EQ(selection.lastModified.rfind("last modified : ", 0), 0u);
    EXPECT_EQ(selection.lastModified.back(), '\n');

    copyField(blocks->general.outputDir, "/srv/elsewhere");
    blocks->general.taxRate = 20.0;
    copyField(blocks->appearance.setName, "Winter");
    saveGeneralSettings(blocks->general, messages, programDir);
    saveAppearanceSet(blocks->appearance, messages, programDir);
    writeFile(dir / "program" / "zktax.dat", "VAT 20");

    EXPECT_TRUE(confirmArchiveToRetrieve(archive, messages));
    ASSERT_EQ(retrieveSettingsArchive(*blocks, programDir, archive, messages), 0);
    EXPECT_EQ(std::string(fieldText(blocks->general.outputDir)), "/srv/shop");
    EXPECT_EQ(double{blocks->general.taxRate}, 17.5);
    EXPECT_EQ(std::string(fieldText(blocks->appearance.setName)), "Autumn");
    EXPECT_EQ(settingsFile("zktax.dat"), "VAT 17.5");
    // The archive packed ZK002.dat as it stood on disk, before this save.
    EXPECT_EQ(std::string(fieldText(blocks->general.archivePath)), "/old/place.zka");
    EXPECT_EQ(archiveStartDirectory(fieldText(blocks->general.archivePath)), "/old");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsArchiveCommandsTest, FilesThatAreNotAcceptedArchivesAreRefused) {
    const struct {
        const char* name;
        std::string version;  // empty: not an archive at all
        const char* shownComment;
    } cases[] = {
        {"text file", "", ""},
        {"version 99", "99", "invalid file"},
        {"version 111", "111", "invalid file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir / "candidate.zka";
        if (c.version.empty())
            writeFile(file, "just some text");
        else
            writeArchiveOfVersion(file, c.version);
        messages.shown.clear();
        EXPECT_EQ(describeArchiveSelection(file.string()).comment, c.shownComment);
        EXPECT_EQ(describeArchiveSelection(file.string()).lastModified, "");
        EXPECT_FALSE(confirmArchiveToRetrieve(file.string(), messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Not a valid archive file");
        EXPECT_EQ(messages.shown[0].caption, "Open Error");
    }
    for (int version : {100, 110}) {
        writeArchiveOfVersion(dir / "edge.zka", std::to_string(version));
        EXPECT_TRUE(confirmArchiveToRetrieve((dir / "edge.zka").string(), messages)) << version;
        EXPECT_EQ(describeArchiveSelection((dir / "edge.zka").string()).comment, "from elsewhere");
    }
}

TEST_F(SettingsArchiveCommandsTest, ATruncatedArchiveLeavesTheSettingsAlone) {
    ASSERT_EQ(saveSettingsArchive(blocks->general, programDir, dir.str() + "/saved.zka", ""), 0);
    const std::string whole = readFile(dir / "saved.zka");
    writeFile(dir / "saved.zka", whole.substr(0, whole.size() / 2));
    writeFile(dir / "program" / "zktax.dat", "VAT 20");
    const std::string general = settingsFile("ZK002.dat");
    const std::string appearance = settingsFile("ZK003.dat");
    blocks->general.taxRate = 20.0;

    EXPECT_EQ(retrieveSettingsArchive(*blocks, programDir, dir.str() + "/saved.zka", messages), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"error reading archive"});
    EXPECT_EQ(double{blocks->general.taxRate}, 20.0);
    EXPECT_EQ(settingsFile("ZK002.dat"), general);
    EXPECT_EQ(settingsFile("ZK003.dat"), appearance);
    EXPECT_EQ(settingsFile("zktax.dat"), "VAT 20");
}

} // namespace
