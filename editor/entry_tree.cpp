#include "editor/entry_tree.h"

#include <algorithm>
#include <utility>

namespace korvel {

EntryTree::EntryTree() { clear(); }

void EntryTree::clear() {
    m_nodes.clear();
    m_nodes.push_back(Node{-1, kNoItem, {}, true});
    m_live = 0;
}

bool EntryTree::isValid(int item) const {
    return item > kRootItem && item < static_cast<int>(m_nodes.size()) && m_nodes[static_cast<std::size_t>(item)].live;
}

int EntryTree::newNode(int parent, int entry) {
    m_nodes.push_back(Node{entry, parent, {}, true});
    ++m_live;
    return static_cast<int>(m_nodes.size()) - 1;
}

int EntryTree::insertAfter(int item, int entry) {
    if (!isValid(item))
        return appendChild(kRootItem, entry);
    int parentItem = m_nodes[static_cast<std::size_t>(item)].parent;
    int node = newNode(parentItem, entry);
    auto& siblings = m_nodes[static_cast<std::size_t>(parentItem)].children;
    siblings.insert(std::find(siblings.begin(), siblings.end(), item) + 1, node);
    return node;
}

int EntryTree::appendChild(int parentItem, int entry) {
    if (parentItem != kRootItem && !isValid(parentItem))
        parentItem = kRootItem;
    int node = newNode(parentItem, entry);
    m_nodes[static_cast<std::size_t>(parentItem)].children.push_back(node);
    return node;
}

void EntryTree::detach(int item) {
    auto& siblings = m_nodes[static_cast<std::size_t>(m_nodes[static_cast<std::size_t>(item)].parent)].children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), item));
}

void EntryTree::remove(int item) {
    if (!isValid(item))
        return;
    detach(item);
    std::vector<int> pending{item};
    while (!pending.empty()) {
        int node = pending.back();
        pending.pop_back();
        Node& n = m_nodes[static_cast<std::size_t>(node)];
        pending.insert(pending.end(), n.children.begin(), n.children.end());
        n.children.clear();
        n.live = false;
        --m_live;
    }
}

bool EntryTree::isBelow(int item, int ancestor) const {
    if (!isValid(item))
        return false;
    for (int p = m_nodes[static_cast<std::size_t>(item)].parent; p != kNoItem;
         p = m_nodes[static_cast<std::size_t>(p)].parent) {
        if (p == ancestor)
            return true;
    }
    return false;
}

DropCheck EntryTree::checkDrop(int dragged, int target) const {
    if (dragged == target)
        return DropCheck::OntoItself;
    if (isBelow(target, dragged))
        return DropCheck::OntoDescendant;
    if (isValid(dragged) && parent(dragged) == target)
        return DropCheck::OntoOwnParent;
    return DropCheck::Allowed;
}

void EntryTree::place(int item, int target, DropPlacement placement) {
    Node& n = m_nodes[static_cast<std::size_t>(item)];
    if (placement == DropPlacement::AsLastChild || target == kRootItem) {
        n.parent = target;
        m_nodes[static_cast<std::size_t>(target)].children.push_back(item);
        return;
    }
    int parentItem = m_nodes[static_cast<std::size_t>(target)].parent;
    n.parent = parentItem;
    auto& siblings = m_nodes[static_cast<std::size_t>(parentItem)].children;
    siblings.insert(std::find(siblings.begin(), siblings.end(), target) + 1, item);
}

bool EntryTree::move(int dragged, int target, DropPlacement placement) {
    if (!isValid(dragged) || (target != kRootItem && !isValid(target)) ||
        checkDrop(dragged, target) != DropCheck::Allowed)
        return false;
    detach(dragged);
    place(dragged, target, placement);
    return true;
}

int EntryTree::copy(int dragged, int target, DropPlacement placement, const std::function<int(int)>& copyEntry) {
    if (!isValid(dragged) || (target != kRootItem && !isValid(target)) ||
        checkDrop(dragged, target) != DropCheck::Allowed)
        return kNoItem;
    int top = newNode(kNoItem, copyEntry(entry(dragged)));
    place(top, target, placement);
    // Pairs of (original, copy) whose children are still to be copied.
    std::vector<std::pair<int, int>> pending{{dragged, top}};
    while (!pending.empty()) {
        auto [original, copied] = pending.back();
        pending.pop_back();
        std::vector<int> kids = m_nodes[static_cast<std::size_t>(original)].children;
        std::vector<std::pair<int, int>> next;
        for (int child : kids) {
            int made = appendChild(copied, copyEntry(entry(child)));
            next.emplace_back(child, made);
        }
        pending.insert(pending.end(), next.rbegin(), next.rend());
    }
    return top;
}

int EntryTree::entry(int item) const {
    return isValid(item) ? m_nodes[static_cast<std::size_t>(item)].entry : -1;
}

void EntryTree::setEntry(int item, int entryIndex) {
    if (isValid(item))
        m_nodes[static_cast<std::size_t>(item)].entry = entryIndex;
}

int EntryTree::parent(int item) const {
    return isValid(item) ? m_nodes[static_cast<std::size_t>(item)].parent : kNoItem;
}

const std::vector<int>& EntryTree::children(int item) const {
    static const std::vector<int> none;
    if (item != kRootItem && !isValid(item))
        return none;
    return m_nodes[static_cast<std::size_t>(item)].children;
}

int EntryTree::nextSibling(int item) const {
    if (!isValid(item))
        return kNoItem;
    const auto& siblings = children(parent(item));
    auto at = std::find(siblings.begin(), siblings.end(), item);
    return at + 1 == siblings.end() ? kNoItem : *(at + 1);
}

int EntryTree::depth(int item) const {
    int d = 0;
    for (int p = parent(item); p != kRootItem && p != kNoItem; p = parent(p))
        ++d;
    return d;
}

void EntryTree::walk(const std::function<bool(int, int)>& visit) const {
    walk(visit, [](int, int) {});
}

void EntryTree::walk(const std::function<bool(int, int)>& visit,
                     const std::function<void(int, int)>& leave) const {
    // An explicit stack: a file may nest indexes deeper than a call stack goes.
    struct Frame {
        int item;
        std::size_t next;
    };
    std::vector<Frame> stack{{kRootItem, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        const auto& kids = m_nodes[static_cast<std::size_t>(top.item)].children;
        if (top.next < kids.size()) {
            int child = kids[top.next++];
            int depthOfChild = static_cast<int>(stack.size()) - 1;
            if (!visit(child, depthOfChild))
                return;
            stack.push_back({child, 0});
        } else {
            int item = top.item;
            stack.pop_back();
            if (item != kRootItem)
                leave(item, static_cast<int>(stack.size()) - 1);
        }
    }
}

} // namespace korvel
