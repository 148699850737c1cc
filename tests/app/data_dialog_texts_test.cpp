// Texts the data dialogs show: currency list lines and rates, tax rates,
// the delivery form's amounts once a box is left, and the common text groups.
#include <gtest/gtest.h>

#include <set>

#include "app/core/common_text_groups.h"
#include "app/core/currency_dialog_rules.h"
#include "app/core/delivery_form.h"
#include "app/core/tax_dialog_rules.h"
#include "generator/common_text.h"

TEST(CurrencyDialog, ListLinesShowSymbolAndRate) {
    struct Case {
        std::string symbol;
        double rate;
        std::string expected;
    };
    const Case cases[] = {
        {"EUR", 1.4, "EUR 1.4000"},
        {"new", 0.0, "new 0.0000"},
        {"$", 1234.56789, "$ 1234.5679"},
    };
    for (const Case& c : cases) {
        CurrencyEntry entry;
        entry.symbol = c.symbol;
        entry.rate = c.rate;
        EXPECT_EQ(currencyListLine(entry), c.expected);
    }
    const CurrencyEntry added = newCurrencyEntry();
    EXPECT_EQ(currencyListLine(added), "new 0.0000");
    EXPECT_EQ(added.decimalPlaces, 2);
    EXPECT_FALSE(added.followsAmount);
}

TEST(TaxDialog, OkCopiesTheFirstTypeIntoTheRecord) {
    EXPECT_EQ(taxRateText(17.5), "17.50");
    EXPECT_EQ(taxRateText(0.0), "0.00");

    TaxTypes types;
    types.append("VAT", 17.5, false);
    types.append("Zero", 0.0, true);
    GeneralSettings general{};
    storeTaxChoices(general, types, true);
    EXPECT_EQ(int(general.includeTax), 1);
    EXPECT_STREQ(general.taxDescription, "VAT");
    EXPECT_EQ(double(general.taxRate), 17.5);

    storeTaxChoices(general, TaxTypes{}, false);
    EXPECT_EQ(int(general.includeTax), 0);
    EXPECT_STREQ(general.taxDescription, "");
    EXPECT_EQ(double(general.taxRate), 0.0);
}

TEST(DeliveryForm, AmountsAreShownAgainWhenABoxIsLeft) {
    struct Case {
        const char* name;
        DeliveryBasis basis;   // starts only
        bool start;
        const char* typed;
        ZeroAmount zero;
        const char* expected;
    };
    const Case cases[] = {
        {"charge", DeliveryBasis::OrderCost, false, "3.5", ZeroAmount::ShownEmpty, "3.50"},
        {"charge of 0", DeliveryBasis::OrderCost, false, "0", ZeroAmount::ShownEmpty, ""},
        {"factor of 0", DeliveryBasis::OrderCost, false, "abc", ZeroAmount::ShownAsNumber, "0.00"},
        {"item start", DeliveryBasis::Items, true, "5.7", ZeroAmount::ShownEmpty, "5"},
        {"item start under 1", DeliveryBasis::Items, true, "0.5", ZeroAmount::ShownEmpty, ""},
        {"first item start of 0", DeliveryBasis::Items, true, "", ZeroAmount::ShownAsNumber, "0"},
        {"cost start", DeliveryBasis::OrderCost, true, "10", ZeroAmount::ShownEmpty, "10.00"},
        {"first unit start of 0", DeliveryBasis::InputUnits, true, "0", ZeroAmount::ShownAsNumber, "0.00"},
        {"huge item start", DeliveryBasis::Items, true, "1e300", ZeroAmount::ShownEmpty, "1000000000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string shown =
            c.start ? normalisedStartText(c.basis, c.typed, c.zero) : normalisedAmountText(c.typed, c.zero);
        EXPECT_EQ(shown, c.expected);
    }
}

TEST(CommonTextGroups, EveryLabelIsEditedOnce) {
    std::set<int> seen;
    for (const CommonTextGroup& group : commonTextGroups()) {
        EXPECT_FALSE(group.entries.empty()) << group.title;
        for (const CommonTextEntry& entry : group.entries) {
            EXPECT_TRUE(entry.index >= 0 && entry.index < kCommonTextCount) << entry.caption;
            EXPECT_TRUE(seen.insert(entry.index).second) << entry.caption;
        }
    }
    EXPECT_EQ(seen.size(), std::size_t(kCommonTextCount));
}
