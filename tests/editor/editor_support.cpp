#include "tests/editor/editor_support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

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

std::string treeShape(const korvel::EntryTree& tree) {
    std::string out;
    tree.walk(
        [&](int item, int) {
            out += std::to_string(tree.entry(item)) + "(";
            return true;
        },
        [&](int, int) { out += ")"; });
    return out;
}

TreeRecorder::TreeRecorder(const korvel::EntryTree& tree) : m_tree(tree) { copyFromTree(korvel::kRootItem); }

std::string TreeRecorder::name(int item) const {
    return item == korvel::kRootItem ? "root" : std::to_string(m_tree.entry(item));
}

int TreeRecorder::rowCount(int parent) const { return static_cast<int>(m_tree.children(parent).size()); }

void TreeRecorder::copyFromTree(int item) {
    std::vector<int> pending{item};
    while (!pending.empty()) {
        int next = pending.back();
        pending.pop_back();
        m_told[next] = m_tree.children(next);
        pending.insert(pending.end(), m_told[next].begin(), m_told[next].end());
    }
}

void TreeRecorder::begin(const std::string& call, int parent) {
    if (!m_open.empty())
        faults.push_back(call + " while " + m_open + " is open");
    if (m_told[parent].size() != static_cast<std::size_t>(rowCount(parent)))
        faults.push_back(call + ": the tree changed before it was told");
    calls.push_back("about to " + call);
    m_open = call;
    m_rowsBefore = rowCount(parent);
}

void TreeRecorder::end(const std::string& call, int parent, int rowChange) {
    if (m_open != call)
        faults.push_back(call + " after \"" + m_open + "\"");
    if (rowCount(parent) != m_rowsBefore + rowChange)
        faults.push_back(call + ": " + std::to_string(rowCount(parent) - m_rowsBefore) + " rows changed");
    calls.push_back(call);
    m_open.clear();
}

void TreeRecorder::aboutToInsert(int parent, int first, int last) {
    std::string call = "insert under " + name(parent) + " rows " + std::to_string(first) + "-" + std::to_string(last);
    begin(call, parent);
    if (first < 0 || first > last || first > rowCount(parent))
        faults.push_back(call + ": no such place");
}

void TreeRecorder::inserted(int parent, int first, int last) {
    std::string call = "insert under " + name(parent) + " rows " + std::to_string(first) + "-" + std::to_string(last);
    end(call, parent, last - first + 1);
    auto& told = m_told[parent];
    for (int row = first; row <= last && row < rowCount(parent); ++row) {
        int item = m_tree.children(parent)[static_cast<std::size_t>(row)];
        told.insert(told.begin() + std::min<std::ptrdiff_t>(row, static_cast<std::ptrdiff_t>(told.size())), item);
        copyFromTree(item);
    }
}

void TreeRecorder::aboutToRemove(int parent, int first, int last) {
    std::string call = "remove under " + name(parent) + " rows " + std::to_string(first) + "-" + std::to_string(last);
    begin(call, parent);
    if (first < 0 || first > last || last >= rowCount(parent))
        faults.push_back(call + ": no such rows");
}

void TreeRecorder::removed(int parent, int first, int last) {
    std::string call = "remove under " + name(parent) + " rows " + std::to_string(first) + "-" + std::to_string(last);
    end(call, parent, -(last - first + 1));
    auto& told = m_told[parent];
    if (first >= 0 && first <= last && static_cast<std::size_t>(last) < told.size())
        told.erase(told.begin() + first, told.begin() + last + 1);
}

void TreeRecorder::aboutToMove(int sourceParent, int sourceRow, int destinationParent, int destinationRow) {
    std::string call = "move " + name(sourceParent) + " row " + std::to_string(sourceRow) + " to " +
                       name(destinationParent) + " row " + std::to_string(destinationRow);
    begin(call, sourceParent);
    m_rowsBefore = rowCount(sourceParent);
    m_moving = sourceRow >= 0 && sourceRow < rowCount(sourceParent)
                   ? m_tree.children(sourceParent)[static_cast<std::size_t>(sourceRow)]
                   : korvel::kNoItem;
    if (m_moving == korvel::kNoItem || destinationRow < 0 || destinationRow > rowCount(destinationParent) ||
        destinationParent == m_moving || m_tree.isBelow(destinationParent, m_moving) ||
        (sourceParent == destinationParent &&
         (destinationRow == sourceRow || destinationRow == sourceRow + 1)))
        faults.push_back(call + ": a move a view's model would refuse");
}

void TreeRecorder::moved(int sourceParent, int sourceRow, int destinationParent, int destinationRow) {
    std::string call = "move " + name(sourceParent) + " row " + std::to_string(sourceRow) + " to " +
                       name(destinationParent) + " row " + std::to_string(destinationRow);
    end(call, sourceParent, sourceParent == destinationParent ? 0 : -1);
    // As a view's model moves rows: the destination row counts the moved row in its old place.
    auto& from = m_told[sourceParent];
    if (m_moving == korvel::kNoItem || static_cast<std::size_t>(sourceRow) >= from.size())
        return;
    from.erase(from.begin() + sourceRow);
    int at = sourceParent == destinationParent && destinationRow > sourceRow ? destinationRow - 1 : destinationRow;
    auto& to = m_told[destinationParent];
    to.insert(to.begin() + std::min<std::ptrdiff_t>(at, static_cast<std::ptrdiff_t>(to.size())), m_moving);
}

void TreeRecorder::aboutToReset() {
    if (!m_open.empty())
        faults.push_back("reset while " + m_open + " is open");
    calls.push_back("about to reset");
    m_open = "reset";
}

void TreeRecorder::reset() {
    if (m_open != "reset")
        faults.push_back("reset after \"" + m_open + "\"");
    calls.push_back("reset");
    m_open.clear();
    m_told.clear();
    copyFromTree(korvel::kRootItem);
}

std::string TreeRecorder::toldShape() const {
    std::string out;
    // Items with the children still to write, as an explicit stack.
    struct Frame {
        int item;
        std::size_t next;
    };
    std::vector<Frame> stack{{korvel::kRootItem, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        auto found = m_told.find(top.item);
        const std::size_t count = found == m_told.end() ? 0 : found->second.size();
        if (top.next < count) {
            int child = found->second[top.next++];
            out += std::to_string(m_tree.entry(child)) + "(";
            stack.push_back({child, 0});
        } else {
            if (top.item != korvel::kRootItem)
                out += ")";
            stack.pop_back();
        }
    }
    return out;
}

std::vector<GeneratorRecord> meaningful(const std::vector<GeneratorRecord>& records) {
    std::vector<GeneratorRecord> kept;
    for (const auto& r : records) {
        bool blank = r.kind == EntryKind::Ignored;
        for (const auto& f : r.fields)
            blank = blank && f.empty();
        if (!blank)
            kept.push_back(r);
    }
    return kept;
}

UnchangedSave saveUnchanged(EditorSession& s) {
    UnchangedSave result;
    result.before = readWithGenerator(s.path);
    s.doc.setModified();
    EXPECT_EQ(s.commands.save(), 0);
    result.saved = readFile(s.path);
    result.after = readWithGenerator(s.path);
    return result;
}
