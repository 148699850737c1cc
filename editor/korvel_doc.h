#pragma once
// The editor's document: one open data file, the list of its entries (which
// point into the data or scratch file and hold no record text), the tree
// that orders them, and the current entry.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "editor/catalogue_file.h"
#include "editor/catalogue_record.h"
#include "editor/entry_tree.h"
#include "model/user_messages.h"

namespace korvel {

struct CatalogueEntry {
    int kind = kItem;
    RecordLocation location;
    std::string label;
    int level = 0;
    int treeItem = kNoItem;
};

class CKorvelDoc {
public:
    explicit CKorvelDoc(UserMessages& messages, std::FILE* errors = stderr);
    // defaultInputDir comes from the generator's defaults file in programDir.
    CKorvelDoc(UserMessages& messages, std::string_view programDir, std::FILE* errors = stderr);

    // Opens the data file and a fresh scratch file and reads all entries.
    // Nonzero, with "Could not open files", when either cannot be opened.
    int open(const std::string& path, bool keepSelection);
    // Drops the open file, if any; the document then has none.
    void closeDocument();
    // Closes both files (before the saved file replaces the open one);
    // false when either close failed.
    bool closeFiles();

    // Fetches the record of entry index (the current one when negative);
    // returns the index, -1 when there is none.
    int readEntry(int index, CatalogueRecord& record);
    int addEntry(const CatalogueRecord& record);
    int addNewEntry(int kind);
    int addNewIndex(std::string_view name);
    int copyEntry(int index);
    int updateEntry(const CatalogueRecord& record, int index);
    void setKind(int kind, int index);
    int getKind(int index) const;
    std::string currentLabel() const;
    bool isModified() const;
    // Writes the directives and the body in tree order; restructure writes
    // the fields of the target structure. 0, or -1 when writing failed.
    int writeFile(std::FILE* file, bool restructure);
    // Adds the records of another data file under a new index at the end.
    int import(const std::string& path);

    bool hasFile() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    std::string windowTitle() const;
    CatalogueFile& file() { return m_file; }
    const CatalogueFile& file() const { return m_file; }
    EntryTree& tree() { return m_tree; }
    const EntryTree& tree() const { return m_tree; }
    const std::vector<CatalogueEntry>& entries() const { return m_entries; }
    int current() const { return m_current; }
    void setCurrent(int index) { m_current = index >= 0 && index < entryCount() ? index : -1; }
    int entryCount() const { return static_cast<int>(m_entries.size()); }
    // The label the tree shows for an entry.
    std::string treeLabel(int index) const;
    // The entry's tree item, kNoItem when it has none.
    int treeItem(int index) const;
    void setTreeItem(int index, int item);
    void setModified() { m_file.modified = true; }
    const std::vector<std::string>& recentFiles() const { return m_recent; }

    // The folder in which the generator looks up pictures, from its defaults file.
    const std::string& defaultInputDir() const { return m_defaultInputDir; }
    // A picture name without a folder completed with defaultInputDir.
    std::string completePicturePath(std::string_view name) const;

    UserMessages& messages() { return m_messages; }
    std::FILE* errors() const { return m_errors; }

private:
    bool valid(int index) const { return index >= 0 && index < entryCount(); }
    int resolve(int index) const { return index < 0 ? m_current : index; }
    void rebuildTree();
    void addRecent(const std::string& path);

    UserMessages& m_messages;
    std::FILE* m_errors;
    std::string m_path;
    CatalogueFile m_file;
    std::vector<CatalogueEntry> m_entries;
    EntryTree m_tree;
    int m_current = -1;
    std::vector<std::string> m_recent;
    std::string m_defaultInputDir;
};

// The entry label of a record: its name; a columns entry its count.
std::string entryLabel(const CatalogueRecord& record, int kind);

} // namespace korvel
