#include <algorithm>
#include <optional>
#include <utility>

#include "editor/file_directives.h"
#include "model/directive_lexer.h"

namespace korvel {

namespace {

struct Span {
    std::size_t from;
    std::size_t to;
};

std::string_view cut(std::string_view text, std::size_t length) {
    return text.substr(0, std::min(text.size(), length));
}

// One "#!" line: applies what the editor models, returns the spans it took.
std::vector<Span> scanLine(std::string_view line, char delimiter, FileDirectives& d,
                           unsigned& textOptionsSeen) {
    std::vector<Span> taken;
    for (int n = 1; n <= kCaptionCount; ++n) {
        const DirectiveValue v = findDirective(line, numberedKey("SELECT", n), delimiter);
        if (v.found) {
            d.captions[static_cast<std::size_t>(n - 1)].assign(cut(v.text, kCaptionLength));
            d.listNumbers |= 1u << (n - 1);
            taken.push_back({v.at, v.end});
        }
        if (line.find(numberedKey("TXTOPT", n)) != std::string_view::npos)
            textOptionsSeen |= 1u << (n - 1);
    }

    const FirstItemDirective first = findFirstItem(line, delimiter);
    const Span firstSpan{first.value.at, first.value.end};
    switch (first.choice) {
    case FirstItemChoice::NotGiven:
        break;
    case FirstItemChoice::First:
        d.firstItemMode = kFirstCatalogueItem;
        d.firstItemName.clear();
        taken.push_back(firstSpan);
        break;
    case FirstItemChoice::None:
        d.firstItemMode = kNoFirstItem;
        d.firstItemName.clear();
        taken.push_back(firstSpan);
        break;
    case FirstItemChoice::Named:
        if (!cutRight(first.value.text).empty()) {
            d.firstItemMode = kNamedFirstItem;
            d.firstItemName.assign(cut(cutRight(first.value.text), kFirstItemNameLength));
            taken.push_back(firstSpan);
        }
        break;
    }

    auto delimitedValue = [&](std::string_view name, std::string& into, bool* present) {
        const DirectiveValue v = findDirective(line, name, delimiter);
        if (!v.found || !v.delimited)
            return;
        into.assign(v.text);
        if (present)
            *present = true;
        taken.push_back({v.at, v.end});
    };
    delimitedValue("UNIT1=", d.unitCaption, &d.unitPresent);
    delimitedValue("CODE=", d.codeCaption, &d.codePresent);
    delimitedValue("CHARSET=", d.charset, nullptr);

    for (int n = 1; n <= kTaxTypeCount; ++n) {
        const DirectiveValue v = findDirective(line, numberedKey("TAX", n), delimiter);
        if (!v.found)
            continue;
        TaxType& tax = d.taxTypes[static_cast<std::size_t>(n - 1)];
        tax.title.assign(v.text);
        tax.rate = 0;
        std::size_t end = v.end;
        if (v.delimited) {
            std::size_t used = 0;
            tax.rate = leadingDecimal(line.substr(v.end), used);
            end = v.end + used;
            if (end < line.size() && line[end] == delimiter)
                ++end;
        }
        d.taxNumbers |= 1u << (n - 1);
        taken.push_back({v.at, end});
    }

    // Recognised but not modelled: these stay on the kept line.
    if (line.find("TAX8=") != std::string_view::npos)
        d.eighthTaxType = true;
    const DirectiveValue header = findDirective(line, "HEADER=", delimiter);
    if (header.found && header.delimited)
        d.headerText.assign(header.text);
    const DirectiveValue footnote = findDirective(line, "FOOTNOTE=", delimiter);
    if (footnote.found && footnote.delimited)
        d.footnoteText.assign(footnote.text);

    std::size_t meta = line.find("<META");
    if (meta != std::string_view::npos) {
        d.metaText.append(line.substr(meta));
        taken.push_back({meta, line.size()});
    }

    std::size_t delimiterAt = line.find("DELIMITER=");
    if (delimiterAt != std::string_view::npos)
        taken.push_back({delimiterAt, std::min(line.size(), delimiterAt + 11)});
    return taken;
}

// The line without the spans the editor models; empty when nothing but
// blanks is left after "#!".
std::string residue(std::string_view line, std::vector<Span> taken) {
    std::sort(taken.begin(), taken.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
    std::string rest;
    std::size_t at = 0;
    for (const Span& span : taken) {
        if (span.from > at)
            rest.append(line.substr(at, span.from - at));
        at = std::max(at, span.to);
    }
    if (at < line.size())
        rest.append(line.substr(at));
    if (cutRight(std::string_view(rest).substr(std::min<std::size_t>(2, rest.size()))).empty())
        return {};
    return rest;
}

} // namespace

void readFileDirectives(LineReader& reader, FileDirectives& directives) {
    directives = FileDirectives{};
    char delimiter = kDefaultValueDelimiter;
    unsigned textOptionsSeen = 0;
    std::string line;
    while (reader.next(line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const std::optional<char> changed = delimiterDirective(line))
            delimiter = *changed;
        if (!isDirectiveLine(line)) {
            reader.pushBack();
            break;
        }
        std::vector<Span> taken = scanLine(line, delimiter, directives, textOptionsSeen);
        std::string kept = residue(line, std::move(taken));
        if (!kept.empty())
            directives.keptLines.push_back({std::move(kept), delimiter});
    }
    directives.textOptions = textOptionsSeen & ~directives.listNumbers;
}

int FileDirectives::taxCount() const {
    int count = 0;
    while (count < kTaxTypeCount && !taxTypes[static_cast<std::size_t>(count)].title.empty())
        ++count;
    return count;
}

int FileDirectives::captionCount() const {
    int count = 0;
    for (int n = 0; n < kCaptionCount; ++n)
        count += (listNumbers >> n) & 1u;
    return count;
}

StructureMask FileDirectives::mask() const {
    return structureMask(codePresent, unitPresent, listNumbers | textOptions, taxPresent());
}

} // namespace korvel
