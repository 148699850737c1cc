// Inserting, deleting and dragging entries in the structure tree.
#include <vector>

#include "editor/commands.h"

namespace korvel {

int KorvelCommands::insert(int kind, int selectedItem) {
    EntryTree& tree = m_doc.tree();
    if (!m_doc.hasFile() && !tree.isValid(selectedItem)) {
        m_doc.messages().show("You must create a new file, or select an existing file", "No Current File",
                              MessageButtons::Ok);
        return kNoItem;
    }
    m_dialogs.commitForm();
    int index = kind == kIndex ? m_doc.addNewIndex("new index") : m_doc.addNewEntry(kind);
    if (index < 0)
        return kNoItem;
    int item = tree.insertAfter(selectedItem, index);
    m_doc.setTreeItem(index, item);
    m_doc.setCurrent(index);
    if (kind == kIndex) {
        // A new index starts with one item inside it.
        int child = m_doc.addNewEntry(kItem);
        if (child >= 0)
            m_doc.setTreeItem(child, tree.appendChild(item, child));
    }
    m_dialogs.refreshViews(ViewRefresh::FormOnly);
    return item;
}

bool KorvelCommands::deleteItem(int item) {
    EntryTree& tree = m_doc.tree();
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
    // The entries stay in the list; they are simply no longer written.
    tree.remove(item);
    m_doc.setModified();
    m_dialogs.refreshViews(ViewRefresh::FormOnly);
    return true;
}

bool KorvelCommands::drop(int dragged, int target, bool copyEntries) {
    EntryTree& tree = m_doc.tree();
    if (!tree.isValid(dragged) || !tree.isValid(target) || tree.checkDrop(dragged, target) != DropCheck::Allowed)
        return false;
    m_dialogs.commitForm();
    DropPlacement placement =
        m_doc.getKind(tree.entry(target)) == kIndex ? DropPlacement::AsLastChild : DropPlacement::After;
    if (copyEntries) {
        int top = tree.copy(dragged, target, placement, [&](int entry) { return m_doc.copyEntry(entry); });
        if (top == kNoItem)
            return false;
        std::vector<int> pending{top};
        while (!pending.empty()) {
            int item = pending.back();
            pending.pop_back();
            m_doc.setTreeItem(tree.entry(item), item);
            const auto& kids = tree.children(item);
            pending.insert(pending.end(), kids.begin(), kids.end());
        }
    } else if (!tree.move(dragged, target, placement)) {
        return false;
    }
    m_doc.setModified();
    m_dialogs.refreshViews(ViewRefresh::FormOnly);
    return true;
}

} // namespace korvel
