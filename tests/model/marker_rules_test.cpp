#include "model/marker_rules.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

std::optional<Marker> markerOf(std::span<const MarkerRule> rules, const MarkerFields& fields) {
    const MarkerRule* rule = findMarker(rules, fields);
    return rule ? std::optional<Marker>(rule->marker) : std::nullopt;
}

TEST(MarkerRules, EachProgramsOrderAndFields) {
    struct Case {
        const char* name;
        MarkerFields fields;
        std::optional<Marker> generator, editor;
    };
    const Case cases[] = {
        {"plain item", {"Boot", "", "1.00", "", "boot.gif"}, std::nullopt, std::nullopt},
        {"link before any word", {"END INDEX", "", "", "", "!!www.example.com"}, Marker::Link, Marker::Link},
        {"words in any case", {"end page", "", "", "", ""}, Marker::EndPage, Marker::EndPage},
        {"index in the picture", {"Shoes", "", "", "", "INDEX"}, Marker::IndexHeading, Marker::IndexHeading},
        {"INDEX in the name is no heading", {"INDEX", "", "", "", ""}, std::nullopt, std::nullopt},
        {"!INDEX before the name", {"!INDEXShoes", "", "", "", ""}, Marker::IndexHeading, Marker::IndexHeading},
        {"!CI starts a page for the generator only", {"!CI", "", "", "", ""}, Marker::PageStart, std::nullopt},
        {"END CI", {"END CI", "", "", "", ""}, Marker::EndOfColumnsItem, std::nullopt},
        {"END TABLE must be whole for the generator", {"END TABLES", "", "", "", ""}, std::nullopt,
         Marker::EndTable},
        {"END TABLE in the price", {"x", "", "END TABLE", "", ""}, Marker::EndTable, std::nullopt},
        {"page before table for the generator, table first for the editor", {"!TABLE", "", "PAGE", "", ""},
         Marker::PageStart, Marker::TableStart},
        {"columns in the code", {"x", "!COL3", "", "", ""}, Marker::ColumnsStart, Marker::ColumnsStart},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(markerOf(kGeneratorMarkerRules, c.fields), c.generator);
        EXPECT_EQ(markerOf(kEditorMarkerRules, c.fields), c.editor);
    }
}

TEST(MarkerRules, WordMatching) {
    struct Case {
        std::string_view value;
        WordMatch match;
        std::string_view word;
        bool want;
    };
    const Case cases[] = {
        {"page", WordMatch::Is, "PAGE", true},          {"PAGE ", WordMatch::Is, "PAGE", false},
        {"!Page2", WordMatch::BeginsWith, "!PAGE", true}, {"!PAG", WordMatch::BeginsWith, "!PAGE", false},
        {"", WordMatch::BeginsWith, "!", false},        {"\xe9ndex", WordMatch::Is, "INDEX", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " / " + std::string(c.word));
        EXPECT_EQ(matchesWord(c.value, c.match, c.word), c.want);
    }
}

} // namespace
