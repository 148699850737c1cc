#include "generator/generate.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>
#include <memory>

#include "model/paths.h"
#include "tests/support/generator_fixture.h"

namespace fs = std::filesystem;

namespace {

using GenerateTest = GeneratorFixture;

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

// A page start shows its title wherever its name is used: in the search
// lists and in the script of its large picture, as on its index line.
TEST_F(GenerateTest, PageStartIsKnownByItsTitleEverywhere) {
    writeFile(dir / "shop" / "small.gif", "GIF");
    writeFile(dir / "shop" / "large.gif", "GIF");
    general->searchPlacement = 1;
    for (const char* start : {"!PAGE+Grp", "!PAGEGrp", "!page+Grp"}) {
        SCOPED_TRACE(start);
        ASSERT_EQ(generate(std::string(start) + ",,small.gif|large.gif,Group text\nTeapot,2.00,,\nEND PAGE\n"), 0)
            << diagnostics;
        EXPECT_EQ(readFile(dir / "search" / "pages01.dat"), "2,Grp\n");
        EXPECT_EQ(readFile(dir / "search" / "search01.dat"), "Grp,2\nGroup,2\ntext,2\nTeapot,2\n2.00,2\n");
        const std::string group = page("zk000002.html");
        EXPECT_NE(group.find("var ItNm=\"Grp\""), std::string::npos);
        EXPECT_EQ(group.find("PAGE"), std::string::npos);
    }
}

// Inputs and resources named by the settings or the data file are read only
// when they are regular files: a device never ends, a FIFO blocks the open.
TEST_F(GenerateTest, InputsThatAreNoRegularFilesAreRefusedByName) {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directories(dir / "folder");
    writeFile(dir / "shop" / "shop.txt", "Teapot,12.50,pot.gif,A round pot\n");
    for (const char* source : {"/dev/zero", "fifo", "folder"}) {
        const std::string path = source[0] == '/' ? std::string(source) : (dir / source).string();
        SCOPED_TRACE(path);
        struct Case { const char* name; char* field; std::size_t size; };
        const Case cases[] = {
            {"inputFile", general->inputFile, sizeof general->inputFile},
            {"templateFile", general->templateFile, sizeof general->templateFile},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const std::string kept(c.field);
            copyField(c.field, c.size, path);
            general->useTemplate = 1;
            messages.shown.clear();
            EXPECT_EQ(generate(), -1);
            const std::string said = diagnostics + (messages.texts().empty() ? "" : messages.texts()[0]);
            EXPECT_NE(said.find("not a regular file"), std::string::npos) << said;
            EXPECT_NE(said.find(path), std::string::npos) << said;
            copyField(c.field, c.size, kept);
            general->useTemplate = 0;
        }
    }
}

TEST_F(GenerateTest, ResourcesThatAreNoRegularFilesAreNotCopied) {
    fs::create_directories(dir / "shop");
    ASSERT_EQ(::mkfifo((dir / "shop" / "fifo.gif").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "shop" / "zero.gif");
    fs::create_symlink("/dev/zero", dir / "shop" / "zero.txt");
    fs::create_symlink("/dev/zero", dir / "zero.pl");
    copyField(general->searchPreprocess, (dir / "zero.pl").string());
    ASSERT_EQ(generate("A,1.00,zero.gif,zero.txt\nB,1.00,fifo.gif,x\n"), 0) << diagnostics;
    for (const char* name : {"shop/zero.gif", "shop/zero.txt", "shop/fifo.gif", "zero.pl"})
        EXPECT_NE(diagnostics.find("not a regular file <" + (dir / name).string() + ">"), std::string::npos)
            << name << "\n" << diagnostics;
    EXPECT_FALSE(fs::exists(dir / "out" / "zero.gif"));
    EXPECT_FALSE(fs::exists(dir / "search" / "zero.pl"));
}

// Names in the data file may be written with backslashes.
TEST_F(GenerateTest, BackslashNamesAreFoundUnderTheSourceFolder) {
    writeFile(dir / "shop" / "sub" / "kenya.gif", "GIF");
    writeFile(dir / "shop" / "sub" / "first.htm", "<html>first</html>");
    writeFile(dir / "shop" / "sub" / "terms.htm", "<html>terms</html>");
    writeFile(dir / "shop" / "sub" / "about.txt", "About us");
    ASSERT_EQ(generate("#!FIRSTITEM=sub\\first.htm;\nKenya,1.00,sub\\kenya.gif,sub\\about.txt\n"
                       "#!FILE=sub\\terms.htm;\n"), 0);
    EXPECT_EQ(diagnostics, "");
    EXPECT_EQ(readFile(dir / "out" / "kenya.gif"), "GIF");
    EXPECT_EQ(readFile(dir / "out" / "first.htm"), "<html>first</html>");
    EXPECT_EQ(readFile(dir / "out" / "terms.htm"), "<html>terms</html>");
    const std::string item = page("zk000002.html");
    EXPECT_NE(item.find("SRC=kenya.gif"), std::string::npos);
    EXPECT_NE(item.find("About us"), std::string::npos);
}

// The run goes on past a file it cannot write, then fails and counts them.
TEST_F(GenerateTest, UnwritableOutputFailsTheRunAfterWritingWhatItCan) {
    writeFile(dir / "shop" / "pot.gif", "GIF");
    const std::string data = "Teapot,12.50,pot.gif,A round pot\nCup,1.00,,\n";
    struct Case {
        const char* name;
        std::function<void()> prepare;
        int unwritten;
    };
    // The top index page drives the walk: without it no other page is
    // written. Without an output folder the home page is missing too.
    const Case cases[] = {
        {"output path is a file", [&] { writeFile(dir / "out", "x"); }, 2},
        {"an item page in the way", [&] { fs::create_directories(dir / "out" / "zk000002.html"); }, 1},
        {"a copy in the way", [&] { fs::create_directories(dir / "out" / "pot.gif"); }, 1},
        {"a FIFO in the place of a page", [&] {
             fs::create_directories(dir / "out");
             ASSERT_EQ(::mkfifo((dir / "out" / "zk000003.html").c_str(), 0600), 0);
         }, 1},
        {"search folder is a file", [&] { writeFile(dir / "search", "x"); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* folder : {"out", "search"})
            fs::remove_all(dir / folder);
        c.prepare();
        GenerationReport report;
        EXPECT_EQ(generate(data, &report), -1);
        EXPECT_EQ(report.unwrittenFiles, c.unwritten) << diagnostics;
    }
}

TEST_F(GenerateTest, FileListThatCannotBeWrittenIsNamedAndWithdrawn) {
    writeFile(dir / "shop" / "shop.txt", "Teapot,12.50,,\n");
    const fs::path list = dir / "program" / "files01.dat";
    const std::string named =
        "the file list <" + list.string() + "> could not be written: it does not list this catalogue";

    fs::create_directories(list);
    EXPECT_EQ(generate(), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{named});
    fs::remove(list);
    messages.shown.clear();

    writeFile(list, "/old/catalogue/zk000002.html\n");
    fs::permissions(list, fs::perms::owner_read);
    if (::access(list.c_str(), W_OK) == 0)
        GTEST_SKIP() << "the file list stays writable for this user";
    GenerationReport report;
    EXPECT_EQ(generate(&report), -1);
    EXPECT_EQ(report.unwrittenFiles, 1);
    EXPECT_FALSE(fs::exists(list));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{named});
}

TEST(RunModes, BasketAndTaxFollowTheSettings) {
    struct Case {
        const char* name;
        bool basket;
        bool threeFrames;
        bool headerFrame;
        bool includeTax;
        int taxTypes;
        RunModes want;
    };
    const Case cases[] = {
        {"basket in the item frame", true, false, false, false, 3, {2, 1, 0}},
        {"basket frame", true, true, false, false, 0, {1, 2, 0}},
        {"header frame comes first", true, true, true, false, 0, {1, 3, 0}},
        {"header frame, two frames", true, false, true, false, 0, {2, 2, 0}},
        {"no basket", false, true, true, false, 0, {0, 3, 0}},
        {"one tax type", true, false, false, true, 1, {2, 1, 1}},
        {"several tax types, at most two", true, false, false, true, 5, {2, 1, 2}},
        {"no tax file", true, false, false, true, 0, {2, 1, 0}},
        {"one rate without a basket", false, false, false, true, 2, {0, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto appearance = std::make_unique<AppearanceSet>();
        auto general = std::make_unique<GeneralSettings>();
        general->basketFlags = c.basket ? 1 : 0;
        appearance->threeFrameStyle = c.threeFrames;
        appearance->includeHeaderFrame = c.headerFrame;
        general->includeTax = c.includeTax;
        RunModes got = runModesFor(*appearance, *general, c.taxTypes);
        EXPECT_EQ(got.basketMode, c.want.basketMode);
        EXPECT_EQ(got.basketFrameIndex, c.want.basketFrameIndex);
        EXPECT_EQ(got.taxMode, c.want.taxMode);
    }
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    return result;
}

bool listed(const std::vector<std::string>& list, const fs::path& path) {
    return std::find(list.begin(), list.end(), path.string()) != list.end();
}

TEST_F(GenerateTest, FirstItemPageAndFileDirectivesAreCopiedAndListed) {
    writeFile(dir / "shop" / "shop.txt", "#!FIRSTITEM=pages/welcome.htm;\n"
                                          "Teapot,12.50,,A round pot\n"
                                          "#!FILE=terms.htm;\n"
                                          "Cup,3,,A cup\n");
    writeFile(dir / "shop" / "pages" / "welcome.htm", "<p>Welcome</p>");
    writeFile(dir / "shop" / "terms.htm", "<p>Terms</p>");
    EXPECT_EQ(generate(), 0);
    EXPECT_EQ(readFile(dir / "out" / "welcome.htm"), "<p>Welcome</p>");
    EXPECT_EQ(readFile(dir / "out" / "terms.htm"), "<p>Terms</p>");
    const auto files = lines(readFile(dir / "program" / "files01.dat"));
    EXPECT_TRUE(listed(files, dir / "out" / "welcome.htm"));
    EXPECT_TRUE(listed(files, dir / "out" / "terms.htm"));
    EXPECT_TRUE(listed(files, dir / "out" / "zki00000.html"));
}

TEST_F(GenerateTest, RecordsAreSplitAtTheChosenSeparator) {
    struct Case { const char* name; std::int16_t separatorKind; const char* line; };
    const Case cases[] = {
        {"comma", 0, "Teapot,12.50,,Round, and blue\n"},
        {"tab", 1, "Teapot\t12.50\t\tRound, and blue\n"},
        {"bar", 2, "Teapot|12.50||Round, and blue\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "shop" / "shop.txt", c.line);
        general->separatorKind = c.separatorKind;
        general->searchPlacement = 1;
        ASSERT_EQ(generate(), 0);
        EXPECT_EQ(readFile(dir / "search" / "pages01.dat"), "2,Teapot\n");
        const std::string words = readFile(dir / "search" / "search01.dat");
        EXPECT_NE(words.find("12.50,2\n"), std::string::npos) << words;
        EXPECT_NE(words.find("blue,2\n"), std::string::npos) << words;
    }
}

TEST_F(GenerateTest, PagesNameTheCharacterSet) {
    struct Case { const char* header; const char* charset; };
    const Case cases[] = {
        {"", "charset=iso-8859-1\""},
        {"#!CHARSET=utf-8;\n", "charset=utf-8\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charset);
        writeFile(dir / "shop" / "shop.txt", std::string(c.header) + "Teapot,12.50,,A round pot\n");
        ASSERT_EQ(generate(), 0);
        EXPECT_NE(readFile(dir / "out" / "zki00000.html").find(c.charset), std::string::npos);
    }
}

} // namespace

namespace {

// The header frame page comes before the home page, in the data file's
// character set; one that cannot be created is reported and the rest of the
// catalogue is still written, the run failing only at its end.
TEST_F(GenerateTest, HeaderPageIsWrittenFirstAndItsFailureStopsNothing) {
    writeFile(dir / "shop" / "shop.txt", "#!CHARSET=utf-8;\nTeapot,12.50,,A round pot\n");
    appearance->includeHeaderFrame = 1;
    ASSERT_EQ(generate(), 0) << diagnostics;
    EXPECT_NE(readFile(dir / "out" / "zkheader1.html").find("charset=utf-8\""), std::string::npos);
    const std::string header = join((dir / "out").string(), "zkheader1.html");
    const std::string list = readFile(dir / "program" / "files01.dat");
    EXPECT_EQ(list.rfind(header + "\n" + join((dir / "out").string(), "zk000000.html") + "\n", 0), 0u) << list;

    fs::remove(header);
    fs::create_directories(header);
    EXPECT_EQ(generate(), -1);
    EXPECT_EQ(diagnostics, "failed to open <" + header + ">\n");
    for (const char* page : {"zk000000.html", "zki00000.html", "zk000002.html"})
        EXPECT_TRUE(fs::exists(dir / "out" / page)) << page;
}

} // namespace
