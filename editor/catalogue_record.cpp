#include "editor/catalogue_record.h"

#include <algorithm>

namespace korvel {

int slotLength(int slot) {
    switch (slot) {
    case kNameSlot:
        return 200;
    case kCodeSlot:
        return 30;
    case kPriceSlot:
        return 80;
    case kUnitSlot:
    case 4:
        return 20;
    case kPictureSlot:
    case 6:
        return 100;
    case 7:
    case 8:
    case 9:
    case 10:
        return 600;
    case kTaxSlot:
        return 10;
    case kDescriptionSlot:
        return 4000;
    default:
        return 0;
    }
}

const char* kindLabel(int kind) {
    switch (kind) {
    case kItem:
        return "item";
    case kIndex:
        return "index";
    case kEndIndex:
        return "end index";
    case kPageStart:
        return "page start";
    case kEndPage:
        return "end page";
    case kIndexText:
        return "text (in index frame)";
    case kDirective:
        return "header/footer directive";
    case kTableStart:
        return "start of table";
    case kEndTable:
        return "end table";
    case kColumns:
        return "start of columns layout";
    default:
        return "unknown";
    }
}

const char* kindWord(int kind) {
    switch (kind) {
    case kItem:
        return "Item";
    case kIndex:
    case kEndIndex:
        return "Index";
    case kPageStart:
        return "Start Page Item";
    case kEndPage:
        return "End Page marker";
    case kIndexText:
    case kDirective:
        return "Text";
    case kTableStart:
        return "TABLE marker";
    case kEndTable:
        return "END TABLE marker";
    case kColumns:
        return "COLUMNS marker";
    default:
        return "";
    }
}

void CatalogueRecord::set(int slot, std::string_view text) {
    if (slot < 0 || slot >= kSlotCount)
        return;
    std::size_t most = static_cast<std::size_t>(slotLength(slot));
    m_fields[static_cast<std::size_t>(slot)].assign(text.substr(0, std::min(text.size(), most)));
}

void CatalogueRecord::clear() {
    for (auto& f : m_fields)
        f.clear();
    offset = 0;
    length = 0;
    kind = kItem;
}

bool operator==(const CatalogueRecord& a, const CatalogueRecord& b) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (a.field(slot) != b.field(slot))
            return false;
    }
    return a.kind == b.kind;
}

StructureMask structureMask(bool code, bool unit, unsigned listNumbers, bool tax) {
    StructureMask mask = kDefaultMask;
    if (code)
        mask |= slotBit(kCodeSlot);
    if (unit)
        mask |= slotBit(kUnitSlot);
    for (int n = 0; n < 4; ++n) {
        if (listNumbers & (1u << n))
            mask |= slotBit(kFirstListSlot + n);
    }
    if (tax)
        mask |= slotBit(kTaxSlot);
    return mask;
}

SlotList slotList(StructureMask mask) {
    SlotList list;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (mask & slotBit(slot))
            list.slots[static_cast<std::size_t>(list.count++)] = slot;
    }
    return list;
}

} // namespace korvel
