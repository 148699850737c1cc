// Inserting, deleting and dragging entries in the structure tree.
#include "editor/commands.h"

namespace korvel {

int KorvelCommands::insert(int kind, int selectedItem) {
    const EntryTree& tree = m_doc.tree();
    if (!m_doc.hasFile() && !tree.isValid(selectedItem)) {
        m_doc.messages().show("You must create a new file, or select an existing file", "No Current File",
                              MessageButtons::Ok);
        return kNoItem;
    }
    m_dialogs.commitForm();
    int item = kind == kIndex ? m_doc.insertNewIndex("new index", selectedItem)
                              : m_doc.insertNewEntry(kind, selectedItem);
    if (item == kNoItem)
        return kNoItem;
    m_doc.setCurrent(tree.entry(item));
    if (kind == kIndex)
        m_doc.appendNewEntry(kItem, item);   // a new index starts with one item inside it
    m_dialogs.refreshViews(ViewRefresh::FormOnly);
    return item;
}

bool KorvelCommands::deleteItem(int item) {
    const EntryTree& tree = m_doc.tree();
    if (!tree.isValid(item))
        return false;
    m_dialogs.commitForm();
    int index = tree.entry(item);
    int kind = m_doc.getKind(index);
    std::string question = "Are you sure you wish to delete " + m_doc.treeLabel(index) +
                           (kind == kIndex ? " and it's contents" : "");
    std::string caption = std::string("Delete ") + kindWord(kind);
    if (m_doc.messages().show(question, caption, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    int next = tree.nextSibling(item);
    int parent = tree.parent(item);
    if (next != kNoItem)
        m_doc.setCurrent(tree.entry(next));
    else if (parent != kRootItem && parent != kNoItem)
        m_doc.setCurrent(tree.entry(parent));
    else
        m_doc.setCurrent(-1);
    m_doc.deleteItem(item);
    m_dialogs.refreshViews(ViewRefresh::FormOnly);
    return true;
}

bool KorvelCommands::drop(int dragged, int target, bool copyEntries) {
    const EntryTree& tree = m_doc.tree();
    if (!tree.isValid(dragged) || !tree.isValid(target) || tree.checkDrop(dragged, target) != DropCheck::Allowed)
        return false;
    m_dialogs.commitForm();
    DropPlacement placement =
        m_doc.getKind(tree.entry(target)) == kIndex ? DropPlacement::AsLastChild : DropPlacement::After;
    bool dropped = copyEntries ? m_doc.copyItem(dragged, target, placement) != kNoItem
                               : m_doc.moveItem(dragged, target, placement);
    if (!dropped)
        return false;
    m_dialogs.refreshViews(ViewRefresh::FormOnly);
    return true;
}

} // namespace korvel
