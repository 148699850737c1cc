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
#include "editor/entry_tree_observer.h"
#include "model/user_messages.h"

namespace korvel {

struct CatalogueEntry {
    int kind = kItem;
    RecordLocation location;
    std::string label;
    int level = 0;
    int treeItem = kNoItem;
};

// The document keeps each entry's tree item and each item's entry pointing
// at each other: the tree changes only through the document, and the links
// are already right when the tree's observer hears of a change.
class CKorvelDoc {
public:
    explicit CKorvelDoc(UserMessages& messages, std::FILE* errors = stderr);
    // defaultInputDir comes from the generator's defaults file in programDir.
    CKorvelDoc(UserMessages& messages, std::string_view programDir, std::FILE* errors = stderr);
    CKorvelDoc(const CKorvelDoc&) = delete;
    CKorvelDoc& operator=(const CKorvelDoc&) = delete;

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

    // A new entry as addNewEntry or addNewIndex makes it, with its tree item
    // directly after afterItem (at the end of the top level when that is
    // kNoItem) or as the last child of parentItem; returns the item, kNoItem
    // when the entry could not be added.
    int insertNewEntry(int kind, int afterItem);
    int insertNewIndex(std::string_view name, int afterItem);
    int appendNewEntry(int kind, int parentItem);
    // Takes the item and everything below it out of the tree; their entries
    // stay in the list, no longer written. False when there is no such item.
    bool deleteItem(int item);
    // Moves the item with everything below it; false when the drop is refused.
    bool moveItem(int dragged, int target, DropPlacement placement);
    // Places a copy of the item and everything below it, each item with a
    // copy of its entry; returns the new top item, kNoItem when refused.
    int copyItem(int dragged, int target, DropPlacement placement);
    // Tells observer (or no one when null) of every change to the tree.
    void setTreeObserver(EntryTreeObserver* observer) { m_links.forwardTo(observer); }

    void setKind(int kind, int index);
    int getKind(int index) const;
    std::string currentLabel() const;
    bool isModified() const;
    // Writes the directives and the body in tree order; restructure writes
    // the fields of the target structure. 0, or -1 when writing failed.
    int writeFile(std::FILE* file, bool restructure);
    // The labels of the entries that the last writeFile wrote with a field
    // cut to the editor's length (read from the file longer than that).
    const std::vector<std::string>& cutEntries() const { return m_cutEntries; }
    // Adds the records of another data file under a new index at the end.
    int import(const std::string& path);

    bool hasFile() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    std::string windowTitle() const;
    CatalogueFile& file() { return m_file; }
    const CatalogueFile& file() const { return m_file; }
    const EntryTree& tree() const { return m_tree; }
    const std::vector<CatalogueEntry>& entries() const { return m_entries; }
    int current() const { return m_current; }
    void setCurrent(int index) { m_current = index >= 0 && index < entryCount() ? index : -1; }
    int entryCount() const { return static_cast<int>(m_entries.size()); }
    // The label the tree shows for an entry.
    std::string treeLabel(int index) const;
    // The entry's tree item, kNoItem when it has none.
    int treeItem(int index) const;
    void setModified() { m_file.modified = true; }
    const std::vector<std::string>& recentFiles() const { return m_recent; }

    // The folder in which the generator looks up pictures, from its defaults file.
    const std::string& defaultInputDir() const { return m_defaultInputDir; }
    // A picture name without a folder completed with defaultInputDir.
    std::string completePicturePath(std::string_view name) const;

    UserMessages& messages() { return m_messages; }
    std::FILE* errors() const { return m_errors; }

private:
    // Sets the links as the tree changes, then passes the change on.
    class TreeLinks : public EntryTreeObserver {
    public:
        explicit TreeLinks(CKorvelDoc& doc) : m_doc(doc) {}
        void forwardTo(EntryTreeObserver* observer) { m_next = observer; }
        void aboutToInsert(int parent, int first, int last) override;
        void inserted(int parent, int first, int last) override;
        void aboutToRemove(int parent, int first, int last) override;
        void removed(int parent, int first, int last) override;
        void aboutToMove(int sourceParent, int sourceRow, int destinationParent, int destinationRow) override;
        void moved(int sourceParent, int sourceRow, int destinationParent, int destinationRow) override;
        void aboutToReset() override;
        void reset() override;

    private:
        enum class Link { Set, Clear };
        // Points each entry of the items first to last of parent, and of
        // everything below them, at its item, or at none.
        void link(int parent, int first, int last, Link how);
        CKorvelDoc& m_doc;
        EntryTreeObserver* m_next = nullptr;
    };

    bool valid(int index) const { return index >= 0 && index < entryCount(); }
    int insertItemFor(int index, int afterItem);
    int resolve(int index) const { return index < 0 ? m_current : index; }
    void rebuildTree();
    void addRecent(const std::string& path);

    UserMessages& m_messages;
    std::FILE* m_errors;
    std::string m_path;
    CatalogueFile m_file;
    std::vector<CatalogueEntry> m_entries;
    TreeLinks m_links{*this};
    EntryTree m_tree;
    int m_current = -1;
    std::vector<std::string> m_recent;
    std::string m_defaultInputDir;
    std::vector<std::string> m_cutEntries;
};

// The entry label of a record: its name; a columns entry its count.
std::string entryLabel(const CatalogueRecord& record, int kind);

} // namespace korvel
