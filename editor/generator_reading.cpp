#include "editor/generator_reading.h"

namespace korvel {

namespace {

std::string recordLine(const ::CatalogueRecord& record, const CatalogueHeader& header) {
    std::string out = std::to_string(static_cast<int>(record.kind));
    switch (record.kind) {
    case ::EntryKind::EndIndex:
    case ::EntryKind::EndPage:
    case ::EntryKind::TableStart:
    case ::EntryKind::EndTable:
        return out;
    case ::EntryKind::ColumnsStart:
        return out + " " + std::to_string(record.columnCount);
    default:
        break;
    }
    if (record.kind == ::EntryKind::PageStart)
        out += " " + record.title;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slot == kNameSlot && record.kind == ::EntryKind::PageStart)
            continue;
        out += "|" + record.fields[slot];
    }
    return out + "|footnote " + header.footnote + "|header " + header.headerText;
}

bool blank(const ::CatalogueRecord& record) {
    if (record.kind != ::EntryKind::Ignored)
        return false;
    for (const std::string& field : record.fields) {
        if (!field.empty())
            return false;
    }
    return true;
}

} // namespace

std::string comparableHeader(const CatalogueHeader& h) {
    std::string out = "mask " + std::to_string(h.fieldMask) + "\n";
    char rate[64];
    for (int i = 0; i < h.selectionCount; ++i)
        out += "selection " + std::to_string(static_cast<int>(h.selections[i].kind)) + " " + h.selections[i].caption + "\n";
    for (int i = 0; i < h.taxTypeCount; ++i) {
        std::snprintf(rate, sizeof rate, "%.2f", h.taxTypes[i].rate);
        out += "tax " + h.taxTypes[i].name + " " + rate + "\n";
    }
    out += "first item " + std::to_string(static_cast<int>(h.firstItemKind)) + " " + h.firstItemName + "\n";
    out += "footnote " + h.footnote + "\nheader " + h.headerText + "\nunit " + h.unitCaption + "\ncode " +
           h.codeCaption + "\ncharset " + h.charset + "\nmeta ";
    for (char c : h.metaText) {
        if (c != '\n')
            out += c;
    }
    return out + "\n";
}

std::vector<std::string> comparableReading(std::FILE* stream) {
    CatalogueReader reader;
    reader.attach(stream);
    reader.setFieldDelimiter(',');
    reader.readHeaderBlock();
    std::vector<std::string> lines{comparableHeader(reader.header())};
    int openIndexes = 0;
    ::CatalogueRecord record;
    while (reader.readRecord(record)) {
        if (blank(record))
            continue;
        if (record.kind == ::EntryKind::IndexHeading)
            ++openIndexes;
        if (record.kind == ::EntryKind::EndIndex) {
            if (openIndexes == 0)
                continue;
            --openIndexes;
        }
        lines.push_back(recordLine(record, reader.header()));
    }
    for (; openIndexes > 0; --openIndexes)
        lines.push_back(std::to_string(static_cast<int>(::EntryKind::EndIndex)));
    reader.close();
    return lines;
}

} // namespace korvel
