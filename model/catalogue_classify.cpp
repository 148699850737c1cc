#include <string_view>

#include "model/catalogue_reader.h"

// Keywords are compared with the upper-cased field values; the fields
// themselves keep their case.
namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool beginsWith(std::string_view value, std::string_view keyword) {
    if (value.size() < keyword.size())
        return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        if (upper(value[i]) != keyword[i])
            return false;
    }
    return true;
}

bool is(std::string_view value, std::string_view keyword) {
    return value.size() == keyword.size() && beginsWith(value, keyword);
}

bool anyIs(std::initializer_list<const std::string*> values, std::string_view keyword) {
    for (const std::string* value : values) {
        if (is(*value, keyword))
            return true;
    }
    return false;
}

int columnCountAfter(std::string_view value) {
    constexpr std::size_t prefix = 4; // "!COL"
    if (value.size() > prefix && value[prefix] >= '1' && value[prefix] <= '9')
        return value[prefix] - '0';
    return 2;
}

// The three prefixes come off one after the other, so "!PAGE+!CI" loses both.
std::string pageTitle(std::string_view name) {
    if (beginsWith(name, "!PAGE+"))
        name.remove_prefix(6);
    if (beginsWith(name, "!PAGE"))
        name.remove_prefix(5);
    if (beginsWith(name, "!CI"))
        name.remove_prefix(3);
    return std::string(name);
}

} // namespace

void classifyRecord(CatalogueRecord& record) {
    const std::string& name = record.name();
    const std::string& code = record.code();
    const std::string& price = record.price();
    const std::string& unit = record.unit();
    const std::string& picture = record.picture();
    const std::string& description = record.description();

    record.title.clear();
    record.linkAddress.clear();
    record.linkOpensWholeWindow = false;
    record.columnCount = 2;

    if (!picture.empty() && picture[0] == '!') {
        record.kind = EntryKind::Link;
        record.linkOpensWholeWindow = picture.size() > 1 && picture[1] == '!';
        record.linkAddress.assign(picture, record.linkOpensWholeWindow ? 2 : 1);
    } else if (anyIs({&name, &price, &code, &unit, &picture}, "END INDEX")) {
        record.kind = EntryKind::EndIndex;
    } else if (beginsWith(name, "!INDEX")) {
        record.kind = EntryKind::IndexHeading;
        record.title.assign(name, 6);
    } else if (anyIs({&unit, &price, &code, &picture}, "INDEX")) {
        record.kind = EntryKind::IndexHeading;
        record.title = name;
    } else if (beginsWith(name, "!PAGE") || is(name, "!CI") ||
               anyIs({&unit, &price, &code, &picture}, "PAGE")) {
        record.kind = EntryKind::PageStart;
        record.title = pageTitle(name);
    } else if (anyIs({&unit, &name, &price, &code, &picture}, "END PAGE")) {
        record.kind = EntryKind::EndPage;
    } else if (beginsWith(code, "!TABLE") || beginsWith(name, "!TABLE")) {
        record.kind = EntryKind::TableStart;
    } else if (anyIs({&unit, &name, &price, &code, &picture}, "END TABLE")) {
        record.kind = EntryKind::EndTable;
    } else if (beginsWith(code, "!COL") || beginsWith(name, "!COL")) {
        record.kind = EntryKind::ColumnsStart;
        record.columnCount = columnCountAfter(beginsWith(code, "!COL") ? code : name);
    } else if (is(code, "END CI") || is(name, "END CI")) {
        record.kind = EntryKind::Ignored;
    } else if (name.empty() && description.empty()) {
        record.kind = picture.empty() ? EntryKind::Ignored : EntryKind::PictureLine;
    } else if (!price.empty() || !picture.empty() || !description.empty()) {
        record.kind = EntryKind::Item;
    } else {
        record.kind = EntryKind::TextLine;
    }
}
