#include "model/appearance_library.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "model/paths.h"
#include "tests/support/temp_dir.h"

namespace {

// A CSV line of all 158 columns, empty unless given, with its line end.
std::string csvLine(const std::map<int, std::string>& values, const char* end = "\n") {
    std::string line;
    for (int column = 1; column <= 158; ++column) {
        if (column > 1)
            line += ',';
        if (auto it = values.find(column); it != values.end())
            line += it->second;
    }
    return line + end;
}

bool allZero(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0)
            return false;
    }
    return true;
}

std::string readStream(std::FILE* stream) {
    std::rewind(stream);
    std::string text;
    int c;
    while ((c = std::getc(stream)) != EOF)
        text += static_cast<char>(c);
    return text;
}

class AppearanceLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        errors = std::tmpfile();
        ASSERT_NE(errors, nullptr);
    }
    void TearDown() override {
        std::fclose(errors);
    }

    // Imports csv and returns the sets of the library, spare slots included.
    std::vector<AppearanceSet> import(const std::string& csv) {
        writeFile(csvPath(), csv);
        EXPECT_EQ(importAppearanceSets(csvPath(), libraryPath(), home.str(), errors), 0);
        std::string library = readFile(libraryPath());
        std::vector<AppearanceSet> sets;
        for (std::size_t at = 404; at + sizeof(AppearanceSet) <= library.size(); at += sizeof(AppearanceSet)) {
            sets.emplace_back();
            std::memcpy(&sets.back(), library.data() + at, sizeof(AppearanceSet));
        }
        return sets;
    }

    std::string csvPath() const { return (home / "AppSetValues.csv").string(); }
    std::string libraryPath() const { return (home / "zkas.dat").string(); }
    std::string pd() const { return home.str() + "/"; }

    TempDir home;
    std::FILE* errors = nullptr;
};

TEST_F(AppearanceLibrary, ThreeLinesGiveThirteenSlots) {
    auto sets = import(csvLine({{1, "One"}}) + csvLine({{1, "Two"}}) + csvLine({{1, "Three"}}));
    EXPECT_EQ(readFile(libraryPath()).size(), 404u + 13u * 10027u);
    AppearanceLibraryHeader header{};
    ASSERT_EQ(readAppearanceLibraryHeader(libraryPath(), header), 0);
    EXPECT_EQ(+header.format, 3);
    EXPECT_EQ(+header.setCount, 3);
    EXPECT_EQ(+header.slotCount, 13);
    EXPECT_EQ(fieldText(header.signature), "Vimra3");
    EXPECT_TRUE(allZero(header.reserved2, sizeof header.reserved2));
    EXPECT_TRUE(allZero(header.signature + 6, sizeof header.signature - 6));

    ASSERT_EQ(sets.size(), 13u);
    const char* names[] = {"One", "Two", "Three"};
    for (int i = 0; i < 13; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fieldText(sets[i].setName), i < 3 ? names[i] : "unused");
        EXPECT_TRUE(allZero(reinterpret_cast<const char*>(&sets[i]) + 41, sizeof(AppearanceSet) - 41));
    }
    EXPECT_EQ(readStream(errors), "");

    AppearanceSet first{};
    ASSERT_EQ(readFirstAppearanceSet(libraryPath(), first), 0);
    EXPECT_EQ(fieldText(first.setName), "One");
}

TEST_F(AppearanceLibrary, LinesAreSplitIntoColumns) {
    auto sets = import(csvLine({{1, "\"Red, White\""}, {4, "#F\"F\"0000"}, {5, "bl\tue\x01"}}) +
                       csvLine({{1, "crlf"}, {158, "7"}}, "\r\n") +
                       "Short,a.gif,2,red,blue,1,b1.gif,b2.gif,b3.gif,b4.gif\n" +
                       csvLine({{1, "Last"}, {158, "9"}}, ""));
    ASSERT_EQ(sets.size(), 14u);
    EXPECT_EQ(fieldText(sets[0].setName), "Red, White");
    EXPECT_EQ(fieldText(sets[0].indexBackgroundColour), "#FF0000");
    EXPECT_EQ(fieldText(sets[0].indexTextColour), "blue");
    EXPECT_EQ(fieldText(sets[1].setName), "crlf");
    EXPECT_EQ(+sets[1].tickerSize[1], 7);

    // Ten columns: those are filled, every other byte stays zero, and a warning.
    const AppearanceSet& shortSet = sets[2];
    EXPECT_EQ(fieldText(shortSet.setName), "Short");
    EXPECT_EQ(fieldText(shortSet.indexBackgroundImage), pd() + "standard/a.gif");
    EXPECT_EQ(+shortSet.indexBackgroundImageMode, 2);
    EXPECT_EQ(fieldText(shortSet.indexTextColour), "blue");
    EXPECT_EQ(+shortSet.indexStyle, 1);
    EXPECT_EQ(fieldText(shortSet.bulletImages[3]), pd() + "standard/b4.gif");
    const char* afterColumn10 = reinterpret_cast<const char*>(&shortSet.linkImages);
    EXPECT_TRUE(allZero(afterColumn10, sizeof(AppearanceSet) - offsetof(AppearanceSet, linkImages)));
    EXPECT_EQ(readStream(errors), "Warning - too few fields on input record (bburefrm)\n");

    // The last line has no line end and is imported all the same.
    EXPECT_EQ(fieldText(sets[3].setName), "Last");
    EXPECT_EQ(+sets[3].tickerSize[1], 9);
    EXPECT_EQ(fieldText(sets[4].setName), "unused");
}

TEST_F(AppearanceLibrary, EndMarksAndLongLines) {
    // Ctrl-Z at the start of a line ends the table.
    auto sets = import(csvLine({{1, "Kept"}}) + "\x1a" + csvLine({{1, "Dropped"}}));
    ASSERT_EQ(sets.size(), 11u);
    EXPECT_EQ(fieldText(sets[0].setName), "Kept");

    // A line longer than 9999 characters is read as two lines.
    std::string longLine = csvLine({{1, "Long"}, {2, std::string(12000, 'x')}});
    sets = import(longLine);
    ASSERT_EQ(sets.size(), 12u);
    EXPECT_EQ(fieldText(sets[0].setName), "Long");
    EXPECT_EQ(fieldText(sets[0].indexBackgroundImage).size(), 128u);
    EXPECT_EQ(sets[1].setName[0], 'x');
}

TEST_F(AppearanceLibrary, ValuesAreConvertedByKind) {
    std::map<int, std::string> columns = {
        {2, "back.gif"},              // image
        {7, ""},                      // empty image stays empty
        {8, "sub\\dot.gif"},          // separators written as '/'
        {9, std::string(200, 'p')},   // image cut to 128 characters
        {1, std::string(60, 'n')},    // name cut to 40
        {3, "  -12abc"},              // leading number
        {6, "abc"},                   // no digits
        {35, "99999999999"},          // beyond int32
        {38, "300"},                  // byte keeps the low 8 bits
        {21, "Arial/2/#FF0000/1"},    // font
        {22, "Verdana"},              // no slash: all zero
        {23, "Times/3"},              // partial: the parts given
        {24, std::string(50, 'f') + "/1/" + std::string(20, 'c') + "/3"},
        {54, "Helvetica/-1/navy/2/extra"},
        {20, "5"}, {53, "6"}, {109, "7"}, {101, "8"},  // margins at the end of the record
        {99, "1"}, {100, "4"},        // listed out of offset order
        {40, "skipped"}, {74, "skipped"}, {86, "skipped"}, {102, "skipped"},
        {124, "skipped"}, {136, "skipped"}, {147, "skipped"},
        {141, "25%"}, {146, "600"},
        {158, "42"},
    };
    std::string line = csvLine(columns);
    line.insert(line.size() - 1, ",159,160");  // beyond column 158: ignored
    auto sets = import(line);
    ASSERT_FALSE(sets.empty());
    const AppearanceSet& s = sets[0];

    EXPECT_EQ(fieldText(s.indexBackgroundImage), pd() + "standard/back.gif");
    EXPECT_EQ(s.bulletImages[0][0], '\0');
    EXPECT_EQ(fieldText(s.bulletImages[1]), pd() + "standard/sub/dot.gif");
    EXPECT_EQ(fieldText(s.bulletImages[2]), (pd() + "standard/" + std::string(200, 'p')).substr(0, 128));
    EXPECT_EQ(fieldText(s.setName), std::string(40, 'n'));
    EXPECT_EQ(+s.indexBackgroundImageMode, -12);
    EXPECT_EQ(+s.indexStyle, 0);
    EXPECT_EQ(+s.cellAlignment, 2147483647);
    EXPECT_EQ(+s.useLinkImages, 44);

    struct FontCase { int index; const char* face; int size; const char* colour; int style; };
    const std::string longFace(40, 'f');
    const std::string longColour(15, 'c');
    const FontCase fonts[] = {
        {0, "Arial", 2, "#FF0000", 1},
        {1, "", 0, "", 0},
        {2, "Times", 3, "", 0},
        {3, longFace.c_str(), 1, longColour.c_str(), 3},
    };
    for (const auto& f : fonts) {
        SCOPED_TRACE(f.index);
        const FontSpec& font = s.indexFonts[f.index];
        EXPECT_EQ(fieldText(font.face), f.face);
        EXPECT_EQ(+font.size, f.size);
        EXPECT_EQ(fieldText(font.colour), f.colour);
        EXPECT_EQ(+font.style, f.style);
        EXPECT_EQ(font.secondColour[0], '\0');
    }
    EXPECT_TRUE(allZero(&s.indexFonts[1], sizeof(FontSpec)));
    EXPECT_EQ(fieldText(s.itemFonts[0].face), "Helvetica");
    EXPECT_EQ(+s.itemFonts[0].size, -1);
    EXPECT_EQ(+s.itemFonts[0].style, 2);

    EXPECT_EQ(+s.indexMargin, 5);
    EXPECT_EQ(+s.itemMargin, 6);
    EXPECT_EQ(+s.basketMargin, 7);
    EXPECT_EQ(+s.headerFrameMargin, 8);
    EXPECT_EQ(+s.navigationInHeader, 1);
    EXPECT_EQ(+s.headerTableSpacing, 4);
    EXPECT_EQ(fieldText(s.indexFrameWidth), "25%");
    EXPECT_EQ(fieldText(s.basketTableWidth), "600");
    EXPECT_EQ(+s.tickerSize[1], 42);
    EXPECT_EQ(readStream(errors), "");
}

TEST_F(AppearanceLibrary, EveryColumnReachesItsOwnBytes) {
    // Column n holds the number n (fonts "f/n", which gives size n).
    const std::set<int> fontColumns = {21, 26, 54, 65, 75, 77, 96, 98, 118, 123, 131, 132};
    std::map<int, std::string> columns;
    for (int column = 1; column <= 158; ++column)
        columns[column] = (fontColumns.count(column) ? "f/" : "") + std::to_string(column);
    auto sets = import(csvLine(columns));
    ASSERT_FALSE(sets.empty());
    struct Case { int column; long got; };
    const AppearanceSet& t = sets[0];
    const Case numbered[] = {
        {3, t.indexBackgroundImageMode}, {6, t.indexStyle}, {19, t.navigationAtTop},
        {20, t.indexMargin}, {21, t.indexFonts[0].size}, {26, t.indexFonts[5].size},
        {35, t.cellAlignment}, {36, t.indexTableWidth}, {37, t.indexTableSpacing},
        {38, t.useLinkImages}, {39, t.bulletAlignment}, {42, t.itemBackgroundImageMode},
        {50, t.itemNavigation}, {52, t.itemSeparator}, {53, t.itemMargin},
        {54, t.itemFonts[0].size}, {65, t.itemFonts[11].size}, {66, t.pictureAlignment},
        {67, t.reserved4450}, {75, t.reserved5228[0].size}, {77, t.reserved5228[2].size},
        {84, t.reserved5646}, {85, t.columnsSpacing}, {88, t.headerBackgroundImageMode},
        {95, t.includeHeaderFrame}, {96, t.reserved6598[0].size}, {98, t.reserved6598[2].size},
        {99, t.navigationInHeader}, {100, t.headerTableSpacing}, {101, t.headerFrameMargin},
        {104, t.basketBackgroundImageMode}, {108, t.basketHeadingImagePosition},
        {109, t.basketMargin}, {118, t.basketFonts[0].size}, {123, t.basketFonts[5].size},
        {131, t.searchFont.size}, {132, t.reserved8458[0].size}, {134, t.reserved8630},
        {135, t.searchBoxSize}, {137, t.threeFrameStyle}, {138, t.hideFrameBorders},
        {139, t.verticalMainSplit}, {140, t.reserved8645}, {152, t.linkItemCss},
        {153, t.scrollingTextOnIndex}, {157, t.tickerSize[0]}, {158, t.tickerSize[1]},
    };
    for (const auto& c : numbered) {
        long want = fontColumns.count(c.column) ? static_cast<std::int8_t>(c.column) : c.column;
        EXPECT_EQ(c.got, want) << "column " << c.column;
    }
    struct TextCase { int column; std::string_view got; };
    const TextCase texts[] = {
        {1, fieldText(t.setName)}, {4, fieldText(t.indexBackgroundColour)},
        {5, fieldText(t.indexTextColour)}, {27, fieldText(t.indexTableColour)},
        {28, fieldText(t.indexCellColour)}, {31, fieldText(t.cellRolloverColour)},
        {32, fieldText(t.textCellColour)}, {33, fieldText(t.navigationCellColour)},
        {34, fieldText(t.navigationCellRolloverColour)}, {43, fieldText(t.itemBackgroundColour)},
        {44, fieldText(t.itemTextColour)}, {78, fieldText(t.itemTableColour)},
        {80, fieldText(t.tableRowColours[1])}, {81, fieldText(t.columnsColour)},
        {83, fieldText(t.columnCellColours[1])}, {89, fieldText(t.headerBackgroundColour)},
        {90, fieldText(t.headerTextColour)}, {105, fieldText(t.pageColours[0])},
        {106, fieldText(t.pageColours[1])}, {110, fieldText(t.basketColours[0])},
        {114, fieldText(t.basketColours[4])}, {115, fieldText(t.reserved7228[0])},
        {125, fieldText(t.searchBoxColour)}, {126, fieldText(t.searchCellColour)},
        {141, fieldText(t.indexFrameWidth)}, {142, fieldText(t.basketFrameHeight)},
        {143, fieldText(t.reserved8678)}, {144, fieldText(t.itemPageWidth)},
        {145, fieldText(t.headerFrameHeight)}, {146, fieldText(t.basketTableWidth)},
        {154, fieldText(t.tickerColours[0])}, {156, fieldText(t.tickerColours[2])},
    };
    for (const auto& c : texts)
        EXPECT_EQ(c.got, std::to_string(c.column)) << "column " << c.column;
    struct ImageCase { int column; std::string_view got; };
    const ImageCase images[] = {
        {2, fieldText(t.indexBackgroundImage)}, {7, fieldText(t.bulletImages[0])},
        {10, fieldText(t.bulletImages[3])}, {11, fieldText(t.linkImages[0])},
        {16, fieldText(t.linkImages[5])}, {17, fieldText(t.reserved1500)},
        {41, fieldText(t.itemBackgroundImage)}, {45, fieldText(t.reserved2460)},
        {46, fieldText(t.prevNextImages[0])}, {48, fieldText(t.prevNextImages[2])},
        {49, fieldText(t.prevNextImages[3])}, {51, fieldText(t.itemSeparatorImage)},
        {68, fieldText(t.calculateButtonImage)}, {70, fieldText(t.addButtonImage)},
        {72, fieldText(t.updateButtonImage)}, {73, fieldText(t.reserved5099)},
        {87, fieldText(t.headerBackgroundImage)}, {91, fieldText(t.headerImage)},
        {92, fieldText(t.headerLogoImage)}, {94, fieldText(t.reserved6236)},
        {103, fieldText(t.basketBackgroundImage)}, {107, fieldText(t.basketHeadingImage)},
        {127, fieldText(t.reserved7856[0])}, {130, fieldText(t.reserved7856[3])},
        {148, fieldText(t.reserved8742)}, {149, fieldText(t.itemStyleSheet)},
        {150, fieldText(t.indexStyleSheet)}, {151, fieldText(t.reserved9129)},
    };
    for (const auto& c : images)
        EXPECT_EQ(c.got, pd() + "standard/" + std::to_string(c.column)) << "column " << c.column;
    // Nothing lands in the bytes no column fills.
    EXPECT_TRUE(allZero(t.reserved4274, sizeof t.reserved4274));
    EXPECT_TRUE(allZero(t.headerTableColours, sizeof t.headerTableColours));
    EXPECT_TRUE(allZero(t.reserved9355, sizeof t.reserved9355));
    EXPECT_EQ(+t.showPageTitle, 0);
    EXPECT_EQ(+t.itemTableSpacing, 0);
}

TEST_F(AppearanceLibrary, Failures) {
    // No CSV file: -1 and no library.
    EXPECT_EQ(importAppearanceSets(csvPath(), libraryPath(), home.str(), errors), -1);
    EXPECT_FALSE(std::filesystem::exists(libraryPath()));

    // The library cannot be created: -2 and the path on the standard output.
    writeFile(csvPath(), csvLine({{1, "One"}}));
    const std::string unreachable = (home / "missing" / "zkas.dat").string();
    testing::internal::CaptureStdout();
    EXPECT_EQ(importAppearanceSets(csvPath(), unreachable, home.str(), errors), -2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "failed to open " + unreachable + "\n\n");

    // Reading the first set of a missing or short library leaves the set alone.
    AppearanceSet set{};
    copyField(set.setName, "mine");
    EXPECT_EQ(readFirstAppearanceSet(libraryPath(), set), -1);
    writeFile(libraryPath(), std::string(404 + 10026, 'x'));
    EXPECT_EQ(readFirstAppearanceSet(libraryPath(), set), -1);
    EXPECT_EQ(fieldText(set.setName), "mine");
    AppearanceLibraryHeader header{};
    writeFile(libraryPath(), std::string(403, 'x'));
    EXPECT_EQ(readAppearanceLibraryHeader(libraryPath(), header), -1);
    EXPECT_EQ(+header.slotCount, 0);
}

} // namespace
