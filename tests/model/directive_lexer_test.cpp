#include "model/directive_lexer.h"

#include <gtest/gtest.h>

#include "model/catalogue_directives.h"

namespace {

TEST(DirectiveLexer, FindsTheValueOfAKey) {
    struct Case {
        const char* name;
        std::string line;
        std::string_view key;
        char delimiter;
        bool found, delimited;
        std::string_view text;
        std::size_t at, end;
    };
    const std::string far = "#!" + std::string(5000, ' ') + "CODE=Ref;";
    const Case cases[] = {
        {"plain", "#!CODE=Ref;", "CODE=", ';', true, true, "Ref", 2, 11},
        {"another delimiter", "#!CODE=a;b|c", "CODE=", '|', true, true, "a;b", 2, 11},
        {"missing '='", "#!CODE;Ref;", "CODE=", ';', false, false, "", 0, 0},
        {"empty value", "#!CODE=;x", "CODE=", ';', true, true, "", 2, 8},
        {"empty value at the line end", "#!CODE=", "CODE=", ';', true, false, "", 2, 7},
        {"value to the line end", "#!SELECT1=Colour", "SELECT1=", ';', true, false, "Colour", 2, 16},
        {"delimiter is the last character", "#!HEADER=Top;", "HEADER=", ';', true, true, "Top", 2, 13},
        {"repeated key: the first counts", "#!CODE=a;CODE=b;", "CODE=", ';', true, true, "a", 2, 9},
        {"key inside another value", "#!HEADER=xFOOTNOTE=y;", "FOOTNOTE=", ';', true, true, "y", 10, 21},
        {"several on one line", "#!UNIT1=kg;CODE=Ref;", "CODE=", ';', true, true, "Ref", 11, 20},
        {"no line is too long", far, "CODE=", ';', true, true, "Ref", 5002, 5011},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DirectiveValue v = findDirective(c.line, c.key, c.delimiter);
        EXPECT_EQ(v.found, c.found);
        EXPECT_EQ(v.delimited, c.delimited);
        EXPECT_EQ(v.text, c.text);
        if (c.found) {
            EXPECT_EQ(v.at, c.at);
            EXPECT_EQ(v.end, c.end);
        }
    }
}

TEST(DirectiveLexer, NumberedKeys) {
    EXPECT_EQ(numberedKey("SELECT", 1), "SELECT1=");
    EXPECT_EQ(numberedKey("TXTOPT", 4), "TXTOPT4=");
    EXPECT_EQ(numberedKey("TAX", 8), "TAX8=");
}

TEST(DirectiveLexer, DelimiterDirective) {
    struct Case {
        const char* name;
        std::string_view line;
        std::optional<char> raw;   // what the lexer sees
        char generator;            // what the generator takes from it; 0 = no change
    };
    const Case cases[] = {
        {"bar", "#!DELIMITER=|", '|', '|'},
        {"anywhere on the line", "#!SELECT1=a;DELIMITER=/", '/', '/'},
        {"nothing after it", "#!DELIMITER=", std::nullopt, 0},
        {"no directive", "#!SELECT1=a;", std::nullopt, 0},
        {"only the first counts", "DELIMITER=|DELIMITER=/", '|', '|'},
        {"carriage return", "#!DELIMITER=\r\r", '\r', 0},
        {"NUL", std::string_view("#!DELIMITER=\0", 13), '\0', 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(delimiterDirective(c.line), c.raw);
        EXPECT_EQ(catalogue_detail::findDelimiterDirective(c.line), c.generator);
    }
}

TEST(DirectiveLexer, LeadingDecimal) {
    struct Case {
        std::string_view text;
        double want;
        std::size_t used;
    };
    const Case cases[] = {
        {"17.5;TAX2=", 17.5, 4}, {" +5", 5, 3},   {"-2.5x", -2.5, 4}, {"1e3", 1000, 3},
        {"abc", 0, 0},           {"", 0, 0},      {"+", 0, 0},        {"\t0.25", 0.25, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        std::size_t used = 99;
        EXPECT_DOUBLE_EQ(leadingDecimal(c.text, used), c.want);
        EXPECT_EQ(used, c.used);
    }
}

TEST(DirectiveLexer, FirstItem) {
    struct Case {
        const char* name;
        std::string_view line;
        char delimiter;
        FirstItemChoice want;
        std::string_view text;
    };
    const Case cases[] = {
        {"first", "#!FIRSTITEM=FIRST;", ';', FirstItemChoice::First, "FIRST"},
        {"none", "#!FIRSTITEM=NONE;", ';', FirstItemChoice::None, "NONE"},
        {"none with the file's delimiter", "#!FIRSTITEM=NONE|", '|', FirstItemChoice::None, "NONE"},
        {"exact text whatever the delimiter", "#!FIRSTITEM=FIRST;", '|', FirstItemChoice::First, "FIRST;"},
        {"none without a delimiter is a name", "#!FIRSTITEM=NONE", ';', FirstItemChoice::Named, "NONE"},
        {"named", "#!FIRSTITEM=welcome.htm;", ';', FirstItemChoice::Named, "welcome.htm"},
        {"named to the line end", "#!FIRSTITEM=welcome.htm", ';', FirstItemChoice::Named, "welcome.htm"},
        {"empty name", "#!FIRSTITEM=;", ';', FirstItemChoice::Named, ""},
        {"not given", "#!FIRST=x;", ';', FirstItemChoice::NotGiven, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FirstItemDirective first = findFirstItem(c.line, c.delimiter);
        EXPECT_EQ(first.choice, c.want);
        EXPECT_EQ(first.value.text, c.text);
    }
}

TEST(DirectiveLexer, DirectiveLines) {
    EXPECT_TRUE(isDirectiveLine("#!"));
    EXPECT_TRUE(isDirectiveLine("#!CODE=a;"));
    EXPECT_FALSE(isDirectiveLine("#"));
    EXPECT_FALSE(isDirectiveLine(" #!CODE=a;"));
    EXPECT_FALSE(isDirectiveLine(""));
}

} // namespace
