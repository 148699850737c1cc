#pragma once
// One record of a catalogue data file as the editor holds it, the kinds of
// entries, and the structure masks that say which fields a record line has.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

inline constexpr int kSlotCount = 30;

enum Slot : int {
    kNameSlot = 0,
    kCodeSlot = 1,
    kPriceSlot = 2,
    kUnitSlot = 3,
    kPictureSlot = 5,
    kFirstListSlot = 7,   // options lists 1..4 are slots 7..10
    kTaxSlot = 11,
    kDescriptionSlot = 29,
};

// Longest text each slot holds.
int slotLength(int slot);

// An integer, as the views store it; any other value shows as "unknown".
enum EntryKind : int {
    kItem = 0,
    kIndex = 1,
    kEndIndex = 2,
    kPageStart = 3,
    kEndPage = 4,
    kIndexText = 5,
    kDirective = 6,
    kTableStart = 7,
    kEndTable = 8,
    kColumns = 9,
    kNoEntry = 999,   // the form while nothing is selected
};

// "item", "index", ... as the form shows the kind.
const char* kindLabel(int kind);
// "Item", "Index", ... as the delete confirmation names the kind.
const char* kindWord(int kind);

class CatalogueRecord {
public:
    const std::string& field(int slot) const { return m_fields[static_cast<std::size_t>(slot)]; }
    // Stores text cut to the slot's length; slots without content stay empty.
    void set(int slot, std::string_view text);
    void clear();

    const std::string& name() const { return field(kNameSlot); }
    const std::string& description() const { return field(kDescriptionSlot); }

    std::uint64_t offset = 0;   // start of the record in its file
    std::uint64_t length = 0;   // bytes of the record's lines
    int kind = kItem;

private:
    std::array<std::string, kSlotCount> m_fields;
};

bool operator==(const CatalogueRecord& a, const CatalogueRecord& b);

// A 30-bit set of the slots every record of a file has.
using StructureMask = std::uint32_t;

inline constexpr StructureMask kDefaultMask = 0x20000025;   // name, price, picture, description

inline constexpr StructureMask slotBit(int slot) { return StructureMask{1} << slot; }

// The mask of a structure: code and unit present or not, the numbers (1..4)
// of the options lists, tax types present or not.
StructureMask structureMask(bool code, bool unit, unsigned listNumbers, bool tax);

// The slots of a mask in ascending order, which is the order of the fields
// on a record line.
struct SlotList {
    std::array<int, kSlotCount> slots{};
    int count = 0;
};
SlotList slotList(StructureMask mask);

} // namespace korvel
