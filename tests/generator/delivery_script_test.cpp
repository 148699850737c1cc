// The delivery schedules in the home page: the schedule functions ds<n>,
// the dispatcher dc and RU, ShowBasket's recalculation and the basket's
// schedule selector, written from zkdlv01.dat in the program folder.
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "generator/delivery_file.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/page_writer.h"
#include "model/settings_store.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

DeliverySchedule formula(const char* name, DeliveryBasis basis, double initial, double factor, double roundUpTo = 0,
                         double minimum = 0, double maximum = 0) {
    DeliverySchedule s;
    s.name = name;
    s.basis = basis;
    s.method = DeliveryMethod::Formula;
    s.initialValue = initial;
    s.factor = factor;
    s.roundUpTo = roundUpTo;
    s.minimum = minimum;
    s.maximum = maximum;
    return s;
}

// Ranges as (start, charge); the rest of the ten stay empty.
DeliverySchedule ranges(const char* name, DeliveryBasis basis, std::vector<std::pair<double, double>> table) {
    DeliverySchedule s;
    s.name = name;
    s.basis = basis;
    s.method = DeliveryMethod::Ranges;
    for (std::size_t i = 0; i < table.size(); ++i)
        s.ranges[i] = {table[i].second, table[i].first};
    return s;
}

// A run with the given schedules in its program folder.
class DeliveryRun {
public:
    DeliveryRun(const std::vector<DeliverySchedule>& schedules, int orderFormFlags = 3) {
        blocks->general.orderFormFlags = static_cast<std::int16_t>(orderFormFlags);
        run = std::make_unique<GenerationRun>(blocks->appearance, blocks->general, messages, stderr);
        run->programDir = dir.str();
        run->fontTags[BasketFont::Order] = {"<FONT SIZE=2>", "</FONT>"};
        DeliverySchedules file;
        for (const DeliverySchedule& s : schedules)
            file.add(s, messages);
        if (!schedules.empty()) {
            EXPECT_EQ(file.save((dir / "zkdlv01.dat").string()), 0);
        }
    }

    std::string script(bool units) {
        HomeFacts facts;
        facts.units = units;
        const fs::path path = dir / "script.js";
        {
            PageWriter out;
            EXPECT_TRUE(out.open(path.string()));
            writeDeliveryScript(*run, out, facts);
        }
        return readFile(path);
    }

    std::string selector(bool units) {
        HomeFacts facts;
        facts.units = units;
        facts.basketFrame = 2;
        return deliverySelector(*run, facts);
    }

    TempDir dir;
    std::unique_ptr<SettingsBlocks> blocks = std::make_unique<SettingsBlocks>();
    RecordingMessages messages;
    std::unique_ptr<GenerationRun> run;
};

const char kDispatchOne[] = "function dc (sch){iDS=sch;DelivCost=(sch==0?ds0():0);}\n";
const char kRoundUp[] =
    "function RU(RA1,IV1){var n=IV1<RA1?0:Math.floor(IV1/RA1);return n*RA1+(IV1%RA1>0.005?RA1:0);}\n";

TEST(DeliveryScript, WritesEachScheduleAsAFunctionAndTheDispatcher) {
    struct Case {
        const char* name;
        std::vector<DeliverySchedule> schedules;
        bool units;
        std::string script;
    };
    const DeliveryBasis cost = DeliveryBasis::OrderCost, items = DeliveryBasis::Items,
                        units = DeliveryBasis::InputUnits;
    const Case cases[] = {
        {"formula on the order cost", {formula("Standard", cost, 2.5, 0.1)}, false,
         std::string("function ds0(){Sch='Standard';return 2.500+fOrderTotal*0.100}\n") + kDispatchOne},
        {"ranges on the number of items", {ranges("By count", items, {{1, 3}, {5, 6}})}, false,
         std::string("function ds0(){Sch='By count';return (iItems>=5.00?6.00:(iItems>=1.00?3.00:0))}\n") +
             kDispatchOne},
        {"minimum without maximum", {formula("Five at least", items, 1, 0.5, 0, 5, 0)}, false,
         std::string("function ds0(){Sch='Five at least';var tc=1.000+iItems*0.500;if(tc<5.00)tc=5.00;return tc;}\n") +
             kDispatchOne},
        {"rounding with a maximum", {formula("Rounded", cost, 0, 0.1, 5, 0, 20)}, false,
         std::string("function ds0(){Sch='Rounded';var tc=RU(5.00,0.000+fOrderTotal*0.100);if(tc>20.00)tc=20.00;"
                     "return tc;}\n") +
             kDispatchOne + kRoundUp},
        {"rounding without limits", {formula("Steps", cost, 1, 1, 2.5)}, false,
         std::string("function ds0(){Sch='Steps';return RU(2.50,1.000+fOrderTotal*1.000)}\n") + kDispatchOne + kRoundUp},
        {"input units skipped without units",
         {formula("Flat", cost, 4, 0), formula("Per unit", units, 0, 0.2), ranges("Bands", cost, {{0, 2}, {50, 0}})},
         false,
         "function ds0(){Sch='Flat';return 4.000+fOrderTotal*0.000}\n"
         "function ds1(){Sch='Bands';return (fOrderTotal>=50.00?0.00:(fOrderTotal>=0.00?2.00:0))}\n"
         "function dc (sch){iDS=sch;DelivCost=(sch==1?ds1():(sch==0?ds0():0));}\n"},
        {"input units kept with units",
         {formula("Flat", cost, 4, 0), formula("Per unit", units, 0, 0.2), ranges("Bands", cost, {{0, 2}, {50, 0}})},
         true,
         "function ds0(){Sch='Flat';return 4.000+fOrderTotal*0.000}\n"
         "function ds1(){Sch='Per unit';return 0.000+Tu1*0.200}\n"
         "function ds2(){Sch='Bands';return (fOrderTotal>=50.00?0.00:(fOrderTotal>=0.00?2.00:0))}\n"
         "function dc (sch){iDS=sch;DelivCost=(sch==2?ds2():(sch==1?ds1():(sch==0?ds0():0)));}\n"},
        {"no schedules", {}, false, "function dc (sch){iDS=sch;DelivCost=0.0;}\n"},
        {"only a units schedule without units", {formula("Per unit", units, 0, 0.2)}, false,
         "function dc (sch){iDS=sch;DelivCost=0.0;}\n"},
        {"a quote in the name", {formula("Bob's", cost, 1, 0)}, false,
         std::string("function ds0(){Sch='Bob\\'s';return 1.000+fOrderTotal*0.000}\n") + kDispatchOne},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeliveryRun delivery(c.schedules);
        EXPECT_EQ(delivery.script(c.units), c.script);
    }
}

TEST(DeliveryScript, ARangeTableWithoutEntriesChargesNothing) {
    DeliverySchedule none = ranges("None", DeliveryBasis::OrderCost, {});
    none.rangeCount = 0;
    DeliveryRun delivery({none});
    EXPECT_EQ(delivery.script(false), std::string("function ds0(){Sch='None';return 0.00}\n") + kDispatchOne);
}

TEST(DeliveryScript, NothingWithoutDeliveryCharges) {
    DeliveryRun delivery({formula("Standard", DeliveryBasis::OrderCost, 2.5, 0.1)}, 1);
    EXPECT_EQ(delivery.script(false), "");
    EXPECT_EQ(delivery.selector(false), "");
    EXPECT_EQ(deliveryRecalculation(*delivery.run), "");
}

// ShowBasket recomputes the charge only when the order form is on too.
TEST(DeliveryScript, ShowBasketRecalculatesWithTheOrderFormAndCharges) {
    const std::pair<int, const char*> cases[] = {{3, "dc(iDS);"}, {2, ""}, {1, ""}, {0, ""}};
    for (const auto& [flags, want] : cases) {
        SCOPED_TRACE(flags);
        DeliveryRun delivery({}, flags);
        EXPECT_EQ(deliveryRecalculation(*delivery.run), want);
    }
}

TEST(DeliverySelector, OffersTheWrittenSchedulesAndShowsTheCharge) {
    const std::vector<DeliverySchedule> schedules = {formula("Flat", DeliveryBasis::OrderCost, 4, 0),
                                                     formula("Per unit", DeliveryBasis::InputUnits, 0, 0.2),
                                                     ranges("Bob's", DeliveryBasis::Items, {{1, 3}})};
    struct Case {
        const char* name;
        bool conversion;
        const char* shown;    // the text box's amount
        const char* change;   // what the change handler puts into it
    };
    const Case cases[] = {
        {"main currency", false, "fa(DelivCost)", "parent.fa(parent.DelivCost)"},
        {"alternate currencies", true, "fa(CCR*DelivCost)", "parent.fa(parent.CCR*parent.DelivCost)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeliveryRun delivery(schedules);
        delivery.run->currencyConversion = c.conversion;
        EXPECT_EQ(delivery.selector(false),
                  std::string("d.write(\"<TD><FONT SIZE=2>&nbsp;Delivery&nbsp</FONT><SELECT NAME=ds "
                              "OnChange=\\\"parent.dc(ds.selectedIndex);parent.frames[2].document.forms[0].dc.value=") +
                      c.change +
                      "\\\"><OPTION VALUE=0\"+(iDS==0?\" SELECTED \":\"\")+\">Flat<OPTION VALUE=1\"+(iDS==1?\" "
                      "SELECTED \":\"\")+\">Bob\\'s</SELECT></TD><TD><FONT SIZE=2>Cost&nbsp;</FONT><INPUT TYPE=TEXT "
                      "NAME=dc SIZE=8 VALUE=\"+" +
                      c.shown + "+\"></TD>\");\n");
    }
}

TEST(DeliverySelector, NoneWithoutSchedules) {
    DeliveryRun delivery({});
    EXPECT_EQ(delivery.selector(true), "");
}

// The written functions run in a script engine: the charges of the
// examples, and RU's rounding up to a multiple of its step.
TEST(DeliveryScript, ChargesComputeAsTheSchedulesSay) {
    const fs::path node = "/usr/bin/node";
    if (!fs::exists(node))
        GTEST_SKIP() << "no node at " << node;
    DeliveryRun delivery({formula("Standard", DeliveryBasis::OrderCost, 2.5, 0.1),
                          ranges("By count", DeliveryBasis::Items, {{1, 3}, {5, 6}}),
                          formula("Five to twenty", DeliveryBasis::Items, 1, 2, 0, 5, 20),
                          formula("Fives", DeliveryBasis::OrderCost, 0, 1, 5),
                          ranges("From nothing", DeliveryBasis::OrderCost, {{0, 4}, {10, 1}})});
    const std::string probe =
        "var iItems=0,fOrderTotal=0,Tu1=0,iDS=0,DelivCost=0,Sch='',out=[];\n" + delivery.script(false) +
        "function at(sch,items,total){iItems=items;fOrderTotal=total;dc(sch);out.push(Sch+':'+DelivCost);}\n"
        "at(0,0,20);at(1,0,0);at(1,1,0);at(1,4,0);at(1,5,0);at(1,9,0);at(2,1,0);at(2,4,0);at(2,12,0);\n"
        "at(3,0,12);at(3,0,10);at(3,0,3);at(4,0,0);at(4,0,9.99);at(4,0,10);\n"
        "out.push(RU(5,12),RU(5,10),RU(5,3));console.log(out.join('\\n'));\n";
    writeFile(delivery.dir / "probe.js", probe);
    const ChildResult result = runChild(node, {(delivery.dir / "probe.js").string()});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.out, "Standard:4.5\nBy count:0\nBy count:3\nBy count:3\nBy count:6\nBy count:6\n"
                          "Five to twenty:5\nFive to twenty:9\nFive to twenty:20\nFives:15\nFives:10\nFives:5\n"
                          "From nothing:4\nFrom nothing:4\nFrom nothing:1\n15\n10\n5\n");
}

} // namespace
