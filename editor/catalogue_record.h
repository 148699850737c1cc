#pragma once
// One record of a catalogue data file as the editor holds it, the kinds of
// entries, and the structure masks that say which fields a record line has.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/field_slots.h"

namespace korvel {

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
    // Stores text cut to the editor's length of the slot; slots without
    // content stay empty. False when the text had to be cut.
    bool set(int slot, std::string_view text);
    void clear();

    const std::string& name() const { return field(kNameSlot); }
    const std::string& description() const { return field(kDescriptionSlot); }

    std::uint64_t offset = 0;   // start of the record in its file
    std::uint64_t length = 0;   // bytes of the record's lines
    int kind = kItem;
    bool cut = false;           // a field read from the file was longer than its slot

private:
    std::array<std::string, kSlotCount> m_fields;
};

bool operator==(const CatalogueRecord& a, const CatalogueRecord& b);

// The mask of a structure: code and unit present or not, the numbers (1..4)
// of the options lists, tax types present or not.
FieldMask structureMask(bool code, bool unit, unsigned listNumbers, bool tax);

} // namespace korvel
