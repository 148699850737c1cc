#include "tests/editor/editor_support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

GeneratorReading readWithGenerator(const std::string& path) {
    GeneratorReading reading;
    CatalogueReader reader;
    if (!reader.open(path))
        return reading;
    reader.setFieldDelimiter(',');
    reader.readHeaderBlock();
    const CatalogueHeader& h = reader.header();
    reading.fieldMask = h.fieldMask;
    for (int i = 0; i < h.selectionCount; ++i)
        reading.header.push_back("selection " + h.selections[i].caption + " " +
                                 std::to_string(static_cast<int>(h.selections[i].kind)));
    for (int i = 0; i < h.taxTypeCount; ++i) {
        char rate[32];
        std::snprintf(rate, sizeof rate, "%.4f", h.taxTypes[i].rate);
        reading.header.push_back("tax " + h.taxTypes[i].name + " " + rate);
    }
    reading.header.push_back("first item " + std::to_string(static_cast<int>(h.firstItemKind)) + " " +
                             h.firstItemName);
    reading.header.push_back("unit " + h.unitCaption);
    reading.header.push_back("code " + h.codeCaption);
    reading.header.push_back("charset " + h.charset);
    reading.header.push_back("meta " + h.metaText);
    reading.header.push_back("header " + h.headerText);
    reading.header.push_back("footnote " + h.footnote);
    CatalogueRecord record;
    while (reader.readRecord(record)) {
        GeneratorRecord r{record.kind, {}};
        for (const auto& field : record.fields)
            r.fields.push_back(field);
        reading.records.push_back(std::move(r));
        reading.footnotes += reader.header().footnote + "\n";
    }
    return reading;
}

EditorSession::EditorSession(const std::string& text, const std::string& name) {
    path = (dir / name).string();
    writeFile(path, text);
    commands.setClock([this] { return clock; });
    doc.open(path, false);
}

std::vector<std::string> EditorSession::files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> EditorSession::treeLines() const {
    std::vector<std::string> lines;
    doc.tree().walk([&](int item, int depth) {
        int entry = doc.tree().entry(item);
        lines.push_back(std::to_string(doc.getKind(entry)) + " " + std::to_string(depth) + " " +
                        doc.treeLabel(entry));
        return true;
    });
    return lines;
}

int EditorSession::itemOf(const std::string& label) const {
    int found = korvel::kNoItem;
    doc.tree().walk([&](int item, int) {
        if (doc.entries()[static_cast<std::size_t>(doc.tree().entry(item))].label == label) {
            found = item;
            return false;
        }
        return true;
    });
    return found;
}
