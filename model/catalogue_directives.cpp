#include "model/catalogue_directives.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace catalogue_detail {
namespace {

constexpr std::size_t kCaptionLength = 29;
constexpr std::size_t kTaxNameLength = 30;

struct DirectiveValue {
    bool found = false;
    bool delimited = false;        // the value delimiter follows the value
    std::string_view text;         // up to the delimiter, else to the line end
    std::string_view afterDelimiter;
};

// Only the first occurrence of a directive on a line counts.
DirectiveValue findValue(std::string_view line, std::string_view key, char delimiter) {
    DirectiveValue value;
    std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return value;
    value.found = true;
    std::size_t start = at + key.size();
    std::size_t end = line.find(delimiter, start);
    if (end == std::string_view::npos) {
        value.text = line.substr(start);
    } else {
        value.delimited = true;
        value.text = line.substr(start, end - start);
        value.afterDelimiter = line.substr(end + 1);
    }
    return value;
}

std::string_view cut(std::string_view text, std::size_t length) {
    return text.substr(0, std::min(text.size(), length));
}

// A decimal number at the start of text, as atof reads it in the C locale.
double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double number = 0;
    auto result = std::from_chars(text.data() + i, text.data() + text.size(), number);
    if (result.ec != std::errc())
        return 0;
    return number;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

void scanFirstItem(std::string_view line, char delimiter, CatalogueHeader& header) {
    DirectiveValue value = findValue(line, "FIRSTITEM=", delimiter);
    if (line.find("FIRSTITEM=FIRST;") != std::string_view::npos ||
        (value.delimited && value.text == "FIRST")) {
        header.firstItemKind = FirstItemKind::First;
        header.firstItemName.clear();
    } else if (line.find("FIRSTITEM=NONE;") != std::string_view::npos ||
               (value.delimited && value.text == "NONE")) {
        header.firstItemKind = FirstItemKind::None;
        header.firstItemName.clear();
    } else if (value.found && !value.text.empty()) {
        // Without a delimiter the name runs to the line end, which the caller
        // has already removed, so no character of the name is lost.
        header.firstItemKind = FirstItemKind::Named;
        header.firstItemName.assign(value.text);
    }
}

} // namespace

char findDelimiterDirective(std::string_view line) {
    constexpr std::string_view key = "DELIMITER=";
    std::size_t at = line.find(key);
    if (at == std::string_view::npos || at + key.size() >= line.size())
        return 0;
    char c = line[at + key.size()];
    return (c == '\r' || c == '\n') ? 0 : c;
}

void scanHeaderLine(std::string_view line, char delimiter, HeaderScan& scan,
                    CatalogueHeader& header) {
    char key[16];
    for (int n = 1; n <= 4; ++n) {
        std::snprintf(key, sizeof key, "SELECT%d=", n);
        DirectiveValue value = findValue(line, key, delimiter);
        SelectionKind kind = SelectionKind::List;
        if (!value.found) {
            std::snprintf(key, sizeof key, "TXTOPT%d=", n);
            value = findValue(line, key, delimiter);
            kind = SelectionKind::TextOption;
        }
        if (value.found) {
            SelectionDeclaration& selection = scan.selections[n - 1];
            selection.caption.assign(cut(value.text, kCaptionLength));
            selection.kind = kind;
            scan.selectionDeclared[n - 1] = true;
        }
    }
    for (int n = 1; n <= 8; ++n) {
        std::snprintf(key, sizeof key, "TAX%d=", n);
        DirectiveValue value = findValue(line, key, delimiter);
        if (!value.found)
            continue;
        TaxTypeDeclaration& tax = scan.taxTypes[n - 1];
        tax.name.assign(cut(value.text, kTaxNameLength));
        tax.rate = value.delimited ? leadingNumber(value.afterDelimiter) : 0;
        scan.taxTypeDeclared[n - 1] = true;
    }

    scanFirstItem(line, delimiter, header);

    struct Text { const char* key; std::string* target; bool* declared; };
    const Text texts[] = {
        {"FOOTNOTE=", &header.footnote, nullptr},
        {"HEADER=", &header.headerText, nullptr},
        {"UNIT1=", &header.unitCaption, &scan.unitDeclared},
        {"CODE=", &header.codeCaption, &scan.codeDeclared},
        {"CHARSET=", &header.charset, nullptr},
    };
    for (const Text& text : texts) {
        DirectiveValue value = findValue(line, text.key, delimiter);
        if (!value.delimited)
            continue;
        text.target->assign(value.text);
        if (text.declared)
            *text.declared = true;
    }

    std::size_t meta = line.find("<META");
    if (meta != std::string_view::npos) {
        if (header.metaText.empty())
            header.metaText.push_back('\n');
        header.metaText.append(line.substr(meta));
        header.metaText += '\n';
    }
}

void finishHeader(const HeaderScan& scan, CatalogueHeader& header) {
    std::uint32_t mask = (1u << kNameSlot) | (1u << kPriceSlot) | (1u << kPictureSlot) |
                         (1u << kDescriptionSlot);
    // Selections are kept in the order of their numbers, each number once, so
    // a repeated or skipped number still leaves selection n in slot 7+n-1 and
    // selectionCount fields in the records.
    header.selectionCount = 0;
    for (int n = 0; n < 4; ++n) {
        if (!scan.selectionDeclared[n])
            continue;
        header.selections[header.selectionCount] = scan.selections[n];
        mask |= 1u << (kFirstSelectionSlot + header.selectionCount);
        ++header.selectionCount;
    }
    for (int n = header.selectionCount; n < 4; ++n)
        header.selections[n] = SelectionDeclaration{};

    // Items name their tax type by number, so numbers keep their places; a
    // skipped number is an empty type with no rate.
    header.taxTypeCount = 0;
    for (int n = 0; n < 8; ++n) {
        header.taxTypes[n] = scan.taxTypeDeclared[n] ? scan.taxTypes[n] : TaxTypeDeclaration{};
        if (scan.taxTypeDeclared[n])
            header.taxTypeCount = n + 1;
    }
    if (header.taxTypeCount > 0)
        mask |= 1u << kTaxTypeSlot;
    if (scan.unitDeclared)
        mask |= 1u << kUnitSlot;
    if (scan.codeDeclared)
        mask |= 1u << kCodeSlot;

    header.fieldMask = mask;
    header.fieldCount = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (mask & (1u << slot))
            header.fieldList[header.fieldCount++] = slot;
    }
    for (int i = header.fieldCount; i < kSlotCount; ++i)
        header.fieldList[i] = 0;
}

void applyBodyDirective(std::string_view line, CatalogueHeader& header,
                        const std::function<void(std::string_view)>& fileDirective) {
    char delimiter = findDelimiterDirective(line);
    if (delimiter == 0)
        delimiter = kDefaultValueDelimiter;

    DirectiveValue footnote = findValue(line, "FOOTNOTE=", delimiter);
    if (footnote.found)
        header.footnote.assign(footnote.delimited ? footnote.text : std::string_view());
    DirectiveValue headerText = findValue(line, "HEADER=", delimiter);
    if (headerText.found)
        header.headerText.assign(headerText.delimited ? headerText.text : std::string_view());

    // The file name ends at the value delimiter or, without one, at the line end.
    DirectiveValue file = findValue(line, "FILE=", delimiter);
    if (file.found && fileDirective) {
        std::string_view name = trimBlanks(file.text);
        if (!name.empty())
            fileDirective(name);
    }
}

} // namespace catalogue_detail
