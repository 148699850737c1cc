#include "model/settings_store.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/appearance_library.h"
#include "model/paths.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace {

// A CSV line of all 158 columns, empty unless given.
std::string csvLine(const std::map<int, std::string>& values) {
    std::string line;
    for (int column = 1; column <= 158; ++column) {
        if (column > 1)
            line += ',';
        if (auto it = values.find(column); it != values.end())
            line += it->second;
    }
    return line + "\n";
}

template <typename Block>
std::string bytesOf(const Block& block) {
    return std::string(reinterpret_cast<const char*>(&block), sizeof block);
}

std::string patternBytes(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + seed) & 0xff);
    return bytes;
}

class SettingsStore : public ::testing::Test {
protected:
    std::string pd() const { return home.str() + "/"; }

    TempDir home;
    SettingsBlocks blocks{};
    RecordingMessages messages;
};

TEST_F(SettingsStore, FirstRunImportsTheAppearanceTableAndSetsFactoryDefaults) {
    writeFile(home / "AppSetValues.csv",
              csvLine({{1, "Classic"}, {2, "back.gif"}, {4, "#FFFFFF"}}) + csvLine({{1, "Second"}}));
    std::memset(&blocks, 0x5a, sizeof blocks);
    loadSettings(blocks, home.str());

    AppearanceLibraryHeader header{};
    ASSERT_EQ(readAppearanceLibraryHeader((home / "zkas.dat").string(), header), 0);
    EXPECT_EQ(header.slotCount, 12);
    EXPECT_EQ(fieldText(blocks.appearance.setName), "Classic");
    EXPECT_EQ(fieldText(blocks.appearance.indexBackgroundImage), pd() + "standard/back.gif");
    EXPECT_EQ(fieldText(blocks.appearance.indexBackgroundColour), "#FFFFFF");
    EXPECT_FALSE(std::filesystem::exists(home / "ZK002.dat"));

    const GeneralSettings& g = blocks.general;
    struct Case { const char* name; std::string_view got; std::string want; };
    const Case texts[] = {
        {"outputDir", fieldText(g.outputDir), pd() + "output"},
        {"inputFile", fieldText(g.inputFile), pd() + "example/example.txt"},
        {"defaultInputDir", fieldText(g.defaultInputDir), pd() + "example"},
        {"musicFile", fieldText(g.musicFile), pd() + "swing01.mid"},
        {"tempOutputDir", fieldText(g.tempOutputDir), pd() + "tempout"},
        {"searchProgram", fieldText(g.searchProgram), pd() + "zksearch1.pl"},
        {"searchPreprocess", fieldText(g.searchPreprocess), pd() + "zkread1.pl"},
        {"searchOutputDir", fieldText(g.searchOutputDir), pd() + "search"},
        {"secureTradingPage", fieldText(g.secureTradingPage), pd() + "SecureTrading/zkorderpage.html"},
        {"catalogueTitle", fieldText(g.catalogueTitle), "Vimra generated catalogue"},
        {"searchScript", fieldText(g.searchScript), "zksearch2.pl"},
        {"searchUrl", fieldText(g.searchUrl), "http://localhost/cgi-bin/zksearch2.pl"},
        {"payButtonText", fieldText(g.payButtonText), "Pay on-line"},
        {"homeLink", fieldText(g.homeLink), ""},
    };
    for (const auto& c : texts) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.want);
    }

    // The file format: check the raw bytes where the record puts them.
    const auto* raw = reinterpret_cast<const unsigned char*>(&g);
    auto int32At = [&](std::size_t offset) {
        std::int32_t v;
        std::memcpy(&v, raw + offset, 4);
        return v;
    };
    auto int16At = [&](std::size_t offset) {
        std::int16_t v;
        std::memcpy(&v, raw + offset, 2);
        return static_cast<int>(v);
    };
    EXPECT_STREQ(reinterpret_cast<const char*>(raw + 645), "Vimra generated catalogue");
    for (std::size_t target = 0; target < 4; ++target)
        EXPECT_EQ(int32At(4709 + 227 * target + 223), 21) << "target " << target;
    EXPECT_EQ(int16At(886), 3);
    EXPECT_EQ(int16At(882), 300);
    EXPECT_EQ(int16At(880), 1);
    EXPECT_EQ(raw[884], 1);
    EXPECT_EQ(raw[827], 1);
    EXPECT_EQ(raw[3933], 1);
    EXPECT_EQ(int32At(6089), 2);
    EXPECT_EQ(raw[6012], 1);
    EXPECT_EQ(int32At(6832), 40);
    EXPECT_EQ(int32At(6969), 1);
    EXPECT_EQ(int32At(6836), 0);
    EXPECT_EQ(raw[428], 0);  // reserved stays zero
}

TEST_F(SettingsStore, FactoryDefaultsKeepAnExistingLibraryAndSurviveAMissingTable) {
    // No AppSetValues.csv: no library, the appearance block stays zero.
    loadSettings(blocks, home.str());
    EXPECT_FALSE(std::filesystem::exists(home / "zkas.dat"));
    EXPECT_EQ(bytesOf(blocks.appearance), std::string(kAppearanceSetSize, '\0'));
    EXPECT_EQ(fieldText(blocks.general.catalogueTitle), "Vimra generated catalogue");

    // An existing library is used as it stands, not imported again.
    writeFile(home / "AppSetValues.csv", csvLine({{1, "FromCsv"}}));
    std::string library(404, '\0');
    std::string set(kAppearanceSetSize, '\0');
    std::memcpy(set.data(), "FromLibrary", 11);
    writeFile(home / "zkas.dat", library + set);
    loadFactoryDefaults(blocks, home.str());
    EXPECT_EQ(fieldText(blocks.appearance.setName), "FromLibrary");
    EXPECT_EQ(readFile(home / "zkas.dat"), library + set);
}

// A settings file that is no regular file is taken as missing: a FIFO would
// block every command at its open, a device would never end.
TEST_F(SettingsStore, SettingsFilesThatAreNoRegularFilesCountAsMissing) {
    for (const char* name : {"ZK002.dat", "ZK003.dat", "zkas.dat", "AppSetValues.csv"})
        ASSERT_EQ(::mkfifo((home / name).c_str(), 0600), 0) << name;
    loadSettings(blocks, home.str());
    EXPECT_EQ(fieldText(blocks.general.catalogueTitle), "Vimra generated catalogue");
    EXPECT_EQ(bytesOf(blocks.appearance), std::string(kAppearanceSetSize, '\0'));

    std::filesystem::remove(home / "ZK002.dat");
    std::filesystem::create_symlink("/dev/zero", home / "ZK002.dat");
    EXPECT_EQ(readBlockFile((home / "ZK002.dat").string(), &blocks.general, sizeof blocks.general), -1);
}

TEST_F(SettingsStore, ShortAndLongDefaultsFiles) {
    writeFile(home / "AppSetValues.csv", csvLine({{1, "Classic"}}));
    const std::string general = patternBytes(kGeneralSettingsSize + 50, 7);
    const std::string appearance = patternBytes(kAppearanceSetSize + 4, 11);

    struct Case {
        const char* name;
        std::size_t generalBytes;     // 0: no ZK002.dat
        std::size_t appearanceBytes;  // 0: no ZK003.dat
    };
    const Case cases[] = {
        {"ZK002.dat of 100 bytes, no ZK003.dat", 100, 0},
        {"whole ZK002.dat, no ZK003.dat", kGeneralSettingsSize, 0},
        {"ZK002.dat longer than the block", kGeneralSettingsSize + 50, 0},
        {"ZK003.dat of 10031 bytes", kGeneralSettingsSize, kAppearanceSetSize + 4},
        {"ZK003.dat of 100 bytes", kGeneralSettingsSize, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code ec;
        std::filesystem::remove(home / "ZK003.dat", ec);
        writeFile(home / "ZK002.dat", general.substr(0, c.generalBytes));
        if (c.appearanceBytes)
            writeFile(home / "ZK003.dat", appearance.substr(0, c.appearanceBytes));
        std::memset(&blocks, 0x5a, sizeof blocks);
        loadSettings(blocks, home.str());

        std::string wantGeneral = general.substr(0, std::min(c.generalBytes, kGeneralSettingsSize));
        wantGeneral.resize(kGeneralSettingsSize, '\0');
        EXPECT_EQ(bytesOf(blocks.general), wantGeneral);
        std::string wantAppearance = appearance.substr(0, std::min(c.appearanceBytes, kAppearanceSetSize));
        wantAppearance.resize(kAppearanceSetSize, '\0');
        EXPECT_EQ(bytesOf(blocks.appearance), wantAppearance);
    }
    EXPECT_FALSE(std::filesystem::exists(home / "zkas.dat"));
}

TEST_F(SettingsStore, SaveAndLoadKeepEveryByte) {
    const std::string general = patternBytes(kGeneralSettingsSize, 3);
    const std::string appearance = patternBytes(kAppearanceSetSize, 5);
    std::memcpy(&blocks.general, general.data(), general.size());
    std::memcpy(&blocks.appearance, appearance.data(), appearance.size());
    writeFile(home / "ZK002.dat", "old contents that are longer than nothing");
    const auto rights = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                        std::filesystem::perms::group_read;
    std::filesystem::permissions(home / "ZK002.dat", rights);

    ASSERT_EQ(saveGeneralSettings(blocks.general, messages, home.str()), 0);
    ASSERT_EQ(saveAppearanceSet(blocks.appearance, messages, home.str()), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(readFile(home / "ZK002.dat"), general);
    EXPECT_EQ(readFile(home / "ZK003.dat"), appearance);
    EXPECT_EQ(std::filesystem::status(home / "ZK002.dat").permissions(), rights) << "rights of the old file kept";

    SettingsBlocks loaded{};
    loadSettings(loaded, home.str());
    EXPECT_EQ(bytesOf(loaded.general), general);
    EXPECT_EQ(bytesOf(loaded.appearance), appearance);

    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 2) << "no temporary file is left behind";
}

TEST_F(SettingsStore, FailedSaveReportsAndKeepsTheOldFile) {
    const std::string oldGeneral = patternBytes(kGeneralSettingsSize, 1);
    const std::string oldAppearance = patternBytes(kAppearanceSetSize, 2);
    writeFile(home / "ZK002.dat", oldGeneral);
    writeFile(home / "ZK003.dat", oldAppearance);
    std::memset(&blocks, 0x33, sizeof blocks);
    const SettingsBlocks before = blocks;

    auto checkFailure = [&] {
        EXPECT_EQ(saveGeneralSettings(blocks.general, messages, home.str()), -1);
        EXPECT_EQ(saveAppearanceSet(blocks.appearance, messages, home.str()), -1);
    };
    {
        SCOPED_TRACE("write cut short");
        FileSizeLimit limit(100);
        checkFailure();
    }
    if (geteuid() != 0) {
        SCOPED_TRACE("read-only folder");
        std::filesystem::permissions(home.path(), std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
        checkFailure();
        std::filesystem::permissions(home.path(), std::filesystem::perms::owner_all);
    }

    ASSERT_GE(messages.shown.size(), 2u);
    for (std::size_t i = 0; i < messages.shown.size(); ++i) {
        EXPECT_EQ(messages.shown[i].text, i % 2 == 0 ? "failed to save data (1)" : "failed to save data (2)");
        EXPECT_EQ(messages.shown[i].caption, "Defaults Save Error");
        EXPECT_EQ(messages.shown[i].buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(readFile(home / "ZK002.dat"), oldGeneral);
    EXPECT_EQ(readFile(home / "ZK003.dat"), oldAppearance);
    EXPECT_EQ(std::memcmp(&blocks, &before, sizeof blocks), 0);
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home.path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 2) << "no temporary file is left behind";
}

} // namespace
