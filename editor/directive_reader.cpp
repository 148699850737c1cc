#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

#include "editor/file_directives.h"

namespace korvel {

namespace {

struct Span {
    std::size_t from;
    std::size_t to;
};

struct Value {
    bool found = false;
    bool delimited = false;
    std::size_t at = 0;     // start of the directive
    std::string_view text;  // up to the delimiter, else to the line end
    std::size_t end = 0;    // after the delimiter, else the line end
};

Value findValue(std::string_view line, std::string_view key, char delimiter) {
    Value value;
    std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return value;
    value.found = true;
    value.at = at;
    std::size_t start = at + key.size();
    std::size_t stop = line.find(delimiter, start);
    if (stop == std::string_view::npos) {
        value.text = line.substr(start);
        value.end = line.size();
    } else {
        value.delimited = true;
        value.text = line.substr(start, stop - start);
        value.end = stop + 1;
    }
    return value;
}

std::string_view cut(std::string_view text, std::size_t length) {
    return text.substr(0, std::min(text.size(), length));
}

double leadingNumber(std::string_view text, std::size_t& used) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double number = 0;
    auto result = std::from_chars(text.data() + i, text.data() + text.size(), number);
    if (result.ec != std::errc()) {
        used = 0;
        return 0;
    }
    used = static_cast<std::size_t>(result.ptr - text.data());
    return number;
}

// One "#!" line: applies what the editor models, returns the spans it took.
std::vector<Span> scanLine(std::string_view line, char delimiter, FileDirectives& d,
                           unsigned& textOptionsSeen) {
    std::vector<Span> taken;
    char key[16];
    for (int n = 1; n <= kCaptionCount; ++n) {
        std::snprintf(key, sizeof key, "SELECT%d=", n);
        Value v = findValue(line, key, delimiter);
        if (v.found) {
            d.captions[static_cast<std::size_t>(n - 1)].assign(cut(v.text, kCaptionLength));
            d.listNumbers |= 1u << (n - 1);
            taken.push_back({v.at, v.end});
        }
        std::snprintf(key, sizeof key, "TXTOPT%d=", n);
        if (line.find(key) != std::string_view::npos)
            textOptionsSeen |= 1u << (n - 1);
    }

    Value first = findValue(line, "FIRSTITEM=", delimiter);
    if (first.found) {
        if (line.find("FIRSTITEM=FIRST;") != std::string_view::npos || (first.delimited && first.text == "FIRST")) {
            d.firstItemMode = kFirstCatalogueItem;
            d.firstItemName.clear();
            taken.push_back({first.at, first.end});
        } else if (line.find("FIRSTITEM=NONE;") != std::string_view::npos ||
                   (first.delimited && first.text == "NONE")) {
            d.firstItemMode = kNoFirstItem;
            d.firstItemName.clear();
            taken.push_back({first.at, first.end});
        } else if (!cutRight(first.text).empty()) {
            d.firstItemMode = kNamedFirstItem;
            d.firstItemName.assign(cut(cutRight(first.text), kFirstItemNameLength));
            taken.push_back({first.at, first.end});
        }
    }

    auto delimitedValue = [&](std::string_view name, std::string& into, bool* present) {
        Value v = findValue(line, name, delimiter);
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
        std::snprintf(key, sizeof key, "TAX%d=", n);
        Value v = findValue(line, key, delimiter);
        if (!v.found)
            continue;
        TaxType& tax = d.taxTypes[static_cast<std::size_t>(n - 1)];
        tax.title.assign(v.text);
        tax.rate = 0;
        std::size_t end = v.end;
        if (v.delimited) {
            std::size_t used = 0;
            tax.rate = leadingNumber(line.substr(v.end), used);
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
    Value header = findValue(line, "HEADER=", delimiter);
    if (header.found && header.delimited)
        d.headerText.assign(header.text);
    Value footnote = findValue(line, "FOOTNOTE=", delimiter);
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
    char delimiter = ';';
    unsigned textOptionsSeen = 0;
    std::string line;
    while (reader.next(line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (std::size_t at = line.find("DELIMITER="); at != std::string::npos && at + 10 < line.size())
            delimiter = line[at + 10];
        if (line.compare(0, 2, "#!") != 0) {
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
