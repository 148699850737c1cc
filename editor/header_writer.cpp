#include <cstdio>

#include "editor/file_directives.h"

namespace korvel {

// Every declared caption and tax type is written with its own number, so a
// file whose numbers have a gap keeps all its declarations.
void appendFileDirectives(std::string& out, const FileDirectives& d) {
    char number[64];
    if (d.listNumbers != 0) {
        out += "#!";
        for (int n = 1; n <= kCaptionCount; ++n) {
            if (!(d.listNumbers & (1u << (n - 1))))
                continue;
            std::snprintf(number, sizeof number, "SELECT%d=", n);
            out += number;
            out += d.captions[static_cast<std::size_t>(n - 1)];
            out += ';';
        }
        out += '\n';
    }
    if (d.unitPresent)
        out += "#!UNIT1=" + d.unitCaption + ";\n";
    if (d.codePresent)
        out += "#!CODE=" + d.codeCaption + ";\n";
    if (!d.metaText.empty())
        out += "#!" + d.metaText + "\n";
    if (!d.charset.empty())
        out += "#!CHARSET=" + d.charset + ";\n";
    if (d.firstItemMode == kNoFirstItem)
        out += "#!FIRSTITEM=NONE;\n";
    else if (d.firstItemMode == kNamedFirstItem)
        out += "#!FIRSTITEM=" + d.firstItemName + ";\n";
    if (d.taxNumbers != 0) {
        out += "#!";
        for (int n = 1; n <= kTaxTypeCount; ++n) {
            if (!(d.taxNumbers & (1u << (n - 1))))
                continue;
            const TaxType& tax = d.taxTypes[static_cast<std::size_t>(n - 1)];
            std::snprintf(number, sizeof number, "TAX%d=", n);
            out += number;
            out += tax.title;
            std::snprintf(number, sizeof number, ";%.2f;", tax.rate);
            out += number;
        }
        out += '\n';
    }
    // The lines the editor does not model, as read; a "DELIMITER=" line goes
    // before any that were read with another value delimiter.
    char delimiter = ';';
    for (const KeptDirectiveLine& line : d.keptLines) {
        if (line.delimiter != delimiter) {
            out += "#!DELIMITER=";
            out += line.delimiter;
            out += '\n';
            delimiter = line.delimiter;
        }
        out += line.text;
        out += '\n';
    }
}

} // namespace korvel
