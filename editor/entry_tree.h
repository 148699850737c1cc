#pragma once
// The tree of entries that the structure view shows and that decides the
// order in which the file is written. Items are numbered; a number stays
// valid until its item is deleted, so a view can use it as its handle.
// Every change of shape is told to the observer, if one is set.
#include <functional>
#include <vector>

#include "editor/entry_tree_observer.h"

namespace korvel {

inline constexpr int kNoItem = -1;
inline constexpr int kRootItem = 0;

enum class DropPlacement { AsLastChild, After };

enum class DropCheck { Allowed, OntoItself, OntoDescendant, OntoOwnParent };

// An entry and how deep it lies: 0 directly under the item it is added to.
struct NestedEntry {
    int entry = -1;
    int level = 0;
};

class EntryTree {
public:
    EntryTree();
    // The observer belongs to one tree.
    EntryTree(const EntryTree&) = delete;
    EntryTree& operator=(const EntryTree&) = delete;

    // Tells observer, or no one when null, of the changes from now on.
    void setObserver(EntryTreeObserver* observer) { m_observer = observer; }

    void clear();
    // Empties the tree and builds it from entries in order (see appendNested).
    void rebuild(const std::vector<NestedEntry>& entries);

    // A new item for entry directly after `item` under the same parent; at
    // the end of the top level when item is kNoItem or the root.
    int insertAfter(int item, int entry);
    // A new item for entry as the last child of parent (the root for the top level).
    int appendChild(int parent, int entry);
    // Items for entries in order, the level-0 ones as new last children of
    // parent and each deeper one as the last child of the item before it one
    // level up (a level too deep for what came before is cut to fit). Told as
    // one insert of the new children of parent; returns the first of them,
    // kNoItem when entries is empty.
    int appendNested(int parent, const std::vector<NestedEntry>& entries);
    // Removes the item and everything below it.
    void remove(int item);

    // Whether dragging `dragged` onto `target` may change anything.
    DropCheck checkDrop(int dragged, int target) const;
    // Moves the subtree; false (and nothing changed) when the drop is refused.
    bool move(int dragged, int target, DropPlacement placement);
    // Copies the subtree, asking copyEntry for the entry of each new item
    // (the top first, then all of an item's children before their own
    // children); returns the new top item, kNoItem when refused.
    int copy(int dragged, int target, DropPlacement placement, const std::function<int(int)>& copyEntry);

    bool isValid(int item) const;
    int entry(int item) const;
    int parent(int item) const;   // kRootItem for the top level
    const std::vector<int>& children(int item) const;
    int rowOf(int item) const;    // the item's place among its parent's children, -1 when none
    int nextSibling(int item) const;
    bool isBelow(int item, int ancestor) const;   // strictly below
    int depth(int item) const;                    // 0 for the top level
    int size() const { return m_live; }           // items, the root not counted

    // Depth-first: each item, then its children. visit returns false to stop.
    void walk(const std::function<bool(int item, int depth)>& visit) const;
    // Called after each item's children with the item (for closing markers).
    void walk(const std::function<bool(int item, int depth)>& visit,
              const std::function<void(int item, int depth)>& leave) const;

private:
    struct Node {
        int entry = -1;
        int parent = kNoItem;
        std::vector<int> children;
        bool live = false;
    };
    // Where a dropped item goes: in front of row of parent, counted before
    // the dropped item leaves its old place.
    struct Spot {
        int parent;
        int row;
    };
    Node& node(int item) { return m_nodes[static_cast<std::size_t>(item)]; }
    const Node& node(int item) const { return m_nodes[static_cast<std::size_t>(item)]; }
    EntryTreeObserver& observer() const;
    void reset();
    int newNode(int parent, int entry);
    // A new item under parent that no observer hears of: parent is still
    // out of the tree, or the caller tells of the whole change itself.
    int addQuietly(int parent, int entry);
    std::vector<int> buildNested(int parent, const std::vector<NestedEntry>& entries);
    void detach(int item);
    Spot dropSpot(int target, DropPlacement placement) const;
    bool dropAllowed(int dragged, int target) const;

    std::vector<Node> m_nodes;
    int m_live = 0;
    EntryTreeObserver* m_observer = nullptr;
};

} // namespace korvel
