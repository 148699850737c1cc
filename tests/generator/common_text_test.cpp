#include "generator/common_text.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "generator/escaping.h"
#include "tests/support/temp_dir.h"

TEST(ScriptEscaping, BackslashBeforeQuotesAndBackslashes) {
    struct Case { std::string_view in, want; };
    const Case cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"Joe's \"best\"", "Joe\\'s \\\"best\\\""},
        {"C:\\shop\\", "C:\\\\shop\\\\"},
        {"\\'", "\\\\\\'"},
        {std::string_view("a\0b", 3), std::string_view("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.in));
        EXPECT_EQ(escapeScriptString(c.in), c.want);
    }
}

TEST(CommonText, DefaultsWhenTheFileIsMissing) {
    TempDir dir;
    CommonText text;
    text.set(0, "changed");
    text.load((dir / "titles.dat").string());
    const char* expected[kCommonTextCount] = {
        "basket", "previous index", "home", "Quantity", "calculate", "Cost", "add to basket",
        "update basket", "added", "updated", "previous", "next", "Shopping Basket", "Item",
        "Unit Price", "Quantity", "Cost", "Remove", "Order Form", "Reset", "Delivery", "Cost",
        "Click here for another image", "return to", "Search for", "No items found",
        "Search Results", "Search", "Including", "There are no items ordered",
    };
    for (int i = 0; i < kCommonTextCount; ++i)
        EXPECT_EQ(text[i], expected[i]) << i;
    EXPECT_EQ(text[-1], "");
    EXPECT_EQ(text[kCommonTextCount], "");
}

TEST(CommonText, NamedLabelsMatchTheirDefaults) {
    struct Case { CommonLabel label; std::string_view want; };
    const Case cases[] = {
        {CommonLabel::ShowBasket, "basket"},
        {CommonLabel::PreviousIndex, "previous index"},
        {CommonLabel::Home, "home"},
        {CommonLabel::Quantity, "Quantity"},
        {CommonLabel::ShowCost, "calculate"},
        {CommonLabel::Cost, "Cost"},
        {CommonLabel::AddToBasket, "add to basket"},
        {CommonLabel::UpdateBasket, "update basket"},
        {CommonLabel::ItemAdded, "added"},
        {CommonLabel::ItemUpdated, "updated"},
        {CommonLabel::PreviousItem, "previous"},
        {CommonLabel::NextItem, "next"},
        {CommonLabel::BasketHeading, "Shopping Basket"},
        {CommonLabel::ItemColumn, "Item"},
        {CommonLabel::UnitPriceColumn, "Unit Price"},
        {CommonLabel::QuantityColumn, "Quantity"},
        {CommonLabel::CostColumn, "Cost"},
        {CommonLabel::RemoveColumn, "Remove"},
        {CommonLabel::OrderFormButton, "Order Form"},
        {CommonLabel::ResetButton, "Reset"},
        {CommonLabel::Delivery, "Delivery"},
        {CommonLabel::DeliveryCost, "Cost"},
        {CommonLabel::AnotherImage, "Click here for another image"},
        {CommonLabel::ReturnTo, "return to"},
        {CommonLabel::SearchFor, "Search for"},
        {CommonLabel::NoItemsFound, "No items found"},
        {CommonLabel::SearchResults, "Search Results"},
        {CommonLabel::SearchButton, "Search"},
        {CommonLabel::Including, "Including"},
        {CommonLabel::NoItemsOrdered, "There are no items ordered"},
    };
    const CommonText text;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.want));
        EXPECT_EQ(text[c.label], c.want);
    }
}

TEST(CommonText, LoadReadsLinesAndFillsTheRestWithDefaults) {
    const std::string x99(99, 'x');
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> want;   // labels from index 0; the rest must be defaults
    };
    const Case cases[] = {
        {"ten lines", "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\n", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
        {"CR LF line breaks", "Korb\r\nzurueck\r\n", {"Korb", "zurueck"}},
        {"last line without a break", "one\ntwo", {"one", "two"}},
        {"empty lines stay empty", "\n\nthird\n", {"", "", "third"}},
        {"lone CR is kept", "a\rb\n", {"a\rb"}},
        {"150 characters split at 99", std::string(99, 'L') + std::string(51, 'R') + "\nnext\n",
         {std::string(99, 'L'), std::string(51, 'R'), "next"}},
        {"exactly 99 then LF", x99 + "\nnext\n", {x99, "next"}},
        {"exactly 99 then CR LF", x99 + "\r\nnext\r\n", {x99, "next"}},
        {"quotes kept as written", "Joe's \"basket\"\n", {"Joe's \"basket\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto path = dir / "titles.dat";
        writeFile(path, c.file);
        CommonText text;
        text.load(path.string());
        for (int i = 0; i < kCommonTextCount; ++i) {
            const std::string want =
                i < static_cast<int>(c.want.size()) ? c.want[i] : CommonText::defaultText(i);
            EXPECT_EQ(text[i], want) << i;
        }
    }
}

TEST(CommonText, LoadStopsAfterThirtyLabels) {
    TempDir dir;
    std::string file;
    for (int i = 0; i < 40; ++i)
        file += "label" + std::to_string(i) + "\n";
    writeFile(dir / "titles.dat", file);
    CommonText text;
    text.load((dir / "titles.dat").string());
    EXPECT_EQ(text[0], "label0");
    EXPECT_EQ(text[29], "label29");
}

TEST(CommonText, LoadingAgainReplacesEveryLabel) {
    TempDir dir;
    writeFile(dir / "long.dat", "1\n2\n3\n4\n");
    writeFile(dir / "short.dat", "A\n");
    CommonText text;
    text.load((dir / "long.dat").string());
    text.load((dir / "short.dat").string());
    EXPECT_EQ(text[0], "A");
    EXPECT_EQ(text[1], "previous index");
    EXPECT_EQ(text[3], "Quantity");
}

TEST(CommonText, SaveWritesThirtyLinesThatLoadBack) {
    TempDir dir;
    const auto path = dir / "titles.dat";
    writeFile(path, "old contents\n");
    CommonText text;
    text.set(0, "Warenkorb");
    text.set(5, "first line\nsecond line");
    text.set(6, std::string(120, 'z'));
    ASSERT_EQ(text.save(path.string()), 0);

    const std::string saved = readFile(path);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), kCommonTextCount);
    EXPECT_TRUE(saved.starts_with("Warenkorb\nprevious index\nhome\n"));
    EXPECT_FALSE(std::filesystem::exists(dir / "titles.dat.tmp"));

    CommonText reread;
    reread.load(path.string());
    for (int i = 0; i < kCommonTextCount; ++i)
        EXPECT_EQ(reread[i], text[i]) << i;
    EXPECT_EQ(reread[5], "first line");
    EXPECT_EQ(reread[6], std::string(99, 'z'));
}

TEST(CommonText, SaveReportsAFileThatCannotBeCreated) {
    TempDir dir;
    CommonText text;
    EXPECT_EQ(text.save((dir / "missing" / "titles.dat").string()), -1);
    std::filesystem::create_directory(dir / "taken");   // a folder where the file should go
    EXPECT_EQ(text.save((dir / "taken").string()), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));
}

TEST(CommonText, EscapedLabelsAreSafeInScriptStrings) {
    CommonText text;
    text.set(12, "Joe's \"Basket\" \\");
    EXPECT_EQ(text.escaped(12), "Joe\\'s \\\"Basket\\\" \\\\");
    EXPECT_EQ(text.escaped(0), "basket");
    EXPECT_EQ(text.escaped(99), "");
}
