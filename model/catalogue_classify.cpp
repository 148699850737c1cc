#include <string_view>

#include "model/catalogue_reader.h"
#include "model/marker_rules.h"

// Keywords are compared with the upper-cased field values; the fields
// themselves keep their case.
namespace {

bool beginsWith(std::string_view value, std::string_view keyword) {
    return matchesWord(value, WordMatch::BeginsWith, keyword);
}

int columnCountAfter(std::string_view value) {
    constexpr std::size_t prefix = 4; // "!COL"
    if (value.size() > prefix && value[prefix] >= '1' && value[prefix] <= '9')
        return value[prefix] - '0';
    return 2;
}

// A record that is no marker, by what it holds.
EntryKind contentKind(const CatalogueRecord& record) {
    if (record.name().empty() && record.description().empty())
        return record.picture().empty() ? EntryKind::Ignored : EntryKind::PictureLine;
    if (!record.price().empty() || !record.picture().empty() || !record.description().empty())
        return EntryKind::Item;
    return EntryKind::TextLine;
}

} // namespace

std::string pageTitle(std::string_view name) {
    if (beginsWith(name, "!PAGE+"))
        name.remove_prefix(6);
    if (beginsWith(name, "!PAGE"))
        name.remove_prefix(5);
    if (beginsWith(name, "!CI"))
        name.remove_prefix(3);
    return std::string(name);
}

void classifyRecord(CatalogueRecord& record) {
    const std::string& name = record.name();
    const std::string& code = record.code();
    const std::string& picture = record.picture();

    record.title.clear();
    record.linkAddress.clear();
    record.linkOpensWholeWindow = false;
    record.columnCount = 2;

    const MarkerRule* rule =
        findMarker(kGeneratorMarkerRules, {name, code, record.price(), record.unit(), picture});
    if (!rule) {
        record.kind = contentKind(record);
        return;
    }
    switch (rule->marker) {
    case Marker::Link:
        record.kind = EntryKind::Link;
        record.linkOpensWholeWindow = picture.size() > 1 && picture[1] == '!';
        record.linkAddress.assign(picture, record.linkOpensWholeWindow ? 2 : 1);
        break;
    case Marker::EndIndex:
        record.kind = EntryKind::EndIndex;
        break;
    case Marker::IndexHeading:
        record.kind = EntryKind::IndexHeading;
        // "!INDEX" in front of the name is no part of the heading.
        record.title.assign(name, rule->match == WordMatch::BeginsWith ? rule->word.size() : 0);
        break;
    case Marker::PageStart:
        record.kind = EntryKind::PageStart;
        record.title = pageTitle(name);
        break;
    case Marker::EndPage:
        record.kind = EntryKind::EndPage;
        break;
    case Marker::TableStart:
        record.kind = EntryKind::TableStart;
        break;
    case Marker::EndTable:
        record.kind = EntryKind::EndTable;
        break;
    case Marker::ColumnsStart:
        record.kind = EntryKind::ColumnsStart;
        record.columnCount = columnCountAfter(beginsWith(code, "!COL") ? code : name);
        break;
    case Marker::EndOfColumnsItem:
        record.kind = EntryKind::Ignored;
        break;
    }
}
