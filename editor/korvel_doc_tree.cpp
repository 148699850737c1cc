// The document's changes to the structure tree, and the links between
// entries and tree items that follow every change.
#include <vector>

#include "editor/korvel_doc.h"

namespace korvel {

int CKorvelDoc::insertItemFor(int index, int afterItem) {
    return index < 0 ? kNoItem : m_tree.insertAfter(afterItem, index);
}

int CKorvelDoc::insertNewEntry(int kind, int afterItem) { return insertItemFor(addNewEntry(kind), afterItem); }

int CKorvelDoc::insertNewIndex(std::string_view name, int afterItem) {
    return insertItemFor(addNewIndex(name), afterItem);
}

int CKorvelDoc::appendNewEntry(int kind, int parentItem) {
    int index = addNewEntry(kind);
    return index < 0 ? kNoItem : m_tree.appendChild(parentItem, index);
}

bool CKorvelDoc::deleteItem(int item) {
    if (!m_tree.isValid(item))
        return false;
    m_tree.remove(item);
    m_file.modified = true;
    return true;
}

bool CKorvelDoc::moveItem(int dragged, int target, DropPlacement placement) {
    if (!m_tree.move(dragged, target, placement))
        return false;
    m_file.modified = true;
    return true;
}

int CKorvelDoc::copyItem(int dragged, int target, DropPlacement placement) {
    int top = m_tree.copy(dragged, target, placement, [this](int index) { return copyEntry(index); });
    if (top != kNoItem)
        m_file.modified = true;
    return top;
}

void CKorvelDoc::TreeLinks::link(int parent, int first, int last, Link how) {
    const EntryTree& tree = m_doc.m_tree;
    const auto& rows = tree.children(parent);
    std::vector<int> pending;
    for (int row = first; row <= last && row < static_cast<int>(rows.size()); ++row)
        pending.push_back(rows[static_cast<std::size_t>(row)]);
    while (!pending.empty()) {
        int item = pending.back();
        pending.pop_back();
        int index = tree.entry(item);
        if (m_doc.valid(index)) {
            int& linked = m_doc.m_entries[static_cast<std::size_t>(index)].treeItem;
            if (how == Link::Set)
                linked = item;
            else if (linked == item)
                linked = kNoItem;
        }
        const auto& kids = tree.children(item);
        pending.insert(pending.end(), kids.begin(), kids.end());
    }
}

void CKorvelDoc::TreeLinks::aboutToInsert(int parent, int first, int last) {
    if (m_next)
        m_next->aboutToInsert(parent, first, last);
}

void CKorvelDoc::TreeLinks::inserted(int parent, int first, int last) {
    link(parent, first, last, Link::Set);
    if (m_next)
        m_next->inserted(parent, first, last);
}

void CKorvelDoc::TreeLinks::aboutToRemove(int parent, int first, int last) {
    if (m_next)
        m_next->aboutToRemove(parent, first, last);
    link(parent, first, last, Link::Clear);
}

void CKorvelDoc::TreeLinks::removed(int parent, int first, int last) {
    if (m_next)
        m_next->removed(parent, first, last);
}

void CKorvelDoc::TreeLinks::aboutToMove(int sourceParent, int sourceRow, int destinationParent, int destinationRow) {
    if (m_next)
        m_next->aboutToMove(sourceParent, sourceRow, destinationParent, destinationRow);
}

void CKorvelDoc::TreeLinks::moved(int sourceParent, int sourceRow, int destinationParent, int destinationRow) {
    if (m_next)
        m_next->moved(sourceParent, sourceRow, destinationParent, destinationRow);
}

void CKorvelDoc::TreeLinks::aboutToReset() {
    if (m_next)
        m_next->aboutToReset();
}

void CKorvelDoc::TreeLinks::reset() {
    for (CatalogueEntry& entry : m_doc.m_entries)
        entry.treeItem = kNoItem;
    link(kRootItem, 0, static_cast<int>(m_doc.m_tree.children(kRootItem).size()) - 1, Link::Set);
    if (m_next)
        m_next->reset();
}

} // namespace korvel
