#include "model/catalogue_directives.h"

#include <algorithm>

namespace catalogue_detail {
namespace {

constexpr std::size_t kCaptionLength = 29;
constexpr std::size_t kTaxNameLength = 30;

std::string_view cut(std::string_view text, std::size_t length) {
    return text.substr(0, std::min(text.size(), length));
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

void scanFirstItem(std::string_view line, char delimiter, CatalogueHeader& header) {
    const FirstItemDirective first = findFirstItem(line, delimiter);
    switch (first.choice) {
    case FirstItemChoice::NotGiven:
        break;
    case FirstItemChoice::First:
        header.firstItemKind = FirstItemKind::First;
        header.firstItemName.clear();
        break;
    case FirstItemChoice::None:
        header.firstItemKind = FirstItemKind::None;
        header.firstItemName.clear();
        break;
    case FirstItemChoice::Named:
        // Without a delimiter the name runs to the line end, which the caller
        // has already removed, so no character of the name is lost.
        if (!first.value.text.empty()) {
            header.firstItemKind = FirstItemKind::Named;
            header.firstItemName.assign(first.value.text);
        }
        break;
    }
}

} // namespace

char findDelimiterDirective(std::string_view line) {
    const std::optional<char> delimiter = delimiterDirective(line);
    if (!delimiter || *delimiter == '\r' || *delimiter == '\n')
        return 0;
    return *delimiter;
}

void scanHeaderLine(std::string_view line, char delimiter, HeaderScan& scan,
                    CatalogueHeader& header) {
    for (int n = 1; n <= kSelectionCount; ++n) {
        DirectiveValue value = findDirective(line, numberedKey("SELECT", n), delimiter);
        SelectionKind kind = SelectionKind::List;
        if (!value.found) {
            value = findDirective(line, numberedKey("TXTOPT", n), delimiter);
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
        const DirectiveValue value = findDirective(line, numberedKey("TAX", n), delimiter);
        if (!value.found)
            continue;
        TaxTypeDeclaration& tax = scan.taxTypes[n - 1];
        tax.name.assign(cut(value.text, kTaxNameLength));
        std::size_t used = 0;
        tax.rate = value.delimited ? leadingDecimal(line.substr(value.end), used) : 0;
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
        DirectiveValue value = findDirective(line, text.key, delimiter);
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
    FieldMask mask = kDefaultFieldMask;
    // Selections are kept in the order of their numbers, each number once, so
    // a repeated or skipped number still leaves selection n in slot 7+n-1 and
    // selectionCount fields in the records.
    header.selectionCount = 0;
    for (int n = 0; n < kSelectionCount; ++n) {
        if (!scan.selectionDeclared[n])
            continue;
        header.selections[header.selectionCount] = scan.selections[n];
        mask |= slotBit(kFirstSelectionSlot + header.selectionCount);
        ++header.selectionCount;
    }
    for (int n = header.selectionCount; n < kSelectionCount; ++n)
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
        mask |= slotBit(kTaxTypeSlot);
    if (scan.unitDeclared)
        mask |= slotBit(kUnitSlot);
    if (scan.codeDeclared)
        mask |= slotBit(kCodeSlot);

    header.fieldMask = mask;
    header.fields = fieldListOf(mask);
}

void applyBodyDirective(std::string_view line, CatalogueHeader& header,
                        const std::function<void(std::string_view)>& fileDirective) {
    char delimiter = findDelimiterDirective(line);
    if (delimiter == 0)
        delimiter = kDefaultValueDelimiter;

    DirectiveValue footnote = findDirective(line, "FOOTNOTE=", delimiter);
    if (footnote.found)
        header.footnote.assign(footnote.delimited ? footnote.text : std::string_view());
    DirectiveValue headerText = findDirective(line, "HEADER=", delimiter);
    if (headerText.found)
        header.headerText.assign(headerText.delimited ? headerText.text : std::string_view());

    // The file name ends at the value delimiter or, without one, at the line end.
    DirectiveValue file = findDirective(line, "FILE=", delimiter);
    if (file.found && fileDirective) {
        std::string_view name = trimBlanks(file.text);
        if (!name.empty())
            fileDirective(name);
    }
}

} // namespace catalogue_detail
