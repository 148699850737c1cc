#include "model/field_slots.h"

#include <gtest/gtest.h>
#include <vector>

#include "model/slot_lengths.h"

namespace {

std::vector<int> slotsOf(FieldMask mask) {
    const FieldList list = fieldListOf(mask);
    return {list.slots.begin(), list.slots.begin() + list.count};
}

TEST(FieldSlots, MaskGivesTheFieldsInSlotOrder) {
    struct Case {
        const char* name;
        FieldMask mask;
        std::vector<int> want;
    };
    const Case cases[] = {
        {"no directives", kDefaultFieldMask, {0, 2, 5, 29}},
        {"the default mask as written", 0x20000025, {0, 2, 5, 29}},
        {"code, unit, two selections, tax",
         kDefaultFieldMask | slotBit(kCodeSlot) | slotBit(kUnitSlot) | slotBit(kFirstSelectionSlot) |
             slotBit(kFirstSelectionSlot + 1) | slotBit(kTaxTypeSlot),
         {0, 1, 2, 3, 5, 7, 8, 11, 29}},
        {"order of the bits, not of setting them", slotBit(kDescriptionSlot) | slotBit(kNameSlot), {0, 29}},
        {"empty", 0, {}},
        {"bits past the last slot give nothing", 0xC0000001u, {0}},
        {"every bit", 0xFFFFFFFFu, [] {
             std::vector<int> all;
             for (int slot = 0; slot < kSlotCount; ++slot)
                 all.push_back(slot);
             return all;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(slotsOf(c.mask), c.want);
    }
}

TEST(SlotLengths, TheProgramsDifferOnlyInPriceAndTaxType) {
    std::vector<int> differing;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (generatorSlotLength(slot) != editorSlotLength(slot))
            differing.push_back(slot);
    }
    EXPECT_EQ(differing, (std::vector<int>{kPriceSlot, kTaxTypeSlot}));
    EXPECT_EQ(generatorSlotLength(kPriceSlot), 100);
    EXPECT_EQ(editorSlotLength(kPriceSlot), 80);
    EXPECT_EQ(generatorSlotLength(kTaxTypeSlot), 30);
    EXPECT_EQ(editorSlotLength(kTaxTypeSlot), 10);
    for (int slot : {-1, 12, 28, int{kSlotCount}}) {
        EXPECT_EQ(generatorSlotLength(slot), 0) << slot;
        EXPECT_EQ(editorSlotLength(slot), 0) << slot;
    }
}

} // namespace
