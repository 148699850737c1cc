// The driver's services that every page writer uses: resource copies, the
// list files, the item page template, and the Expires tag.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "generator/copy_resource.h"
#include "generator/expires_tag.h"
#include "generator/generation_run.h"
#include "generator/page_template.h"
#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class RunServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        general = std::make_unique<GeneralSettings>();
        appearance = std::make_unique<AppearanceSet>();
        copyField(general->outputDir, (dir / "out").string());
        fs::create_directories(dir / "out");
        diagnostics = std::tmpfile();
        run = std::make_unique<GenerationRun>(*appearance, *general, messages, diagnostics);
    }
    void TearDown() override { std::fclose(diagnostics); }

    void openLists(bool indexSearch) {
        run->lists.open((dir / "files01.dat").string(), (dir / "search01.dat").string(),
                        (dir / "pages01.dat").string(), indexSearch);
    }
    std::string diagnosticText() {
        std::fflush(diagnostics);
        std::rewind(diagnostics);
        std::string text;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, diagnostics))
            text += buffer;
        return text;
    }

    TempDir dir;
    std::unique_ptr<GeneralSettings> general;
    std::unique_ptr<AppearanceSet> appearance;
    RecordingMessages messages;
    std::FILE* diagnostics = nullptr;
    std::unique_ptr<GenerationRun> run;
};

TEST_F(RunServicesTest, CopyResourceCopiesUnderTheBaseNameAndKeepsTheTime) {
    writeFile(dir / "shop" / "Pics" / "Red Pot.GIF", "GIF89a-bytes");
    fs::last_write_time(dir / "shop" / "Pics" / "Red Pot.GIF", fs::file_time_type::clock::now() - std::chrono::hours(48));
    openLists(false);

    EXPECT_EQ(CopyResource(*run, (dir / "shop" / "Pics" / "Red Pot.GIF").string(), general->outputDir), "Red Pot.GIF");
    run->lists.close();

    EXPECT_EQ(readFile(dir / "out" / "Red Pot.GIF"), "GIF89a-bytes");
    EXPECT_EQ(fs::last_write_time(dir / "out" / "Red Pot.GIF"),
              fs::last_write_time(dir / "shop" / "Pics" / "Red Pot.GIF"));
    EXPECT_EQ(readFile(dir / "files01.dat"), (dir / "out" / "Red Pot.GIF").string() + "\n");
}

TEST_F(RunServicesTest, CopyResourceAcceptsBackslashPathsAndListsEveryReference) {
    writeFile(dir / "shop" / "pot.gif", "GIF");
    openLists(false);
    std::string windowsStyle = (dir / "shop").string() + "\\pot.gif";
    // A backslash is a separator in a stored name: the file is found, and its
    // base name is taken after the backslash.
    EXPECT_EQ(CopyResource(*run, windowsStyle, general->outputDir), "pot.gif");
    EXPECT_EQ(readFile(dir / "out" / "pot.gif"), "GIF");
    for (int i = 0; i < 3; ++i)
        CopyResource(*run, (dir / "shop" / "pot.gif").string(), general->outputDir);
    run->lists.close();
    std::string line = (dir / "out" / "pot.gif").string() + "\n";
    EXPECT_EQ(readFile(dir / "files01.dat"), line + line + line + line);
    EXPECT_EQ(diagnosticText(), "");
}

TEST_F(RunServicesTest, CopyResourceLeavesAnIdenticalCopyAlone) {
    writeFile(dir / "shop" / "pot.gif", "GIF89a");
    openLists(false);
    CopyResource(*run, (dir / "shop" / "pot.gif").string(), general->outputDir);
    struct stat first {};
    ASSERT_EQ(::stat((dir / "out" / "pot.gif").c_str(), &first), 0);

    // Any rewrite of the copy would move its status-change time.
    CopyResource(*run, (dir / "shop" / "pot.gif").string(), general->outputDir);
    struct stat second {};
    ASSERT_EQ(::stat((dir / "out" / "pot.gif").c_str(), &second), 0);
    EXPECT_EQ(first.st_ctim.tv_sec, second.st_ctim.tv_sec);
    EXPECT_EQ(first.st_ctim.tv_nsec, second.st_ctim.tv_nsec);

    writeFile(dir / "shop" / "pot.gif", "GIF89a-new");
    CopyResource(*run, (dir / "shop" / "pot.gif").string(), general->outputDir);
    EXPECT_EQ(readFile(dir / "out" / "pot.gif"), "GIF89a-new");
}

TEST_F(RunServicesTest, CopyResourceIgnoresEmptyArgumentsAndReportsUncreatableCopies) {
    openLists(false);
    EXPECT_EQ(CopyResource(*run, "", general->outputDir), "");
    EXPECT_EQ(CopyResource(*run, "x.gif", ""), "");
    writeFile(dir / "shop" / "pot.gif", "GIF");
    CopyResource(*run, (dir / "shop" / "pot.gif").string(), (dir / "missing-folder").string());
    run->lists.close();
    EXPECT_EQ(readFile(dir / "files01.dat"), (dir / "missing-folder" / "pot.gif").string() + "\n");
    EXPECT_EQ(diagnosticText(), "cannot create file <" + (dir / "missing-folder" / "pot.gif").string() + ">\n");
    EXPECT_EQ(run->unwrittenFiles, std::set<std::string>{(dir / "missing-folder" / "pot.gif").string()});
}

// Only a regular file is copied: a device would fill the disk and a FIFO
// would block the run. A missing source is no fault of the output.
TEST_F(RunServicesTest, CopyResourceReportsSourcesThatCannotBeRead) {
    fs::create_directories(dir / "shop" / "folder.gif");
    ASSERT_EQ(::mkfifo((dir / "shop" / "fifo.gif").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "shop" / "zero.gif");
    struct Case { const char* name; fs::path source; const char* diagnostic; };
    const Case cases[] = {
        {"missing file", dir / "shop" / "none.gif", "File does not exists"},
        {"a folder", dir / "shop" / "folder.gif", "not a regular file"},
        {"a FIFO", dir / "shop" / "fifo.gif", "not a regular file"},
        {"a link to a device", dir / "shop" / "zero.gif", "not a regular file"},
        {"a device", "/dev/zero", "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openLists(false);
        std::fflush(diagnostics);
        std::rewind(diagnostics);
        ASSERT_EQ(ftruncate(fileno(diagnostics), 0), 0);
        EXPECT_EQ(CopyResource(*run, c.source.string(), general->outputDir), c.source.filename().string());
        run->lists.close();
        const fs::path copy = dir / "out" / c.source.filename();
        EXPECT_EQ(readFile(dir / "files01.dat"), copy.string() + "\n");
        EXPECT_EQ(diagnosticText(), std::string(c.diagnostic) + " <" + c.source.string() + ">\n");
        EXPECT_FALSE(fs::exists(copy));
        EXPECT_TRUE(run->unwrittenFiles.empty());
    }
}

TEST_F(RunServicesTest, IndexRecordWritesWordsAndPageLines) {
    openLists(true);
    CatalogueRecord teapot;
    teapot.fields[kNameSlot] = "Blue Teapot";
    teapot.fields[kCodeSlot] = "TP-01";
    teapot.fields[kPriceSlot] = "12.50 each";
    teapot.fields[kDescriptionSlot] = "<B>Fine</B> china, 1.5l";
    CatalogueRecord cup;
    cup.fields[kNameSlot] = "Cup";
    run->lists.IndexRecord(2, teapot);
    run->lists.IndexRecord(2, cup);
    run->lists.IndexRecord(3, cup);
    run->lists.close();

    EXPECT_EQ(readFile(dir / "pages01.dat"), "2,Blue Teapot\n3,Cup\n");
    EXPECT_EQ(readFile(dir / "search01.dat"),
              "Blue,2\nTeapot,2\nTP,2\n01,2\n12.50,2\neach,2\nB,2\nFine,2\nB,2\nchina,2\n1,2\n5l,2\n"
              "Cup,2\nCup,3\n");
}

TEST_F(RunServicesTest, PageTemplateSplitsAfterTheStartLine) {
    struct Case { const char* name; const char* text; const char* head; const char* tail; };
    const Case cases[] = {
        {"marked", "<html>\n<!-- VIMRA START -->\n<p>\n</html>", "<html>\n<!-- VIMRA START -->\n", "<p>\n</html>"},
        {"unmarked", "<html>\n<body>\n", "<html>\n<body>\n", ""},
        {"marker needs both", "VIMRA START\n<!x\n<! VIMRA START\nend\n", "VIMRA START\n<!x\n<! VIMRA START\n", "end\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "template.html", c.text);
        PageTemplate pageTemplate;
        ASSERT_TRUE(readPageTemplate((dir / "template.html").string(), pageTemplate, diagnostics));
        EXPECT_EQ(pageTemplate.head, c.head);
        EXPECT_EQ(pageTemplate.tail, c.tail);
    }
    PageTemplate missing;
    EXPECT_FALSE(readPageTemplate((dir / "none.html").string(), missing, diagnostics));
    EXPECT_EQ(diagnosticText(), "couldn't open <" + (dir / "none.html").string() + ">\n");
}

TEST(ExpiresTag, FormatsTheDateInTheCLocale) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(expiresMetaTag(0), "<META HTTP-EQUIV=\"Expires\" CONTENT=\"Thu, 01 Jan 1970 12:00:00 GMT\">\n");
    EXPECT_EQ(expiresMetaTag(1700000000), "<META HTTP-EQUIV=\"Expires\" CONTENT=\"Tue, 14 Nov 2023 12:00:00 GMT\">\n");
}

} // namespace
