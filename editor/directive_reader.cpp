#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "editor/file_directives.h"
#include "model/catalogue_directives.h"
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

// Where each occurrence of key stands on the line.
std::vector<std::size_t> occurrences(std::string_view line, std::string_view key) {
    std::vector<std::size_t> found;
    for (std::size_t at = line.find(key); at != std::string_view::npos; at = line.find(key, at + 1))
        found.push_back(at);
    return found;
}

// The key at `at` with its value, as a directive found there would span it.
Span spanAt(std::string_view line, std::size_t at, std::string_view key, char delimiter) {
    const DirectiveValue v = findDirective(line.substr(at), key, delimiter);
    return {at, at + v.end};
}

// Only the first occurrence of a key on a line counts; the others would
// count once their line is written back without the first, so they go.
void takeRepeats(std::string_view line, std::string_view key, char delimiter, std::vector<Span>& taken) {
    const std::vector<std::size_t> found = occurrences(line, key);
    for (std::size_t i = 1; i < found.size(); ++i)
        taken.push_back(spanAt(line, found[i], key, delimiter));
}

std::size_t findMeta(std::string_view line) {
    constexpr std::string_view key = "<meta";
    for (std::size_t at = 0; at + key.size() <= line.size(); ++at) {
        std::size_t i = 0;
        while (i < key.size() && std::tolower(static_cast<unsigned char>(line[at + i])) == key[i])
            ++i;
        if (i == key.size())
            return at;
    }
    return std::string_view::npos;
}

// One "#!" line: applies what the editor models, returns the spans it took.
std::vector<Span> scanLine(std::string_view line, char delimiter, FileDirectives& d) {
    std::vector<Span> taken;
    for (int n = 1; n <= kCaptionCount; ++n) {
        const unsigned bit = 1u << (n - 1);
        const std::string list = numberedKey("SELECT", n);
        const std::string text = numberedKey("TXTOPT", n);
        const DirectiveValue v = findDirective(line, list, delimiter);
        const DirectiveValue t = findDirective(line, text, delimiter);
        // A later line declares the selection anew; on one line "SELECT" wins.
        if (v.found) {
            d.captions[static_cast<std::size_t>(n - 1)].assign(cut(v.text, kCaptionLength));
            d.listNumbers |= bit;
            d.textOptions &= ~bit;
            taken.push_back({v.at, v.end});
            for (std::size_t at : occurrences(line, text))
                taken.push_back(spanAt(line, at, text, delimiter));
        } else if (t.found) {
            d.textCaptions[static_cast<std::size_t>(n - 1)].assign(t.text);
            d.textOptions |= bit;
            d.listNumbers &= ~bit;
            taken.push_back({t.at, t.end});
        }
        takeRepeats(line, list, delimiter, taken);
        if (!v.found)
            takeRepeats(line, text, delimiter, taken);
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
        // A repeat takes its rate with it, as the first does.
        const std::string key = numberedKey("TAX", n);
        const std::vector<std::size_t> found = occurrences(line, key);
        for (std::size_t i = 1; i < found.size(); ++i) {
            Span span = spanAt(line, found[i], key, delimiter);
            std::size_t used = 0;
            leadingDecimal(line.substr(span.to), used);
            span.to += used;
            if (span.to < line.size() && line[span.to] == delimiter)
                ++span.to;
            taken.push_back(span);
        }
    }
    for (std::string_view key : {"FIRSTITEM=", "UNIT1=", "CODE=", "CHARSET="})
        takeRepeats(line, key, delimiter, taken);

    // Recognised but not modelled: these stay on the kept line.
    if (line.find("TAX8=") != std::string_view::npos)
        d.eighthTaxType = true;
    const DirectiveValue header = findDirective(line, "HEADER=", delimiter);
    if (header.found && header.delimited)
        d.headerText.assign(header.text);
    const DirectiveValue footnote = findDirective(line, "FOOTNOTE=", delimiter);
    if (footnote.found && footnote.delimited)
        d.footnoteText.assign(footnote.text);

    // Typed in any case, a tag is still the META text the dialog shows.
    std::size_t meta = findMeta(line);
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

void readFileDirectives(LineReader& reader, FileDirectives& directives, std::string* lines) {
    directives = FileDirectives{};
    char delimiter = kDefaultValueDelimiter;
    std::string line;
    while (reader.next(line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Read as the generator reads it: a line end or NUL after the '=' changes nothing.
        if (const char changed = catalogue_detail::findDelimiterDirective(line))
            delimiter = changed;
        if (!isDirectiveLine(line)) {
            reader.pushBack();
            break;
        }
        directives.valueDelimiter = delimiter;
        if (lines)
            *lines += line + '\n';
        std::vector<Span> taken = scanLine(line, delimiter, directives);
        std::string kept = residue(line, std::move(taken));
        if (!kept.empty())
            directives.keptLines.push_back({std::move(kept), delimiter});
    }
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

FieldMask FileDirectives::mask() const {
    return structureMask(codePresent, unitPresent, listNumbers | textOptions, taxPresent());
}

} // namespace korvel
