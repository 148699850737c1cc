#include "generator/tax_file.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

#include "tests/generator/test_bytes.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace {

TestBytes taxRecord(std::string_view name, double rate, std::int16_t useItemRates) {
    TestBytes r;
    r.text(name, 41).zeros(7).f64(rate).i16(1).i16(useItemRates).zeros(4);
    return r;
}

} // namespace

TEST(TaxFile, SavesTheLayoutAndReadsItBack) {
    TempDir dir;
    const std::string path = (dir / "zktax.dat").string();
    TaxTypes types;
    ASSERT_TRUE(types.append("VAT", 17.5, false));
    ASSERT_TRUE(types.append("Item rates", 0.0, true));
    RecordingMessages messages;
    ASSERT_EQ(types.save(path, messages), 0);

    TestBytes want;
    want.i16(132).i16(2).i16(0).raw(taxRecord("VAT", 17.5, 0).str()).raw(taxRecord("Item rates", 0.0, 1).str());
    EXPECT_EQ(readFile(path), want.str());

    TaxTypes read;
    read.append("stale", 1, false);
    EXPECT_EQ(read.load(path), 0);
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.name(0), "VAT");
    EXPECT_EQ(read.rateText(0), "17.50");
    EXPECT_FALSE(read.useItemRates(0));
    EXPECT_EQ(read.name(1), "Item rates");
    EXPECT_TRUE(read.useItemRates(1));
    EXPECT_TRUE(messages.shown.empty());
}

// The golden runs' tax files hold a header only: the count stands, the
// records read as empty types.
TEST(TaxFile, ShortAndDamagedFiles) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::string bytes;
        int count;
        std::string firstName;
        double firstRate;
    };
    const Case cases[] = {
        {"empty file", "", 0, "", 0.0},
        {"count cut short", std::string("\x84\x00\x02", 3), 0, "", 0.0},
        {"header only, as the golden files", TestBytes().i16(132).i16(2).i16(0).str(), 2, "", 0.0},
        {"negative count", TestBytes().i16(132).i16(-3).i16(0).str(), 0, "", 0.0},
        {"record cut inside its rate",
         TestBytes().i16(132).i16(1).i16(0).raw(taxRecord("VAT", 17.5, 0).str().substr(0, 52)).str(), 1, "VAT", 0.0},
        {"name without terminator keeps 40 characters",
         TestBytes().i16(132).i16(1).i16(0).text(std::string(48, 'n'), 48).f64(5).i16(1).i16(0).zeros(4).str(), 1,
         std::string(40, 'n'), 5.0},
        {"rate not a number", TestBytes().i16(132).i16(1).i16(0).raw(taxRecord("X", nan, 0).str()).str(), 1, "X", 0.0},
        {"other format number", TestBytes().i16(7).i16(1).i16(0).raw(taxRecord("Y", 2, 0).str()).str(), 1, "Y", 2.0},
    };
    TempDir dir;
    const std::string path = (dir / "zktax.dat").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.bytes);
        TaxTypes types;
        EXPECT_EQ(types.load(path), 0);
        EXPECT_EQ(types.count(), c.count);
        EXPECT_EQ(readTaxTypeCount(path), c.count);
        EXPECT_EQ(types.name(0), c.firstName);
        EXPECT_EQ(types.rate(0), c.firstRate);
    }
}

TEST(TaxFile, MissingOrNoRegularFileMeansNoTaxTypes) {
    TempDir dir;
    EXPECT_EQ(readTaxTypeCount((dir / "zktax.dat").string()), 0);
    std::filesystem::create_directory(dir / "folder.dat");
    EXPECT_EQ(readTaxTypeCount((dir / "folder.dat").string()), 0);
}

TEST(TaxFile, EntryOperationsCutAndIgnoreWhatIsOutOfRange) {
    TaxTypes types;
    types.append(std::string(50, 'a'), std::numeric_limits<double>::infinity(), false);
    EXPECT_EQ(types.name(0), std::string(40, 'a'));
    EXPECT_EQ(types.rate(0), 0.0);
    types.setName(0, std::string(45, 'b'));
    types.setRate(0, 20);
    types.setUseItemRates(0, true);
    EXPECT_EQ(types.name(0), std::string(40, 'b'));
    EXPECT_EQ(types.rateText(0), "20.00");
    EXPECT_TRUE(types.useItemRates(0));
    for (int index : {-1, 1, 1000}) {
        SCOPED_TRACE(index);
        types.setName(index, "x");
        types.setRate(index, 3);
        EXPECT_EQ(types.name(index), "");
        EXPECT_EQ(types.rate(index), 0.0);
        EXPECT_EQ(types.rateText(index), "0.00");
        EXPECT_FALSE(types.useItemRates(index));
        EXPECT_FALSE(types.remove(index));
    }
    EXPECT_EQ(types.count(), 1);
    EXPECT_TRUE(types.remove(0));
    EXPECT_EQ(types.count(), 0);
}

TEST(TaxFile, FailedSaveTellsTheUser) {
    TempDir dir;
    TaxTypes types;
    types.append("VAT", 20, false);
    RecordingMessages messages;
    EXPECT_EQ(types.save((dir / "missing" / "zktax.dat").string(), messages), -1);
    ASSERT_EQ(messages.texts(), std::vector<std::string>{"Could not save Tax Types"});
}
