#pragma once
// The 30 field slots of a catalogue record and the field mask that says which
// of them every record line of a file holds. A record line holds the slots of
// the mask in ascending order, so the description is always its last field.
#include <array>
#include <cstdint>

enum FieldSlot : int {
    kNameSlot = 0,
    kCodeSlot = 1,
    kPriceSlot = 2,
    kUnitSlot = 3,
    kPictureSlot = 5,
    kFirstSelectionSlot = 7,   // selections (options lists) 1..4 are slots 7..10
    kTaxTypeSlot = 11,
    kDescriptionSlot = 29,
    kSlotCount = 30,
};

inline constexpr int kSelectionCount = 4;

using FieldMask = std::uint32_t;

inline constexpr FieldMask slotBit(int slot) { return FieldMask{1} << slot; }

// Name, price, picture and description: the fields of a file without directives.
inline constexpr FieldMask kDefaultFieldMask =
    slotBit(kNameSlot) | slotBit(kPriceSlot) | slotBit(kPictureSlot) | slotBit(kDescriptionSlot);

// The slots of a mask in ascending order: the order of the fields on a line.
struct FieldList {
    std::array<int, kSlotCount> slots{};
    int count = 0;
};

constexpr FieldList fieldListOf(FieldMask mask) {
    FieldList list;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (mask & slotBit(slot))
            list.slots[static_cast<std::size_t>(list.count++)] = slot;
    }
    return list;
}
