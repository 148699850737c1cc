#include "editor/korvel_doc.h"

#include <algorithm>
#include <cstdio>

#include "editor/program_defaults.h"
#include "model/paths.h"

namespace korvel {

namespace {

constexpr const char* kCaption = "Korvel";
constexpr std::size_t kRecentCount = 4;
constexpr std::size_t kIndexNameLength = 30;
constexpr std::size_t kCurrentLabelLength = 100;
constexpr std::size_t kFlushSize = 1 << 20;
constexpr const char* kNewItemHint =
    "the item must have at least one of price/picture/description otherwise it is treated as index text";

bool flush(std::string& out, std::FILE* file) {
    bool ok = out.empty() || std::fwrite(out.data(), 1, out.size(), file) == out.size();
    out.clear();
    return ok;
}

} // namespace

std::string entryLabel(const CatalogueRecord& record, int kind) {
    // A columns entry is labelled with its count, however its name was given.
    const std::string& name = record.name();
    if (kind == kColumns && name.size() >= 4 && (name.compare(0, 4, "!COL") == 0 || name.compare(0, 4, "!col") == 0))
        return name.substr(4);
    return name;
}

CKorvelDoc::CKorvelDoc(UserMessages& messages, std::FILE* errors) : CKorvelDoc(messages, programDirectory(), errors) {}

CKorvelDoc::CKorvelDoc(UserMessages& messages, std::string_view programDir, std::FILE* errors)
    : m_messages(messages), m_errors(errors ? errors : stderr), m_defaultInputDir(readDefaultInputDir(programDir)) {
    m_tree.setObserver(&m_links);
}

void CKorvelDoc::closeDocument() {
    m_file.close();
    m_path.clear();
    m_tree.clear();
    m_entries.clear();
    m_current = -1;
}

bool CKorvelDoc::closeFiles() { return m_file.close(); }

int CKorvelDoc::open(const std::string& path, bool keepSelection) {
    // The place of the current entry in writing order, which is the order of
    // the entries of the file as it is read again after a save.
    int keptPosition = -1;
    if (keepSelection && valid(m_current)) {
        int position = 0;
        int wanted = treeItem(m_current);
        m_tree.walk([&](int item, int) {
            if (item == wanted) {
                keptPosition = position;
                return false;
            }
            ++position;
            return true;
        });
    }

    m_tree.clear();
    m_entries.clear();
    m_current = -1;
    if (!m_file.open(path)) {
        m_path.clear();
        m_messages.show("Could not open files", kCaption, MessageButtons::Ok);
        return -1;
    }
    m_path = path;
    CatalogueRecord record;
    int level = 0;
    while (m_file.readNextRecord(record)) {
        if (record.kind == kEndIndex) {
            level = std::max(0, level - 1);
            continue;
        }
        CatalogueEntry entry;
        entry.kind = record.kind;
        entry.location = {RecordFile::Data, record.offset, record.length};
        entry.label = entryLabel(record, record.kind);
        entry.level = level;
        m_entries.push_back(std::move(entry));
        if (record.kind == kIndex)
            ++level;
    }
    if (m_file.readFailed()) {
        // A file only partly read would be saved without its remaining records.
        std::fprintf(m_errors, "failed to read <%s>\n", path.c_str());
        closeDocument();
        m_messages.show("Could not open files", kCaption, MessageButtons::Ok);
        return -1;
    }
    rebuildTree();
    addRecent(path);
    if (keepSelection)
        setCurrent(keptPosition);
    else
        m_current = m_entries.empty() ? -1 : 0;
    return 0;
}

void CKorvelDoc::rebuildTree() {
    std::vector<NestedEntry> nested;
    nested.reserve(m_entries.size());
    for (int i = 0; i < entryCount(); ++i)
        nested.push_back({i, m_entries[static_cast<std::size_t>(i)].level});
    m_tree.rebuild(nested);
}

void CKorvelDoc::addRecent(const std::string& path) {
    m_recent.erase(std::remove(m_recent.begin(), m_recent.end(), path), m_recent.end());
    m_recent.insert(m_recent.begin(), path);
    if (m_recent.size() > kRecentCount)
        m_recent.resize(kRecentCount);
}

int CKorvelDoc::treeItem(int index) const {
    if (!valid(index))
        return kNoItem;
    int item = m_entries[static_cast<std::size_t>(index)].treeItem;
    return m_tree.isValid(item) && m_tree.entry(item) == index ? item : kNoItem;
}

int CKorvelDoc::readEntry(int index, CatalogueRecord& record) {
    index = resolve(index);
    if (!valid(index))
        return -1;
    const CatalogueEntry& entry = m_entries[static_cast<std::size_t>(index)];
    if (!m_file.fetch(entry.location, record)) {
        std::fprintf(m_errors, "couldn't read the record of entry %d\n", index);
        return -1;
    }
    record.kind = entry.kind;
    return index;
}

int CKorvelDoc::addEntry(const CatalogueRecord& record) {
    CatalogueEntry entry;
    if (!m_file.appendScratch(record, entry.location))
        return -1;
    entry.kind = record.kind;
    entry.label = entryLabel(record, record.kind);
    m_entries.push_back(std::move(entry));
    return entryCount() - 1;
}

int CKorvelDoc::addNewEntry(int kind) {
    CatalogueRecord record;
    record.kind = kind;
    switch (kind) {
    case kEndPage:
        record.set(kNameSlot, "END PAGE");
        break;
    case kIndexText:
        record.set(kNameSlot, "index frame text");
        break;
    case kTableStart:
        record.set(kNameSlot, "!TABLE");
        break;
    case kEndTable:
        record.set(kNameSlot, "END TABLE");
        break;
    case kColumns:
        record.set(kNameSlot, "!COL2");
        break;
    default:
        record.set(kNameSlot, "new item");
        record.set(kDescriptionSlot, kNewItemHint);
        break;
    }
    return addEntry(record);
}

int CKorvelDoc::addNewIndex(std::string_view name) {
    CatalogueRecord record;
    record.kind = kIndex;
    record.set(kNameSlot, name.substr(0, std::min(name.size(), kIndexNameLength)));
    record.set(kPictureSlot, "INDEX");
    return addEntry(record);
}

int CKorvelDoc::copyEntry(int index) {
    CatalogueRecord record;
    if (readEntry(index, record) < 0)
        return -1;
    return addEntry(record);
}

int CKorvelDoc::updateEntry(const CatalogueRecord& record, int index) {
    index = resolve(index);
    if (!valid(index))
        return -1;
    RecordLocation location;
    if (!m_file.appendScratch(record, location))
        return -1;
    CatalogueEntry& entry = m_entries[static_cast<std::size_t>(index)];
    entry.location = location;
    entry.label = entryLabel(record, entry.kind);
    return index;
}

void CKorvelDoc::setKind(int kind, int index) {
    index = resolve(index);
    if (valid(index) && m_entries[static_cast<std::size_t>(index)].kind != kind) {
        m_entries[static_cast<std::size_t>(index)].kind = kind;
        // The file changes with the kind (a page start gains "!PAGE").
        m_file.modified = true;
    }
}

int CKorvelDoc::getKind(int index) const {
    index = resolve(index);
    return valid(index) ? m_entries[static_cast<std::size_t>(index)].kind : kNoEntry;
}

std::string CKorvelDoc::currentLabel() const {
    if (!valid(m_current))
        return {};
    const std::string& label = m_entries[static_cast<std::size_t>(m_current)].label;
    return label.substr(0, std::min(label.size(), kCurrentLabelLength));
}

std::string CKorvelDoc::treeLabel(int index) const {
    if (!valid(index))
        return {};
    const CatalogueEntry& entry = m_entries[static_cast<std::size_t>(index)];
    if (entry.kind == kColumns)
        return "columns (" + entry.label.substr(0, 1) + ")";
    return entry.label;
}

bool CKorvelDoc::isModified() const { return m_file.modified || !m_file.scratchEmpty(); }

std::string CKorvelDoc::windowTitle() const { return m_path.empty() ? "untitled" : m_path + " - Korvel"; }

std::string CKorvelDoc::completePicturePath(std::string_view name) const {
    if (name.find_first_of("/\\") != std::string_view::npos)
        return std::string(name);
    return join(m_defaultInputDir, name);
}

int CKorvelDoc::writeFile(std::FILE* file, bool restructure) {
    if (!file)
        return -1;
    const FieldList& fields = restructure ? m_file.targetSlots : m_file.currentSlots;
    const SlotSource source = restructure ? m_file.targetSource : identitySource();
    std::string out;
    m_file.appendDirectives(out);
    m_cutEntries.clear();
    bool ok = true;
    bool firstLine = true;
    CatalogueRecord record;
    m_tree.walk(
        [&](int item, int) {
            int index = m_tree.entry(item);
            if (index >= 0 && readEntry(index, record) >= 0) {
                // A directive right after the directive lines would join them
                // and change the fields of every record: a blank line, which
                // every reader passes over, keeps it among the records.
                if (firstLine && record.kind == kDirective)
                    out += '\n';
                firstLine = false;
                if (record.cut)
                    m_cutEntries.push_back(treeLabel(index));
                appendEntryLines(out, record.kind, record, fields, source);
            }
            if (out.size() >= kFlushSize)
                ok = flush(out, file) && ok;
            return true;
        },
        [&](int item, int) {
            int index = m_tree.entry(item);
            if (index >= 0 && getKind(index) == kIndex)
                out += "END INDEX\n";
        });
    ok = flush(out, file) && ok;
    return ok && std::fflush(file) == 0 ? 0 : -1;
}

int CKorvelDoc::import(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        m_messages.show("Could not open " + path, kCaption, MessageButtons::Ok);
        return -1;
    }
    LineReader reader(in, 0);
    FileDirectives theirs;
    readFileDirectives(reader, theirs);
    const FieldList theirFields = fieldListOf(theirs.mask());
    const FieldMask ours = m_file.currentMask;

    int top = addNewIndex(baseName(path));
    if (top < 0) {
        std::fclose(in);
        return -1;
    }
    // The imported branch joins the tree whole at the end, even when reading stopped early.
    std::vector<NestedEntry> branch{{top, 0}};

    int nesting = 0;
    int result = 0;
    CatalogueRecord record;
    for (;;) {
        LineResult line = readRecordLine(reader, theirFields, record);
        if (line == LineResult::End)
            break;
        if (line == LineResult::Record)
            classifyRecord(record);
        if (record.kind == kEndIndex) {
            nesting = std::max(0, nesting - 1);
            continue;
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (!(ours & slotBit(slot)))
                record.set(slot, "");
        }
        int index = addEntry(record);
        if (index < 0) {
            result = -1;
            break;
        }
        m_entries[static_cast<std::size_t>(index)].level = 1 + nesting;
        branch.push_back({index, 1 + nesting});
        if (record.kind == kIndex)
            ++nesting;
    }
    if (reader.failed())
        result = -1;
    std::fclose(in);
    m_tree.appendNested(kRootItem, branch);
    m_current = -1;
    return result;
}

} // namespace korvel
