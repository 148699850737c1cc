#include "generator/delivery_file.h"

#include <gtest/gtest.h>

#include "tests/generator/test_bytes.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace {

TestBytes scheduleRecord(std::string_view name, std::int16_t basis, std::int16_t method, std::int16_t ranges,
                         double initial = 0, double factor = 0, double roundUp = 0, double minimum = 0,
                         double maximum = 0) {
    TestBytes r;
    r.text(name, 102).i16(basis).i16(method).i16(ranges).zeros(12);
    r.f64(initial).f64(factor).f64(roundUp).f64(minimum).f64(maximum).zeros(64);
    return r;
}

DeliverySchedule rangeSchedule(std::string name, DeliveryBasis basis, std::initializer_list<DeliveryRange> ranges) {
    DeliverySchedule s;
    s.name = std::move(name);
    s.basis = basis;
    int i = 0;
    for (const DeliveryRange& r : ranges)
        s.ranges[i++] = r;
    return s;
}

} // namespace

TEST(DeliveryFile, SavesTheLayoutAndReadsItBack) {
    TempDir dir;
    const std::string path = (dir / "zkdlv01.dat").string();
    DeliverySchedules schedules;
    RecordingMessages messages;
    DeliverySchedule formula;
    formula.name = "Standard";
    formula.method = DeliveryMethod::Formula;
    formula.rangeCount = 0;
    formula.initialValue = 2.5;
    formula.factor = 0.1;
    formula.roundUpTo = 0.5;
    formula.minimum = 5;
    formula.maximum = 20;
    ASSERT_EQ(schedules.add(formula, messages), DeliveryResult::Done);
    ASSERT_EQ(schedules.add(rangeSchedule("By items", DeliveryBasis::Items, {{3, 1}, {6, 5}}), messages),
              DeliveryResult::Done);
    ASSERT_EQ(schedules.save(path), 0);

    TestBytes want;
    want.i16(2).zeros(4).raw(scheduleRecord("Standard", 1, 1, 0, 2.5, 0.1, 0.5, 5, 20).str());
    want.raw(scheduleRecord("By items", 0, 0, 10).str()).f64(3).f64(1).f64(6).f64(5);
    for (int i = 2; i < 10; ++i)
        want.f64(0).f64(0);
    EXPECT_EQ(readFile(path), want.str());

    DeliverySchedules read;
    EXPECT_EQ(read.load(path), 0);
    ASSERT_EQ(read.count(), 2);
    const DeliverySchedule& first = read.schedules()[0];
    EXPECT_EQ(first.name, "Standard");
    EXPECT_EQ(first.method, DeliveryMethod::Formula);
    EXPECT_EQ(first.basis, DeliveryBasis::OrderCost);
    EXPECT_EQ(first.rangeCount, 0);
    EXPECT_EQ(first.maximum, 20.0);
    const DeliverySchedule& second = read.schedules()[1];
    EXPECT_EQ(second.basis, DeliveryBasis::Items);
    EXPECT_EQ(second.rangeCount, 10);
    EXPECT_EQ(second.ranges[1].start, 5.0);
    EXPECT_EQ(second.ranges[1].charge, 6.0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(DeliveryFile, ShortDamagedAndOutOfRangeContents) {
    struct Case {
        const char* name;
        std::string bytes;
        int count;
        std::string lastName;   // of the last schedule read
        DeliveryBasis lastBasis;
        DeliveryMethod lastMethod;
        int lastRanges;
    };
    TestBytes twelveRanges;   // R 12: the ten kept, the two after them skipped
    twelveRanges.i16(2).zeros(4).raw(scheduleRecord("Twelve", 1, 0, 12).str());
    for (int i = 0; i < 12; ++i)
        twelveRanges.f64(i).f64(i);
    twelveRanges.raw(scheduleRecord("After", 2, 1, 0).str());
    TestBytes negativeRanges;
    negativeRanges.i16(2).zeros(4).raw(scheduleRecord("None", 0, 0, -4).str()).raw(scheduleRecord("Next", 0, 0, 0).str());
    TestBytes fortyOne;
    fortyOne.i16(41).zeros(4);
    for (int i = 0; i < 41; ++i)
        fortyOne.raw(scheduleRecord("s" + std::to_string(i), 1, 0, 0).str());
    const Case cases[] = {
        {"empty file", "", 0, "", DeliveryBasis::OrderCost, DeliveryMethod::Ranges, 0},
        {"count alone", TestBytes().i16(1).str(), 1, "", DeliveryBasis::Items, DeliveryMethod::Ranges, 0},
        {"negative count", TestBytes().i16(-2).zeros(4).str(), 0, "", DeliveryBasis::OrderCost, DeliveryMethod::Ranges, 0},
        {"more than ten ranges", twelveRanges.str(), 2, "After", DeliveryBasis::InputUnits, DeliveryMethod::Formula, 0},
        {"negative range count", negativeRanges.str(), 2, "Next", DeliveryBasis::Items, DeliveryMethod::Ranges, 0},
        {"basis and method out of range",
         TestBytes().i16(1).zeros(4).raw(scheduleRecord("Odd", 7, 3, 0).str()).str(), 1, "Odd",
         DeliveryBasis::OrderCost, DeliveryMethod::Ranges, 0},
        {"more than forty schedules", fortyOne.str(), 40, "s39", DeliveryBasis::OrderCost, DeliveryMethod::Ranges, 0},
        {"ranges cut short",
         TestBytes().i16(1).zeros(4).raw(scheduleRecord("Cut", 1, 0, 10).str()).f64(3).str(), 1, "Cut",
         DeliveryBasis::OrderCost, DeliveryMethod::Ranges, 10},
    };
    TempDir dir;
    const std::string path = (dir / "zkdlv01.dat").string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.bytes);
        DeliverySchedules schedules;
        EXPECT_EQ(schedules.load(path), 0);
        ASSERT_EQ(schedules.count(), c.count);
        if (c.count == 0)
            continue;
        const DeliverySchedule& last = schedules.schedules().back();
        EXPECT_EQ(last.name, c.lastName);
        EXPECT_EQ(last.basis, c.lastBasis);
        EXPECT_EQ(last.method, c.lastMethod);
        EXPECT_EQ(last.rangeCount, c.lastRanges);
    }
    writeFile(path, twelveRanges.str());
    DeliverySchedules schedules;
    schedules.load(path);
    EXPECT_EQ(schedules.schedules()[0].ranges[9].start, 9.0);
}

TEST(DeliveryFile, FortySlotsThenTheLimitMessage) {
    DeliverySchedules schedules;
    RecordingMessages messages;
    for (int i = 0; i < kDeliverySlots; ++i)
        ASSERT_EQ(schedules.add(rangeSchedule("s" + std::to_string(i), DeliveryBasis::Items, {}), messages),
                  DeliveryResult::Done);
    EXPECT_EQ(schedules.add(rangeSchedule("one more", DeliveryBasis::Items, {}), messages),
              DeliveryResult::LimitReached);
    EXPECT_EQ(schedules.count(), kDeliverySlots);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Cannot insert another delivery schedule - limit reached"});

    EXPECT_EQ(schedules.remove(0), DeliveryResult::Done);
    EXPECT_EQ(schedules.schedules()[0].name, "s1");
    EXPECT_EQ(schedules.remove(kDeliverySlots - 1), DeliveryResult::NoSuchSchedule);
    EXPECT_EQ(schedules.remove(-1), DeliveryResult::NoSuchSchedule);
    EXPECT_EQ(schedules.replace(39, DeliverySchedule{}), DeliveryResult::NoSuchSchedule);
    EXPECT_EQ(schedules.replace(0, rangeSchedule("new", DeliveryBasis::Items, {})), DeliveryResult::Done);
    EXPECT_EQ(schedules.schedules()[0].name, "new");
}

TEST(DeliveryFile, RangesMustAscendContiguously) {
    struct Case {
        const char* name;
        std::vector<double> starts;
        RangeOrder order;
        int range;
        std::string message;
    };
    const Case cases[] = {
        {"ascending", {1, 5, 10}, RangeOrder::Ascending, 0, ""},
        {"first start 0, the first range always counts", {0, 10}, RangeOrder::Ascending, 0, ""},
        {"all empty", {}, RangeOrder::Ascending, 0, ""},
        {"equal starts", {1, 5, 5}, RangeOrder::NotAscending, 2, "Ranges must be entered in ascending order (2)"},
        {"falling", {5, 3}, RangeOrder::NotAscending, 1, "Ranges must be entered in ascending order (1)"},
        {"gap", {1, 0, 5}, RangeOrder::NotContiguous, 2, "Please enter ranges contiguously in ascending order"},
        {"tenth range", {1, 2, 3, 4, 5, 6, 7, 8, 9, 2}, RangeOrder::NotAscending, 9,
         "Ranges must be entered in ascending order (9)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeliverySchedule s;
        for (std::size_t i = 0; i < c.starts.size(); ++i)
            s.ranges[i] = {1.0, c.starts[i]};
        RangeCheck check = checkRanges(s);
        EXPECT_EQ(check.order, c.order);
        EXPECT_EQ(check.range, c.range);
        RecordingMessages messages;
        EXPECT_EQ(checkRanges(s, messages), c.message.empty() ? 0 : -1);
        if (c.message.empty()) {
            EXPECT_TRUE(messages.shown.empty());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, c.message);
            EXPECT_EQ(messages.shown[0].caption, "Cost Ranges");
        }
    }
}

TEST(DeliveryFile, TextsOfTheDetailsForm) {
    DeliverySchedule items = rangeSchedule("i", DeliveryBasis::Items, {{3, 1}, {6, 5}});
    EXPECT_EQ(deliveryRangeEndText(items, 0), "to 4");
    EXPECT_EQ(deliveryRangeEndText(items, 1), "and over");
    EXPECT_EQ(deliveryRangeEndText(items, 2), "");
    EXPECT_EQ(deliveryRangeEndText(items, 10), "");
    EXPECT_EQ(deliveryStartText(items, 5), "5");
    DeliverySchedule cost = rangeSchedule("c", DeliveryBasis::OrderCost, {{3, 0}, {6, 10.5}});
    // The end is cut to a whole number before the cent comes off.
    EXPECT_EQ(deliveryRangeEndText(cost, 0), "to 9.99");
    EXPECT_EQ(deliveryStartText(cost, 10.5), "10.50");
    EXPECT_EQ(deliveryStartText(cost, 0), "");
    DeliverySchedule lone = rangeSchedule("l", DeliveryBasis::OrderCost, {});
    EXPECT_EQ(deliveryRangeEndText(lone, 0), "and over");

    DeliverySchedule formula;
    formula.initialValue = 2.5;
    formula.factor = 0.1;
    EXPECT_EQ(deliveryFormulaText(formula), "Cost = 2.50 + 0.10 * (order cost)");
    formula.initialValue = 0;
    formula.basis = DeliveryBasis::InputUnits;
    EXPECT_EQ(deliveryFormulaText(formula), "Cost =   0.10 * (total number of input units)");
}

TEST(DeliveryFile, NormalisedAsTheDetailsFormStoresIt) {
    DeliverySchedule s = rangeSchedule(std::string(60, 'n'), DeliveryBasis::Items, {{2.555, 1.9}, {6.004, 5.2}});
    s.factor = 0.129;
    s.rangeCount = 99;
    DeliverySchedule n = normalisedSchedule(s);
    EXPECT_EQ(n.name, std::string(51, 'n'));
    EXPECT_EQ(n.rangeCount, 10);
    EXPECT_EQ(n.factor, 0.13);
    EXPECT_EQ(n.ranges[0].start, 1.0);
    EXPECT_EQ(n.ranges[1].start, 5.0);
    EXPECT_EQ(n.ranges[1].charge, 6.0);
    s.basis = DeliveryBasis::OrderCost;
    EXPECT_EQ(normalisedSchedule(s).ranges[1].start, 5.2);
}
