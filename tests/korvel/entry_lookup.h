#pragma once
// The row of the structure tree that shows a label, anywhere in the tree.
// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/desktop/left_view.h"

inline QModelIndex findEntry(CLeftView& view, const QString& label) {
    QAbstractItemModel& model = view.entryModel();
    QModelIndexList found =
        model.match(model.index(0, 0), Qt::DisplayRole, label, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.constFirst();
}
