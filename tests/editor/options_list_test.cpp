// Options lists as the list slots hold them: the price-variations prefix,
// options split at '|', and an option's text and variation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/options_list.h"

namespace {

using korvel::OptionsList;
using Options = std::vector<std::string>;

TEST(OptionsList, ParsesPrefixAndOptions) {
    struct Case {
        const char* name;
        std::string text;
        bool priceVariations;
        Options options;
    };
    const Case cases[] = {
        {"variations with a plain option", "#!PV;Red (1.50)|Blue", true, {"Red (1.50)", "Blue"}},
        {"no prefix, brackets are text", "Large (XL)|Small", false, {"Large (XL)", "Small"}},
        {"empty", "", false, {}},
        {"prefix only", "#!PV;", true, {}},
        {"one option", "Blue", false, {"Blue"}},
        {"blank options left out", "a||  |b|", false, {"a", "b"}},
        {"blanks inside kept", " a b |c", false, {" a b ", "c"}},
        {"prefix is case-sensitive", "#!pv;Red", false, {"#!pv;Red"}},
        {"prefix only at the start", "Red|#!PV;Blue", false, {"Red", "#!PV;Blue"}},
        {"8-bit bytes pass", "Cr\xe8me|\xc3\xa9t\xc3\xa9", false, {"Cr\xe8me", "\xc3\xa9t\xc3\xa9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OptionsList list = korvel::parseOptionsList(c.text);
        EXPECT_EQ(list.priceVariations, c.priceVariations);
        EXPECT_EQ(list.options, c.options);
    }
}

TEST(OptionsList, SplitsTextAtTheFirstBracket) {
    struct Case {
        std::string option, text, variation;
    };
    const Case cases[] = {
        {"Red (1.50)", "Red", "1.50"},
        {"Red", "Red", ""},
        {"Red(1.50)", "Red", "1.50"},
        {"Red \t(1.50)", "Red", "1.50"},
        {"Red (1.50", "Red", "1.50"},
        {"Red (1.50) extra", "Red", "1.50"},
        {"Red (a(b) c)", "Red", "a(b"},
        {"A (x) (y)", "A", "x"},
        {"Red ()", "Red", ""},
        {"(2.00)", "", "2.00"},
        {"Red (-0.50)", "Red", "-0.50"},
        {"  Red  ", "  Red  ", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const korvel::OptionParts parts = korvel::splitOption(c.option);
        EXPECT_EQ(parts.text, c.text);
        EXPECT_EQ(parts.variation, c.variation);
    }
}

TEST(OptionsList, ComposesTheVariationOnlyWhenInUseAndNotBlank) {
    struct Case {
        const char* text;
        const char* variation;
        bool priceVariations;
        const char* want;
    };
    const Case cases[] = {
        {"Red", "1.50", true, "Red (1.50)"},
        {"Red", "1.50", false, "Red"},
        {"Red", "", true, "Red"},
        {"Red", " \t", true, "Red"},
        {"", "2.00", true, " (2.00)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + "/" + c.variation);
        EXPECT_EQ(korvel::composeOption(c.text, c.variation, c.priceVariations), c.want);
    }
    // What is composed splits back into the same parts.
    const korvel::OptionParts parts = korvel::splitOption(korvel::composeOption("Red", "1.50", true));
    EXPECT_EQ(parts.text, "Red");
    EXPECT_EQ(parts.variation, "1.50");
}

TEST(OptionsList, JoinsOptionsThatAreNotBlank) {
    struct Case {
        const char* name;
        OptionsList list;
        std::string want;
    };
    const Case cases[] = {
        {"variations", {true, {"Red (1.50)", "Blue"}}, "#!PV;Red (1.50)|Blue"},
        {"no prefix without variations, even with brackets", {false, {"Red (1.50)", "Blue"}}, "Red (1.50)|Blue"},
        {"blank options dropped", {false, {"", "a", " ", "\t", "b"}}, "a|b"},
        {"no trailing separator", {false, {"a", "b", ""}}, "a|b"},
        {"nothing", {false, {}}, ""},
        {"only blanks", {false, {"", " "}}, ""},
        {"variations without options", {true, {}}, "#!PV;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(korvel::joinOptionsList(c.list), c.want);
    }
}

TEST(OptionsList, RoundTrips) {
    for (const std::string text : {"#!PV;Red (1.50)|Blue", "Large (XL)|Small", "#!PV;", "", "Cr\xe8me"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(korvel::joinOptionsList(korvel::parseOptionsList(text)), text);
    }
    const OptionsList list{true, {"Red (1.50)", "Blue (-0.25)", "Green"}};
    const OptionsList back = korvel::parseOptionsList(korvel::joinOptionsList(list));
    EXPECT_TRUE(back.priceVariations);
    EXPECT_EQ(back.options, list.options);
}

TEST(OptionsList, LongListsAreCutAtTheLimit) {
    const std::string a599(599, 'a');
    struct Case {
        const char* name;
        OptionsList list;
        std::string want;
    };
    const Case cases[] = {
        {"exactly the limit", {false, {std::string(600, 'a')}}, std::string(600, 'a')},
        {"one byte over", {false, {std::string(601, 'a')}}, std::string(600, 'a')},
        {"cut after a separator drops it", {false, {a599, "b"}}, a599},
        {"prefix counts", {true, {std::string(600, 'a')}}, "#!PV;" + std::string(595, 'a')},
        {"two-byte sequence across the cut", {false, {a599 + "\xc3\xa9"}}, a599},
        {"three-byte sequence across the cut", {false, {std::string(598, 'a') + "\xe2\x82\xac"}}, std::string(598, 'a')},
        {"four-byte sequence across the cut",
         {false, {std::string(597, 'a') + "\xf0\x9f\x98\x80"}},
         std::string(597, 'a')},
        {"sequence ending at the limit kept",
         {false, {std::string(598, 'a') + "\xc3\xa9" + "b"}},
         std::string(598, 'a') + "\xc3\xa9"},
        {"8-bit text cut at the limit", {false, {a599 + "\xe9\xe9"}}, a599 + "\xe9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string joined = korvel::joinOptionsList(c.list);
        EXPECT_LE(joined.size(), korvel::kOptionsListLimit);
        EXPECT_EQ(joined, c.want);
    }
    // Many ordinary options: the cut keeps the start of the full text.
    OptionsList many{true, {}};
    for (int i = 0; i < 100; ++i)
        many.options.push_back("Option " + std::to_string(i) + " (" + std::to_string(i) + ".00)");
    const std::string joined = korvel::joinOptionsList(many);
    EXPECT_EQ(joined.size(), korvel::kOptionsListLimit);
    EXPECT_TRUE(joined.starts_with("#!PV;Option 0 (0.00)|Option 1 (1.00)|"));
}

} // namespace
