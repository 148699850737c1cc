#include "generator/font_tags.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

#include "model/paths.h"

namespace {

FontSpec font(const char* face, int size, const char* colour, int style) {
    FontSpec f;
    std::memset(&f, 0, sizeof f);
    copyField(f.face, face);
    f.size = static_cast<std::int8_t>(size);
    copyField(f.colour, colour);
    f.style = static_cast<std::uint8_t>(style);
    return f;
}

std::unique_ptr<AppearanceSet> blankAppearance() {
    auto a = std::make_unique<AppearanceSet>();
    std::memset(a.get(), 0, sizeof *a);
    copyField(a->indexTextColour, "#000080");
    copyField(a->itemTextColour, "black");
    copyField(a->pageColours[0], "white");
    copyField(a->pageColours[1], "#FF0000");
    return a;
}

}  // namespace

TEST(FontTags, RecordMakesItsOwnTags) {
    const FontTag fallback{"<DEFAULT>", "</DEFAULT>"};
    struct Case { const char* name; FontSpec record; const char* start; const char* end; };
    const Case cases[] = {
        {"empty takes the fallback", font("", 0, "", 0), "<DEFAULT>", "</DEFAULT>"},
        {"negative size is not given", font("", -1, "", 0), "<DEFAULT>", "</DEFAULT>"},
        {"bold only", font("", 0, "", 1), "<B>", "</B>"},
        {"italic only", font("", 0, "", 2), "<I>", "</I>"},
        {"bold and italic", font("", 0, "", 3), "<B><I>", "</B></I>"},
        {"face only", font("Verdana", 0, "", 0), "<FONT FACE=\"Verdana\">", "</FONT>"},
        {"size only", font("", 4, "", 0), "<FONT SIZE=4>", "</FONT>"},
        {"colour only", font("", 0, "#00FF00", 0), "<FONT COLOR=#00FF00>", "</FONT>"},
        {"everything", font("Times New Roman", 3, "red", 3),
         "<FONT FACE=\"Times New Roman\" SIZE=3 COLOR=red><B><I>", "</B></I></FONT>"},
        {"unused style bits ignored", font("", 0, "", 4), "<DEFAULT>", "</DEFAULT>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FontTag tag = fontTags(c.record, fallback);
        EXPECT_EQ(tag.start, c.start);
        EXPECT_EQ(tag.end, c.end);
    }
}

TEST(FontTags, UnterminatedFieldsStopAtTheirEnd) {
    FontSpec f = font("", 0, "", 0);
    std::memset(f.face, 'a', sizeof f.face);
    std::memset(f.colour, 'c', sizeof f.colour);
    const FontTag tag = recordFontTags(f);
    EXPECT_EQ(tag.start, "<FONT FACE=\"" + std::string(52, 'a') + "\" COLOR=" + std::string(16, 'c') + ">");
    EXPECT_EQ(tag.end, "</FONT>");
}

TEST(FontTags, EmptyRecordsTakeTheirGroupDefaults) {
    const auto a = blankAppearance();
    const FontTagTable table = buildFontTags(*a);

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("index " + std::to_string(i));
        EXPECT_EQ(table.index[i].start, "<FONT FACE=\"arial\" SIZE=2 COLOR=#000080><B>");
        EXPECT_EQ(table.index[i].end, "</B></FONT>");
    }
    const int itemSizes[12] = {5, 4, 3, 3, 4, 2, 3, 3, 3, 2, 2, 2};
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(table.item[i].start, "<FONT FACE=\"arial\" SIZE=" + std::to_string(itemSizes[i]) + " COLOR=black>");
        EXPECT_EQ(table.item[i].end, "</FONT>");
    }
    EXPECT_EQ(table.basket[0].start, "<FONT FACE=\"arial\" SIZE=5 COLOR=#FF0000><B><I>");
    EXPECT_EQ(table.basket[0].end, "</B></I></FONT>");
    const int basketSizes[5] = {5, 3, 2, 2, 3};
    for (int i = 1; i < 5; ++i) {
        SCOPED_TRACE("basket " + std::to_string(i));
        EXPECT_EQ(table.basket[i].start,
                  "<FONT FACE=\"arial\" SIZE=" + std::to_string(basketSizes[i]) + " COLOR=#FF0000>");
        EXPECT_EQ(table.basket[i].end, "</FONT>");
    }
    EXPECT_EQ(table.search.start, "<FONT FACE=\"arial\" SIZE=3 COLOR=#000080>");
    EXPECT_EQ(table.search.end, "</FONT>");
}

TEST(FontTags, NamedEntriesTakeTheirRolesDefaults) {
    const auto a = blankAppearance();
    const FontTagTable table = buildFontTags(*a);
    struct Case { ItemFont entry; int size; };
    const Case cases[] = {
        {ItemFont::Heading, 5},     {ItemFont::Price, 4},        {ItemFont::Text, 3},
        {ItemFont::FormLabels, 3},  {ItemFont::FirstHeading, 4}, {ItemFont::DetailsRows, 2},
        {ItemFont::HeadingRow, 3},  {ItemFont::ItemHeading, 3},  {ItemFont::ColumnsHeading, 3},
        {ItemFont::ColumnsPrice, 2}, {ItemFont::ColumnsText, 2}, {ItemFont::ColumnsFormLabels, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.entry));
        EXPECT_EQ(table[c.entry].start, "<FONT FACE=\"arial\" SIZE=" + std::to_string(c.size) + " COLOR=black>");
    }
    EXPECT_EQ(table[BasketFont::Heading].start, "<FONT FACE=\"arial\" SIZE=5 COLOR=#FF0000><B><I>");
    EXPECT_EQ(table[BasketFont::Currencies].start, "<FONT FACE=\"arial\" SIZE=3 COLOR=#FF0000>");
    EXPECT_EQ(table[IndexFont::StandardLinks].end, "</B></FONT>");
}

TEST(FontTags, NamedEntriesReadTheirOwnRecords) {
    auto a = blankAppearance();
    a->indexFonts[2] = font("IndexLink", 0, "", 0);
    a->itemFonts[6] = font("HeadingRow", 0, "", 0);
    a->basketFonts[3] = font("OrderHeading", 0, "", 0);
    const FontTagTable table = buildFontTags(*a);
    EXPECT_EQ(table[IndexFont::IndexLink].start, "<FONT FACE=\"IndexLink\">");
    EXPECT_EQ(table[ItemFont::HeadingRow].start, "<FONT FACE=\"HeadingRow\">");
    EXPECT_EQ(table[BasketFont::OrderHeading].start, "<FONT FACE=\"OrderHeading\">");
}

TEST(FontTags, EachEntryReadsItsOwnRecord) {
    auto a = blankAppearance();
    a->indexFonts[3] = font("Courier", 0, "", 0);
    a->indexFonts[4] = font("Reserved", 0, "", 0);   // not part of the table
    a->itemFonts[11] = font("", 0, "", 1);
    a->basketFonts[0] = font("", 1, "", 0);
    a->basketFonts[5] = font("Reserved", 0, "", 0);
    a->searchFont = font("", 0, "green", 2);
    const FontTagTable table = buildFontTags(*a);

    EXPECT_EQ(table.index[3].start, "<FONT FACE=\"Courier\">");
    EXPECT_EQ(table.index[2].start, "<FONT FACE=\"arial\" SIZE=2 COLOR=#000080><B>");
    EXPECT_EQ(table.item[11].start, "<B>");
    EXPECT_EQ(table.item[11].end, "</B>");
    EXPECT_EQ(table.item[10].start, "<FONT FACE=\"arial\" SIZE=2 COLOR=black>");
    EXPECT_EQ(table.basket[0].start, "<FONT SIZE=1>");
    EXPECT_EQ(table.basket[0].end, "</FONT>");
    EXPECT_EQ(table.search.start, "<FONT COLOR=green><I>");
    EXPECT_EQ(table.search.end, "</I></FONT>");
}
