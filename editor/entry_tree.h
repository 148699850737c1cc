#pragma once
// The tree of entries that the structure view shows and that decides the
// order in which the file is written. Items are numbered; a number stays
// valid until its item is deleted, so a view can use it as its handle.
#include <functional>
#include <vector>

namespace korvel {

inline constexpr int kNoItem = -1;
inline constexpr int kRootItem = 0;

enum class DropPlacement { AsLastChild, After };

enum class DropCheck { Allowed, OntoItself, OntoDescendant, OntoOwnParent };

class EntryTree {
public:
    EntryTree();

    void clear();

    // A new item for entry directly after `item` under the same parent; at
    // the end of the top level when item is kNoItem or the root.
    int insertAfter(int item, int entry);
    // A new item for entry as the last child of parent (the root for the top level).
    int appendChild(int parent, int entry);
    // Removes the item and everything below it.
    void remove(int item);

    // Whether dragging `dragged` onto `target` may change anything.
    DropCheck checkDrop(int dragged, int target) const;
    // Moves the subtree; false (and nothing changed) when the drop is refused.
    bool move(int dragged, int target, DropPlacement placement);
    // Copies the subtree, asking copyEntry for the entry of each new item
    // (in depth-first order); returns the new top item, kNoItem when refused.
    int copy(int dragged, int target, DropPlacement placement, const std::function<int(int)>& copyEntry);

    bool isValid(int item) const;
    int entry(int item) const;
    void setEntry(int item, int entry);
    int parent(int item) const;   // kRootItem for the top level
    const std::vector<int>& children(int item) const;
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
    int newNode(int parent, int entry);
    void detach(int item);
    void place(int item, int target, DropPlacement placement);

    std::vector<Node> m_nodes;
    int m_live = 0;
};

} // namespace korvel
