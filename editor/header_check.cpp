#include <cstdio>
#include <string>

#include "editor/file_directives.h"
#include "model/catalogue_reader.h"

namespace korvel {

namespace {

// The generator's reading of a header block, in a form that compares.
std::string generatorHeader(const std::string& lines) {
    // A blank line ends the block, and makes the stream never empty.
    std::string bytes = lines + "\n";
    std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!stream)
        return "unreadable";
    CatalogueReader reader;
    reader.attach(stream);
    reader.readHeaderBlock();
    const CatalogueHeader& h = reader.header();
    std::string out = std::to_string(h.fieldMask) + "\n";
    char text[64];
    for (int i = 0; i < h.selectionCount; ++i)
        out += std::to_string(static_cast<int>(h.selections[i].kind)) + h.selections[i].caption + "\n";
    for (int i = 0; i < h.taxTypeCount; ++i) {
        std::snprintf(text, sizeof text, "%.2f", h.taxTypes[i].rate);
        out += h.taxTypes[i].name + "\n" + text + "\n";
    }
    out += std::to_string(static_cast<int>(h.firstItemKind)) + h.firstItemName + "\n";
    out += h.footnote + "\n" + h.headerText + "\n" + h.unitCaption + "\n" + h.codeCaption + "\n" + h.charset + "\n";
    for (char c : h.metaText) {
        if (c != '\n')
            out += c;
    }
    reader.close();
    std::fclose(stream);
    return out;
}

} // namespace

bool sameGeneratorHeader(const std::string& a, const std::string& b) {
    return generatorHeader(a) == generatorHeader(b);
}

} // namespace korvel
