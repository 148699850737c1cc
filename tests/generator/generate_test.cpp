#include "generator/generate.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
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
