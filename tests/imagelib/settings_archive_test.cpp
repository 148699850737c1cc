// Settings archives on real files: what goes in, what comes back, and that a
// bad archive changes nothing.
#include "imagelib/settings_archive.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include <zip.h>

#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

struct ZipEntry {
    std::string name;
    std::string bytes;
};

// A ZIP file with exactly these entries, stored uncompressed so that a test
// can find an entry's bytes in the file.
std::string zipOf(const std::vector<ZipEntry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    zip_source_keep(buffer);
    for (const ZipEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_RAW);
        EXPECT_GE(index, 0) << entry.name;
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    EXPECT_EQ(zip_close(archive), 0);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    std::string bytes(static_cast<std::size_t>(zip_source_tell(buffer)), '\0');
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return bytes;
}

// libzip refuses to add a name twice: the second one is added under a
// stand-in of the same length and renamed in the finished bytes.
std::string zipWithRepeatedName(const std::string& name, std::vector<ZipEntry> entries) {
    std::string standIn = name;
    standIn.back() = '#';
    entries.push_back({standIn, "repeated"});
    std::string bytes = zipOf(entries);
    for (std::size_t at = bytes.find(standIn); at != std::string::npos; at = bytes.find(standIn, at))
        bytes.replace(at, name.size(), name);
    return bytes;
}

std::vector<std::string> entryNames(const fs::path& zipFile) {
    int error = 0;
    zip_t* archive = zip_open(zipFile.c_str(), ZIP_RDONLY, &error);
    std::vector<std::string> names;
    if (!archive)
        return names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        names.push_back(zip_get_name(archive, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW));
    zip_discard(archive);
    return names;
}

const std::vector<std::string> kAllSettingsFiles = {"ZK002.dat", "ZK003.dat",  "zkcurr.dat",   "zktax.dat",
                                                    "zkdlv01.dat", "ZKOT.dat", "zkof01.dat", "zkticker.dat",
                                                    "titles.dat"};

// A program directory holding every settings file, the appearance-set
// library and a catalogue data file, each with contents of its own.
class SettingsArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = dir.path() / "program";
        fs::create_directory(program);
        for (const std::string& name : kAllSettingsFiles)
            writeFile(program / name, "settings of " + name);
        writeFile(program / "zkas.dat", "appearance library");
        writeFile(program / "catalogue.txt", "#!catalogue");
        archive = dir.path() / "saved.zka";
    }

    std::map<std::string, std::string> programFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(program))
            files[entry.path().filename().string()] = readFile(entry.path());
        return files;
    }

    std::string programDir() const { return program.string() + "/"; }

    TempDir dir;
    fs::path program;
    fs::path archive;
};

TEST_F(SettingsArchiveTest, RestoresTheSavedFilesAndDescribesTheComment) {
    const auto saved = programFiles();
    ASSERT_EQ(WriteArchive(archive.string(), programDir(), "before the summer sale\nline two"), 0);
    for (const std::string& name : kAllSettingsFiles)
        writeFile(program / name, "changed");
    writeFile(program / "zkas.dat", "new appearance library");

    EXPECT_EQ(RestoreArchive(archive.string(), programDir()), static_cast<int>(kAllSettingsFiles.size()));
    auto restored = programFiles();
    EXPECT_EQ(restored["zkas.dat"], "new appearance library");
    restored["zkas.dat"] = saved.at("zkas.dat");
    EXPECT_EQ(restored, saved);

    char comment[kArchiveCommentSize];
    int version = -7;
    ASSERT_EQ(GetArchiveDescription(archive.string(), comment, version), 0);
    EXPECT_STREQ(comment, "before the summer sale\nline two");
    EXPECT_GE(version, kOldestArchiveVersion);
    EXPECT_LE(version, kNewestArchiveVersion);
}

TEST_F(SettingsArchiveTest, HoldsOnlyTheSettingsFilesThatExist) {
    fs::remove(program / "zkcurr.dat");
    ASSERT_EQ(WriteArchive(archive.string(), programDir(), ""), 0);
    std::vector<std::string> names = entryNames(archive);
    EXPECT_EQ(std::count(names.begin(), names.end(), "zkas.dat"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "catalogue.txt"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "zkcurr.dat"), 0);
    for (const std::string& name : kAllSettingsFiles) {
        if (name != "zkcurr.dat") {
            EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
        }
    }
    // A restore leaves a file the archive does not hold alone.
    writeFile(program / "zkcurr.dat", "currencies added later");
    EXPECT_EQ(RestoreArchive(archive.string(), programDir()), static_cast<int>(kAllSettingsFiles.size()) - 1);
    EXPECT_EQ(readFile(program / "zkcurr.dat"), "currencies added later");
}

TEST_F(SettingsArchiveTest, CutsALongCommentAndKeepsItsBytes) {
    std::string comment(1500, 'c');
    comment[0] = '\xe9';  // 8-bit text, not UTF-8
    ASSERT_EQ(WriteArchive(archive.string(), programDir(), comment), 0);
    char described[kArchiveCommentSize];
    int version = 0;
    ASSERT_EQ(GetArchiveDescription(archive.string(), described, version), 0);
    EXPECT_EQ(std::string(described), comment.substr(0, kArchiveCommentSize - 1));
}

TEST_F(SettingsArchiveTest, ReplacingAnArchiveLeavesNoTemporaries) {
    writeFile(archive, "an older archive");
    ASSERT_EQ(WriteArchive(archive.string(), programDir(), "new"), 0);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2);  // the program directory and the archive
    EXPECT_EQ(RestoreArchive(archive.string(), programDir()), static_cast<int>(kAllSettingsFiles.size()));
    EXPECT_EQ(programFiles().size(), kAllSettingsFiles.size() + 2);
}

TEST_F(SettingsArchiveTest, RefusesFilesThatAreNotArchives) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"text", "Note : this is not an archive\n"},
        {"zip without description", zipOf({{"ZK002.dat", "x"}})},
        {"description without version", zipOf({{"description", "a comment only"}})},
        {"version that is no number", zipOf({{"description", "version ten\n"}})},
        {"two descriptions", zipWithRepeatedName("description", {{"description", "version 100\n"}})},
        {"settings file twice", zipWithRepeatedName("ZK002.dat", {{"description", "version 100\n"}, {"ZK002.dat", "a"}})},
    };
    const auto before = programFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(archive, c.bytes);
        char comment[kArchiveCommentSize] = "left over";
        int version = 100;
        EXPECT_LT(GetArchiveDescription(archive.string(), comment, version), 0);
        EXPECT_STREQ(comment, "");
        EXPECT_EQ(version, 0);
        EXPECT_LT(RestoreArchive(archive.string(), programDir()), 0);
        EXPECT_EQ(programFiles(), before);
    }
    EXPECT_LT(RestoreArchive((dir.path() / "missing.zka").string(), programDir()), 0);
    EXPECT_LT(RestoreArchive(program.string(), programDir()), 0);  // a folder
}

TEST_F(SettingsArchiveTest, ATruncatedArchiveChangesNothing) {
    ASSERT_EQ(WriteArchive(archive.string(), programDir(), "complete"), 0);
    const std::string whole = readFile(archive);
    for (const std::string& name : kAllSettingsFiles)
        writeFile(program / name, "current " + name);
    const auto before = programFiles();
    for (std::size_t length : {std::size_t{1}, std::size_t{4}, std::size_t{30}, whole.size() / 3,
                               whole.size() / 2, whole.size() - 60, whole.size() - 22, whole.size() - 1}) {
        SCOPED_TRACE("cut to " + std::to_string(length) + " of " + std::to_string(whole.size()));
        writeFile(archive, whole.substr(0, length));
        EXPECT_LT(RestoreArchive(archive.string(), programDir()), 0);
        EXPECT_EQ(programFiles(), before);
    }
}

TEST_F(SettingsArchiveTest, ADamagedEntryChangesNothing) {
    // The damaged entry comes last, after entries that would restore cleanly.
    const std::string marker(64, 'M');
    std::string bytes = zipOf({{"description", "version 100\n"},
                               {"ZK002.dat", "new general settings"},
                               {"zktax.dat", "new tax types"},
                               {"titles.dat", marker}});
    bytes[bytes.find(marker) + 10] = 'X';
    writeFile(archive, bytes);
    const auto before = programFiles();
    EXPECT_LT(RestoreArchive(archive.string(), programDir()), 0);
    EXPECT_EQ(programFiles(), before);
}

TEST_F(SettingsArchiveTest, RefusesEntriesOutsideTheSettingsFiles) {
    fs::create_directory(program / "sub");
    const char* names[] = {"../x", "/etc/x", "sub/../../x", "..\\x", "sub/ZK002.dat", "zkas.dat",
                           "catalogue.txt", "zk002.dat", "ZK002.dat/", ""};
    const auto before = programFiles();
    for (const char* name : names) {
        SCOPED_TRACE(name);
        writeFile(archive, zipOf({{"description", "version 100\n"}, {"ZK003.dat", "new"}, {name, "escaped"}}));
        EXPECT_LT(RestoreArchive(archive.string(), programDir()), 0);
        EXPECT_EQ(programFiles(), before);
        EXPECT_FALSE(fs::exists(dir.path() / "x"));
        EXPECT_FALSE(fs::exists(program / "sub" / "ZK002.dat"));
    }
}

TEST_F(SettingsArchiveTest, RefusesAnOversizedEntry) {
    writeFile(archive, zipOf({{"description", "version 100\n"}, {"ZK002.dat", std::string(2 << 20, 'z')}}));
    const auto before = programFiles();
    EXPECT_LT(RestoreArchive(archive.string(), programDir()), 0);
    EXPECT_EQ(programFiles(), before);
}

TEST_F(SettingsArchiveTest, AFailedWriteKeepsTheOldArchive) {
    writeFile(archive, "an older archive");
    fs::create_directory(program / "titles.dat.d");
    fs::remove(program / "titles.dat");
    fs::create_directory_symlink(program / "titles.dat.d", program / "titles.dat");
    EXPECT_LT(WriteArchive(archive.string(), programDir(), "new"), 0);
    EXPECT_EQ(readFile(archive), "an older archive");
    EXPECT_LT(WriteArchive((dir.path() / "no folder" / "a.zka").string(), programDir(), ""), 0);
}

} // namespace
