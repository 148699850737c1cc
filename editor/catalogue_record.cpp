#include "editor/catalogue_record.h"

#include <algorithm>

#include "model/slot_lengths.h"

namespace korvel {

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

bool CatalogueRecord::set(int slot, std::string_view text) {
    if (slot < 0 || slot >= kSlotCount)
        return text.empty();
    std::size_t most = static_cast<std::size_t>(editorSlotLength(slot));
    m_fields[static_cast<std::size_t>(slot)].assign(text.substr(0, std::min(text.size(), most)));
    return text.size() <= most;
}

void CatalogueRecord::clear() {
    for (auto& f : m_fields)
        f.clear();
    offset = 0;
    length = 0;
    kind = kItem;
    cut = false;
}

bool operator==(const CatalogueRecord& a, const CatalogueRecord& b) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (a.field(slot) != b.field(slot))
            return false;
    }
    return a.kind == b.kind;
}

FieldMask structureMask(bool code, bool unit, unsigned listNumbers, bool tax) {
    FieldMask mask = kDefaultFieldMask;
    if (code)
        mask |= slotBit(kCodeSlot);
    if (unit)
        mask |= slotBit(kUnitSlot);
    for (int n = 0; n < kSelectionCount; ++n) {
        if (listNumbers & (1u << n))
            mask |= slotBit(kFirstSelectionSlot + n);
    }
    if (tax)
        mask |= slotBit(kTaxTypeSlot);
    return mask;
}

} // namespace korvel
