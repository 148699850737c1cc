#include "editor/entry_tree.h"

#include <algorithm>
#include <utility>

namespace korvel {

namespace {

class SilentObserver : public EntryTreeObserver {
public:
    void aboutToInsert(int, int, int) override {}
    void inserted(int, int, int) override {}
    void aboutToRemove(int, int, int) override {}
    void removed(int, int, int) override {}
    void aboutToMove(int, int, int, int) override {}
    void moved(int, int, int, int) override {}
    void aboutToReset() override {}
    void reset() override {}
};

EntryTreeObserver& silent() {
    static SilentObserver observer;
    return observer;
}

} // namespace

EntryTree::EntryTree() { reset(); }

EntryTreeObserver& EntryTree::observer() const { return m_observer ? *m_observer : silent(); }

void EntryTree::reset() {
    m_nodes.clear();
    m_nodes.push_back(Node{-1, kNoItem, {}, true});
    m_live = 0;
}

void EntryTree::clear() {
    observer().aboutToReset();
    reset();
    observer().reset();
}

void EntryTree::rebuild(const std::vector<NestedEntry>& entries) {
    observer().aboutToReset();
    reset();
    std::vector<int> top = buildNested(kRootItem, entries);
    node(kRootItem).children = std::move(top);
    observer().reset();
}

bool EntryTree::isValid(int item) const {
    return item > kRootItem && item < static_cast<int>(m_nodes.size()) && node(item).live;
}

int EntryTree::newNode(int parentItem, int entryIndex) {
    m_nodes.push_back(Node{entryIndex, parentItem, {}, true});
    ++m_live;
    return static_cast<int>(m_nodes.size()) - 1;
}

int EntryTree::addQuietly(int parentItem, int entryIndex) {
    int item = newNode(parentItem, entryIndex);
    node(parentItem).children.push_back(item);
    return item;
}

std::vector<int> EntryTree::buildNested(int parentItem, const std::vector<NestedEntry>& entries) {
    // The new children of parentItem join it only when the caller says so;
    // everything deeper hangs from them already.
    std::vector<int> top;
    std::vector<int> lastAtLevel;
    for (const NestedEntry& nested : entries) {
        std::size_t level = std::min(static_cast<std::size_t>(std::max(nested.level, 0)), lastAtLevel.size());
        int item = level == 0 ? newNode(parentItem, nested.entry) : addQuietly(lastAtLevel[level - 1], nested.entry);
        if (level == 0)
            top.push_back(item);
        lastAtLevel.resize(level);
        lastAtLevel.push_back(item);
    }
    return top;
}

int EntryTree::insertAfter(int item, int entryIndex) {
    if (!isValid(item))
        return appendChild(kRootItem, entryIndex);
    int parentItem = node(item).parent;
    int row = rowOf(item) + 1;
    observer().aboutToInsert(parentItem, row, row);
    int made = newNode(parentItem, entryIndex);
    auto& siblings = node(parentItem).children;
    siblings.insert(siblings.begin() + row, made);
    observer().inserted(parentItem, row, row);
    return made;
}

int EntryTree::appendChild(int parentItem, int entryIndex) {
    if (parentItem != kRootItem && !isValid(parentItem))
        parentItem = kRootItem;
    int row = static_cast<int>(node(parentItem).children.size());
    observer().aboutToInsert(parentItem, row, row);
    int made = addQuietly(parentItem, entryIndex);
    observer().inserted(parentItem, row, row);
    return made;
}

int EntryTree::appendNested(int parentItem, const std::vector<NestedEntry>& entries) {
    if (parentItem != kRootItem && !isValid(parentItem))
        parentItem = kRootItem;
    std::vector<int> top = buildNested(parentItem, entries);
    if (top.empty())
        return kNoItem;
    int first = static_cast<int>(node(parentItem).children.size());
    int last = first + static_cast<int>(top.size()) - 1;
    observer().aboutToInsert(parentItem, first, last);
    auto& children = node(parentItem).children;
    children.insert(children.end(), top.begin(), top.end());
    observer().inserted(parentItem, first, last);
    return top.front();
}

void EntryTree::detach(int item) {
    auto& siblings = node(node(item).parent).children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), item));
}

void EntryTree::remove(int item) {
    if (!isValid(item))
        return;
    int parentItem = node(item).parent;
    int row = rowOf(item);
    observer().aboutToRemove(parentItem, row, row);
    detach(item);
    std::vector<int> pending{item};
    while (!pending.empty()) {
        Node& n = node(pending.back());
        pending.pop_back();
        pending.insert(pending.end(), n.children.begin(), n.children.end());
        n.children.clear();
        n.live = false;
        --m_live;
    }
    observer().removed(parentItem, row, row);
}

bool EntryTree::isBelow(int item, int ancestor) const {
    if (!isValid(item))
        return false;
    for (int p = node(item).parent; p != kNoItem; p = node(p).parent) {
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

bool EntryTree::dropAllowed(int dragged, int target) const {
    return isValid(dragged) && (target == kRootItem || isValid(target)) &&
           checkDrop(dragged, target) == DropCheck::Allowed;
}

EntryTree::Spot EntryTree::dropSpot(int target, DropPlacement placement) const {
    if (placement == DropPlacement::AsLastChild || target == kRootItem)
        return {target, static_cast<int>(node(target).children.size())};
    return {node(target).parent, rowOf(target) + 1};
}

bool EntryTree::move(int dragged, int target, DropPlacement placement) {
    if (!dropAllowed(dragged, target))
        return false;
    const int from = node(dragged).parent;
    const int row = rowOf(dragged);
    const Spot to = dropSpot(target, placement);
    if (to.parent == from && (to.row == row || to.row == row + 1))
        return true;   // it would land where it is
    observer().aboutToMove(from, row, to.parent, to.row);
    detach(dragged);
    // Leaving its old place moved everything after it up one row.
    int at = to.parent == from && to.row > row ? to.row - 1 : to.row;
    node(dragged).parent = to.parent;
    auto& siblings = node(to.parent).children;
    siblings.insert(siblings.begin() + at, dragged);
    observer().moved(from, row, to.parent, to.row);
    return true;
}

int EntryTree::copy(int dragged, int target, DropPlacement placement, const std::function<int(int)>& copyEntry) {
    if (!dropAllowed(dragged, target))
        return kNoItem;
    const Spot to = dropSpot(target, placement);
    // The copy is built whole before it joins the tree, so it arrives as one insert.
    int top = newNode(to.parent, copyEntry(entry(dragged)));
    // Pairs of (original, copy) whose children are still to be copied.
    std::vector<std::pair<int, int>> pending{{dragged, top}};
    while (!pending.empty()) {
        auto [original, copied] = pending.back();
        pending.pop_back();
        std::vector<int> kids = node(original).children;
        std::vector<std::pair<int, int>> next;
        for (int child : kids) {
            int made = addQuietly(copied, copyEntry(entry(child)));
            next.emplace_back(child, made);
        }
        pending.insert(pending.end(), next.rbegin(), next.rend());
    }
    observer().aboutToInsert(to.parent, to.row, to.row);
    auto& siblings = node(to.parent).children;
    siblings.insert(siblings.begin() + to.row, top);
    observer().inserted(to.parent, to.row, to.row);
    return top;
}

int EntryTree::entry(int item) const { return isValid(item) ? node(item).entry : -1; }

int EntryTree::parent(int item) const { return isValid(item) ? node(item).parent : kNoItem; }

const std::vector<int>& EntryTree::children(int item) const {
    static const std::vector<int> none;
    if (item != kRootItem && !isValid(item))
        return none;
    return node(item).children;
}

int EntryTree::rowOf(int item) const {
    if (!isValid(item))
        return -1;
    const auto& siblings = node(node(item).parent).children;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), item) - siblings.begin());
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
