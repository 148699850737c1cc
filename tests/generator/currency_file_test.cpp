#include "generator/currency_file.h"

#include <gtest/gtest.h>
#include <limits>

#include "tests/generator/test_bytes.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace {

TestBytes currencyHeader(std::int16_t count, std::int32_t include, std::int32_t text1At = 0, std::int32_t text1Length = 0,
                         std::int16_t format = 213) {
    TestBytes h;
    h.i16(format).i16(count).i16(0).i16(0).i32(include).i32(text1At).i32(text1Length).i32(0).i32(0).zeros(260);
    return h;
}

TestBytes currencyEntry(std::string_view name, std::string_view symbol, double rate, unsigned char after,
                        std::int16_t decimals) {
    TestBytes e;
    e.text(name, 41).text(symbol, 21).zeros(2).f64(rate).byte(after).zeros(1).i16(1).i16(decimals).zeros(26);
    return e;
}

CurrencyEntry entry(std::string symbol, double rate, bool after, int decimals) {
    CurrencyEntry e;
    e.symbol = std::move(symbol);
    e.rate = rate;
    e.followsAmount = after;
    e.decimalPlaces = decimals;
    return e;
}

} // namespace

TEST(CurrencyFile, SavesTheLayoutAndReadsItBack) {
    TempDir dir;
    const std::string path = (dir / "zkcurr.dat").string();
    CurrencyList list;
    list.setIncludeAlternates(true);
    ASSERT_TRUE(list.add(entry("EUR", 1.165, false, 2)));
    ASSERT_TRUE(list.add(entry("US$", 1.2734, true, 3)));
    list.setText(CurrencyText::Basket, "Choose");
    RecordingMessages messages;
    ASSERT_EQ(list.save(path, messages), 0);

    const std::int32_t textAt = 288 + 2 * 104;
    TestBytes want = currencyHeader(2, 1, textAt, 7);
    want.raw(currencyEntry("", "EUR", 1.165, 0, 2).str()).raw(currencyEntry("", "US$", 1.2734, 1, 3).str());
    want.raw(std::string("Choose\0", 7));
    EXPECT_EQ(readFile(path), want.str());

    CurrencyList read;
    read.add(entry("stale", 1, false, 0));
    EXPECT_EQ(read.load(path), 0);
    EXPECT_TRUE(read.includeAlternates());
    EXPECT_TRUE(read.conversionOn());
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.symbol(1), "US$");
    EXPECT_EQ(read.rate(1), 1.2734);
    EXPECT_EQ(read.followsAmount(1), 1);
    EXPECT_EQ(read.decimalPlacesText(1), "3");
    EXPECT_EQ(read.text(CurrencyText::Basket), "Choose");
    EXPECT_EQ(read.text(CurrencyText::Second), "");
    EXPECT_EQ(readCurrencyText(path, CurrencyText::Basket, messages), "Choose");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(CurrencyFile, ShortDamagedAndOutOfRangeContents) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::string bytes;
        int count;
        bool conversionOn;
        std::string firstSymbol;
        double firstRate;
        std::string firstDecimals;
        std::string text;
    };
    // The golden runs' currency file: one zeroed entry, include flag set.
    const std::string golden = currencyHeader(1, 1).str() + std::string(104, '\0');
    const Case cases[] = {
        {"empty file", "", 0, false, "", 0.0, "", ""},
        {"count cut short", "\xd5\x00\x01", 0, false, "", 0.0, "", ""},
        {"golden file", golden, 1, true, "", 0.0, "0", ""},
        {"flag set, no entries", currencyHeader(0, 1).str(), 0, false, "", 0.0, "", ""},
        {"entries missing", currencyHeader(2, 1).str().substr(0, 12), 2, true, "", 0.0, "0", ""},
        {"negative count", currencyHeader(-1, 1).str(), 0, false, "", 0.0, "", ""},
        {"format number not checked", currencyHeader(1, 1, 0, 0, 99).raw(currencyEntry("", "EUR", 2, 0, 2).str()).str(), 1,
         true, "EUR", 2.0, "2", ""},
        {"decimals 9 clamped to 6", currencyHeader(1, 0).raw(currencyEntry("", "EUR", 2, 0, 9).str()).str(), 1, false,
         "EUR", 2.0, "6", ""},
        {"negative decimals clamped to 0", currencyHeader(1, 0).raw(currencyEntry("", "EUR", 2, 0, -4).str()).str(), 1,
         false, "EUR", 2.0, "0", ""},
        {"rate not a number", currencyHeader(1, 0).raw(currencyEntry("", "EUR", nan, 0, 2).str()).str(), 1, false, "EUR",
         0.0, "2", ""},
        {"symbol without terminator keeps 20 characters",
         currencyHeader(1, 0).raw(currencyEntry("", std::string(21, 's'), 1, 0, 2).str()).str(), 1, false,
         std::string(20, 's'), 1.0, "2", ""},
        {"text beyond the end", currencyHeader(0, 0, 5000, 10).str(), 0, false, "", 0.0, "", ""},
        {"text longer than the file", currencyHeader(0, 0, 288, 1000).raw("Pick").str(), 0, false, "", 0.0, "", "Pick"},
        {"negative text offset", currencyHeader(0, 0, -5, 10).raw("Pick").str(), 0, false, "", 0.0, "", ""},
    };
    TempDir dir;
    const std::string path = (dir / "zkcurr.dat").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.bytes);
        CurrencyList list;
        EXPECT_EQ(list.load(path), 0);
        EXPECT_EQ(list.count(), c.count);
        EXPECT_EQ(list.conversionOn(), c.conversionOn);
        EXPECT_EQ(list.symbol(0), c.firstSymbol);
        EXPECT_EQ(list.rate(0), c.firstRate);
        EXPECT_EQ(list.decimalPlacesText(0), c.firstDecimals);
        EXPECT_EQ(list.text(CurrencyText::Basket), c.text);
    }
}

TEST(CurrencyFile, MissingFileMeansNoAlternatesButTheTextCannotBeRetrieved) {
    TempDir dir;
    const std::string path = (dir / "zkcurr.dat").string();
    CurrencyList list;
    EXPECT_EQ(list.load(path), 0);
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(list.includeAlternates());
    RecordingMessages messages;
    EXPECT_EQ(readCurrencyText(path, CurrencyText::Basket, messages), std::nullopt);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not retrieve currency text"});
}

TEST(CurrencyFile, EntryOperationsClampAndCut) {
    CurrencyList list;
    CurrencyEntry wide = entry(std::string(30, 's'), 2, false, 12);
    wide.name = std::string(50, 'n');
    ASSERT_TRUE(list.add(wide));
    EXPECT_EQ(list.entries()[0].name, std::string(40, 'n'));
    EXPECT_EQ(list.symbol(0), std::string(20, 's'));
    EXPECT_EQ(list.decimalPlacesText(0), "6");
    ASSERT_TRUE(list.insert(0, entry("first", 1, false, 2)));
    ASSERT_TRUE(list.insert(2, entry("last", 1, false, 2)));
    EXPECT_FALSE(list.insert(4, entry("beyond", 1, false, 2)));
    EXPECT_FALSE(list.insert(-1, entry("before", 1, false, 2)));
    EXPECT_EQ(list.symbol(0), "first");
    EXPECT_EQ(list.symbol(2), "last");

    list.setDecimalPlaces(1, -7);
    EXPECT_EQ(list.decimalPlacesText(1), "0");
    list.setDecimalPlaces(1, 100000);
    EXPECT_EQ(list.decimalPlacesText(1), "6");
    list.setSymbol(1, std::string(25, 'x'));
    EXPECT_EQ(list.symbol(1), std::string(20, 'x'));
    list.setRate(1, std::numeric_limits<double>::infinity());
    EXPECT_EQ(list.rate(1), 0.0);
    list.setFollowsAmount(1, true);
    EXPECT_EQ(list.followsAmount(1), 1);

    for (int index : {-1, 3, 40000}) {
        SCOPED_TRACE(index);
        list.setRate(index, 5);
        list.setSymbol(index, "x");
        EXPECT_EQ(list.symbol(index), "");
        EXPECT_EQ(list.rate(index), 0.0);
        EXPECT_EQ(list.followsAmount(index), 0);
        EXPECT_EQ(list.decimalPlacesText(index), "");
        EXPECT_FALSE(list.remove(index));
    }
    EXPECT_TRUE(list.remove(0));
    EXPECT_EQ(list.symbol(0), std::string(20, 'x'));
}

TEST(CurrencyFile, FailedSavesNameWhatWasNotSaved) {
    TempDir dir;
    const std::string path = (dir / "missing" / "zkcurr.dat").string();
    CurrencyList list;
    RecordingMessages messages;
    EXPECT_EQ(list.save(path, messages), -1);
    EXPECT_EQ(list.saveText(path, messages), -1);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Could not save Curr Types", "Could not save currency text"}));
}
