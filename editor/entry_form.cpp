#include "editor/entry_form.h"

#include <algorithm>
#include <charconv>

#include "model/slot_lengths.h"

namespace korvel {

FormAccess formAccess(int kind) {
    switch (kind) {
    case kItem:
    case kPageStart:
        return FormAccess::All;
    case kIndex:
    case kIndexText:
    case kColumns:
        return FormAccess::TextOnly;
    case kDirective:
        return FormAccess::DescriptionOnly;
    default:
        return FormAccess::None;
    }
}

const char* textCaption(int kind) { return kind == kColumns ? "No. Columns" : "Text"; }

FormLayout formLayoutOf(const FileDirectives& directives) {
    FormLayout layout;
    layout.code = directives.codePresent;
    layout.unit = directives.unitPresent;
    for (int n = 0; n < kCaptionCount; ++n) {
        if ((directives.listNumbers >> n) & 1u) {
            layout.optionSlots.push_back(kFirstSelectionSlot + n);
            layout.optionCaptions.push_back(directives.captions[static_cast<std::size_t>(n)]);
        }
    }
    for (int n = 0; n < directives.taxCount(); ++n)
        layout.taxTitles.push_back(directives.taxTypes[static_cast<std::size_t>(n)].title);
    return layout;
}

std::pair<std::string, std::string> splitPictures(std::string_view slot) {
    std::size_t bar = slot.find('|');
    if (bar == std::string_view::npos)
        return {std::string(slot), {}};
    return {std::string(slot.substr(0, bar)), std::string(slot.substr(bar + 1))};
}

std::string joinPictures(std::string_view first, std::string_view second) {
    std::string joined;
    if (!first.empty() && !second.empty())
        joined = std::string(first) + '|' + std::string(second);
    else
        joined = first.empty() ? std::string(second) : std::string(first);
    joined.resize(std::min(joined.size(), static_cast<std::size_t>(editorSlotLength(kPictureSlot))));
    return joined;
}

int shownTaxChoice(std::string_view taxSlot, std::string_view price, int taxCount) {
    int number = 0;
    auto [end, error] = std::from_chars(taxSlot.data(), taxSlot.data() + taxSlot.size(), number);
    if (error == std::errc() && end != taxSlot.data() && number >= 1 && number <= taxCount)
        return number - 1;
    if (taxCount > 0 && !price.empty() && price.front() >= '0' && price.front() <= '9')
        return 0;
    return -1;
}

EntryFormValues formValuesOf(const CatalogueRecord& record, int kind, int taxCount) {
    EntryFormValues values;
    values.kind = kind;
    values.startPage = kind == kPageStart;
    values.text = record.field(kNameSlot);
    values.code = record.field(kCodeSlot);
    values.price = record.field(kPriceSlot);
    values.unit = record.field(kUnitSlot);
    std::tie(values.firstPicture, values.secondPicture) = splitPictures(record.field(kPictureSlot));
    for (int n = 0; n < kSelectionCount; ++n)
        values.optionsLists[static_cast<std::size_t>(n)] = record.field(kFirstSelectionSlot + n);
    values.taxChoice = shownTaxChoice(record.field(kTaxTypeSlot), values.price, taxCount);
    values.description = record.description();
    return values;
}

void storeFormValues(const EntryFormValues& values, int taxCount, CatalogueRecord& record) {
    record.set(kNameSlot, values.text);
    record.set(kCodeSlot, values.code);
    record.set(kPictureSlot, joinPictures(values.firstPicture, values.secondPicture));
    record.set(kPriceSlot, values.price);
    record.set(kUnitSlot, values.unit);
    record.set(kDescriptionSlot, values.description);
    for (int n = 0; n < kSelectionCount; ++n)
        record.set(kFirstSelectionSlot + n, values.optionsLists[static_cast<std::size_t>(n)]);
    // Without a tax list there is no choice to store: the slot keeps what the file has.
    if (taxCount > 0)
        record.set(kTaxTypeSlot, values.taxChoice >= 0 ? std::to_string(values.taxChoice + 1) : std::string());
}

const EntryFormValues& EntryFormSession::load() {
    m_pending = false;
    m_index = m_doc.readEntry(-1, m_record);
    if (m_index < 0) {
        m_record.clear();
        m_values = EntryFormValues();
        return m_values;
    }
    m_values = formValuesOf(m_record, m_record.kind, m_doc.file().directives.taxCount());
    return m_values;
}

bool EntryFormSession::commit(const EntryFormValues& shown, bool boxesModified) {
    if (m_index < 0 || m_index >= m_doc.entryCount())
        return true;
    bool stored = true;
    if (boxesModified || m_pending) {
        storeFormValues(shown, m_doc.file().directives.taxCount(), m_record);
        stored = m_doc.updateEntry(m_record, m_index) >= 0;
        if (stored) {
            m_values = shown;
            m_pending = false;
        } else {
            // The edits stay in the form, to be stored with the next try.
            m_doc.messages().show("Could not store the changes to " + m_doc.treeLabel(m_index), "Korvel",
                                  MessageButtons::Ok);
        }
    }
    int kind = m_doc.getKind(m_index);
    if (kind == kItem && shown.startPage)
        m_doc.setKind(kPageStart, m_index);
    else if (kind == kPageStart && !shown.startPage)
        m_doc.setKind(kItem, m_index);
    m_values.kind = m_doc.getKind(m_index);
    m_values.startPage = shown.startPage;
    return stored;
}

std::string EntryFormSession::previewPath(std::string_view pictureName) const {
    if (pictureName.empty())
        return {};
    return startPath(pictureName);
}

std::string EntryFormSession::startPath(std::string_view pictureName) const {
    std::string path = m_doc.completePicturePath(pictureName);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace korvel
