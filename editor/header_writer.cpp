#include <cstdio>
#include <vector>

#include "editor/file_directives.h"

namespace korvel {

namespace {

// ';' unless a value holds one; then the file's own delimiter, or another
// character that no value holds, so that every value reads back whole.
char valueDelimiter(const FileDirectives& d) {
    std::vector<const std::string*> values{&d.unitCaption, &d.codeCaption, &d.charset, &d.firstItemName};
    for (int n = 0; n < kCaptionCount; ++n) {
        values.push_back(&d.captions[static_cast<std::size_t>(n)]);
        values.push_back(&d.textCaptions[static_cast<std::size_t>(n)]);
    }
    for (const TaxType& tax : d.taxTypes)
        values.push_back(&tax.title);
    const std::string candidates = std::string(1, ';') + d.valueDelimiter + "|^~`\t";
    for (char candidate : candidates) {
        if (candidate == '\r' || candidate == '\n' || candidate == '\0')
            continue;
        bool free = true;
        for (const std::string* value : values)
            free = free && value->find(candidate) == std::string::npos;
        if (free)
            return candidate;
    }
    return ';';
}

} // namespace

// Every declared caption and tax type is written with its own number, so a
// file whose numbers have a gap keeps all its declarations.
void appendFileDirectives(std::string& out, const FileDirectives& d) {
    char number[64];
    const char delimiter = valueDelimiter(d);
    const std::string end(1, delimiter);
    if (delimiter != ';')
        out += "#!DELIMITER=" + end + "\n";
    if (d.listNumbers != 0) {
        out += "#!";
        for (int n = 1; n <= kCaptionCount; ++n) {
            if (!(d.listNumbers & (1u << (n - 1))))
                continue;
            std::snprintf(number, sizeof number, "SELECT%d=", n);
            out += number;
            out += d.captions[static_cast<std::size_t>(n - 1)];
            out += delimiter;
        }
        out += '\n';
    }
    if (d.unitPresent)
        out += "#!UNIT1=" + d.unitCaption + end + "\n";
    if (d.codePresent)
        out += "#!CODE=" + d.codeCaption + end + "\n";
    if (!d.metaText.empty())
        out += "#!" + d.metaText + "\n";
    if (!d.charset.empty())
        out += "#!CHARSET=" + d.charset + end + "\n";
    if (d.firstItemMode == kNoFirstItem)
        out += "#!FIRSTITEM=NONE" + end + "\n";
    else if (d.firstItemMode == kNamedFirstItem)
        out += "#!FIRSTITEM=" + d.firstItemName + end + "\n";
    if (d.taxNumbers != 0) {
        out += "#!";
        for (int n = 1; n <= kTaxTypeCount; ++n) {
            if (!(d.taxNumbers & (1u << (n - 1))))
                continue;
            const TaxType& tax = d.taxTypes[static_cast<std::size_t>(n - 1)];
            std::snprintf(number, sizeof number, "TAX%d=", n);
            out += number;
            out += tax.title;
            std::snprintf(number, sizeof number, "%c%.2f%c", delimiter, tax.rate, delimiter);
            out += number;
        }
        out += '\n';
    }
    // Text options are not edited: each is written back as the generator
    // used it, after the lists it leaves numbers for.
    if (d.textOptions != 0) {
        out += "#!";
        for (int n = 1; n <= kCaptionCount; ++n) {
            if (!(d.textOptions & (1u << (n - 1))))
                continue;
            std::snprintf(number, sizeof number, "TXTOPT%d=", n);
            out += number;
            out += d.textCaptions[static_cast<std::size_t>(n - 1)];
            out += delimiter;
        }
        out += '\n';
    }
    // The lines the editor does not model, as read; a "DELIMITER=" line goes
    // before any that were read with another value delimiter.
    char current = delimiter;
    for (const KeptDirectiveLine& line : d.keptLines) {
        if (line.delimiter != current) {
            out += "#!DELIMITER=";
            out += line.delimiter;
            out += '\n';
            current = line.delimiter;
        }
        out += line.text;
        out += '\n';
    }
}

} // namespace korvel
