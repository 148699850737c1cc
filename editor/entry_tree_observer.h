#pragma once
// What an entry tree tells about each change to its shape, before and after
// it, so that a view can keep its own picture of the tree in step.
//
// Items are named by their numbers, the top level by kRootItem. Rows count
// an item's place among its parent's children from 0. Each "about to" call
// comes while the tree is still as it was, its partner when the change is
// done; nothing else happens between the two. A call that changes nothing
// (a refused drop, removing an item that is not there) reports nothing.
namespace korvel {

class EntryTreeObserver {
public:
    virtual ~EntryTreeObserver() = default;

    // Rows first to last of parent are new; any items below them came with them.
    virtual void aboutToInsert(int parent, int first, int last) = 0;
    virtual void inserted(int parent, int first, int last) = 0;

    // Rows first to last of parent go, with everything below them.
    virtual void aboutToRemove(int parent, int first, int last) = 0;
    virtual void removed(int parent, int first, int last) = 0;

    // The item at sourceRow of sourceParent moves, with everything below it,
    // in front of the item at destinationRow of destinationParent, that row
    // counted while the moving item is still in its old place (rows of
    // destinationParent when it goes last). Within one parent, moving an item
    // from row 0 to the end of three rows is therefore (p, 0, p, 3), and the
    // item ends at row 2; moving it from row 2 to the front is (p, 2, p, 0).
    // A destinationRow of sourceRow or sourceRow + 1 under the same parent
    // would change nothing and is never reported.
    virtual void aboutToMove(int sourceParent, int sourceRow, int destinationParent, int destinationRow) = 0;
    virtual void moved(int sourceParent, int sourceRow, int destinationParent, int destinationRow) = 0;

    // The whole tree was emptied or built again.
    virtual void aboutToReset() = 0;
    virtual void reset() = 0;
};

} // namespace korvel
