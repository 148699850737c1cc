// The rules the list dialogs share: which row is selected after a delete,
// and how a typed amount is read.
#include "app/core/list_editing.h"

#include <gtest/gtest.h>

TEST(ListEditing, TheRowThatTookThePlaceOrTheNewLastIsSelected) {
    struct Case {
        int removed, remaining, expected;
    };
    const Case cases[] = {
        {0, 2, 0},   // the first of three: its follower moves up
        {1, 2, 1},   // the middle of three
        {2, 2, 1},   // the last of three: the new last
        {0, 0, -1},  // the only one: nothing left
    };
    for (const Case& c : cases)
        EXPECT_EQ(rowAfterRemoval(c.removed, c.remaining), c.expected) << c.removed << " of " << c.remaining + 1;
}

TEST(ListEditing, TypedAmountsTakeTheirLeadingNumber) {
    struct Case {
        const char* typed;
        double expected;
    };
    const Case cases[] = {
        {"17.5", 17.5}, {"  3abc", 3.0}, {"+2.25", 2.25}, {"-1", -1.0}, {"abc", 0.0}, {"", 0.0},
        {"inf", 0.0},   {"nan", 0.0},    {"1e400", 0.0},  {"0.005", 0.005}, {"12,5", 12.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(typedAmount(c.typed), c.expected) << '"' << c.typed << '"';
}
