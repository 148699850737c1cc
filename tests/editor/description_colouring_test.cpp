// The colours of HTML in a description, shown as one letter per byte:
// '.' base, 'T' tag, 'D' double-quoted, 'S' single-quoted.
#include <gtest/gtest.h>

#include <string>

#include "editor/description_colouring.h"

namespace {

using korvel::ColouredRange;
using korvel::DescriptionColour;

char letterOf(DescriptionColour colour) {
    switch (colour) {
    case DescriptionColour::Tag: return 'T';
    case DescriptionColour::DoubleQuoted: return 'D';
    case DescriptionColour::SingleQuoted: return 'S';
    case DescriptionColour::Base: break;
    }
    return '.';
}

// Also checks that the runs are ordered, apart and inside the text.
std::string colourMap(std::size_t size, const std::vector<ColouredRange>& runs) {
    std::string map(size, '.');
    std::size_t end = 0;
    for (const ColouredRange& run : runs) {
        EXPECT_GE(run.from, end) << "runs overlap or are out of order";
        EXPECT_LE(run.from + run.length, size) << "run beyond the text";
        EXPECT_NE(run.colour, DescriptionColour::Base);
        for (std::size_t p = run.from; p < run.from + run.length && p < size; ++p)
            map[p] = letterOf(run.colour);
        end = run.from + run.length;
    }
    return map;
}

TEST(DescriptionColouring, ColoursTagsAndStrings) {
    struct Case {
        const char* name;
        std::string text, want;
    };
    const Case cases[] = {
        {"bold pair", "<b>big</b>", "TTT...TTTT"},
        {"bold pair in capitals", "<B>big</B>", "TTT...TTTT"},
        {"apostrophe in a word", "it's cheap", ".........."},
        {"single-quoted string", "size '12' now", ".....SSSS...."},
        {"single quote after a letter closes nothing", "'abc' x", "SSSSSSS"},
        {"quoted attribute", "<img src=\"a.gif\">", "TTTTTTTTTDDDDDDDT"},
        {"unterminated string", "a \"bc d", "..DDDDD"},
        {"escaped quote opens nothing", "a\\\"b", "...."},
        {"escaped quote inside a string", "\"a\\\"b\" c", "DDDDDD.."},
        {"doubled backslash escapes nothing", "\"a\\\\\" c", "DDDDD.."},
        {"unrecognised tag", "<span>x</span>", ".......TTTTTTT"},
        {"paragraph with attributes is not a tag", "<p align=left>", ".............."},
        {"opening compared on its first five", "<titles>", "TTTTTTTT"},
        {"tag cut short at the end", "<br", "TTT"},
        {"tag left open to the end", "<td width=", "TTTTTTTTTT"},
        {"quote in a string of the other kind", "\"it's\" 'a\"b'", "DDDDDD.SSSSS"},
        {"less-than inside a string", "\"<b>\"", "DDDDD"},
        {"apostrophe inside a tag", "<a href='x'>", "TTTTTTTTTTTT"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.want.size(), c.text.size());
        EXPECT_EQ(colourMap(c.text.size(), korvel::colourDescription(c.text)), c.want);
    }
}

TEST(DescriptionColouring, PositionsCountFromTheOffset) {
    const std::vector<ColouredRange> want = {{10, 3, DescriptionColour::Tag}};
    EXPECT_EQ(korvel::colourDescription("<i>x", 10), want);
}

TEST(DescriptionColouring, LineColouredOnItsOwn) {
    // The string opened on the first line does not reach into the caret's line.
    const std::string text = "a \"b\nc <b> d\n\"e";
    struct Case {
        const char* name;
        std::size_t caret;
        std::string want;
    };
    const Case cases[] = {
        {"first line", 0, "..DD..........."},
        {"end of the first line", 4, "..DD..........."},
        {"middle line", 8, ".......TTT....."},
        {"start of the middle line", 5, ".......TTT....."},
        {"last line", 14, ".............DD"},
        {"caret beyond the text", 99, ".............DD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(colourMap(text.size(), korvel::colourDescriptionLine(text, c.caret)), c.want);
    }
}

} // namespace
