#include "editor/desktop/entry_tree_model.h"

#include "editor/desktop/entry_images.h"
#include "imagelib/widgets/record_text.h"

using korvel::kNoItem;
using korvel::kRootItem;

EntryTreeModel::EntryTreeModel(korvel::CKorvelDoc& doc, QObject* parent) : QAbstractItemModel(parent), m_doc(doc) {
    m_doc.setTreeObserver(this);
}

EntryTreeModel::~EntryTreeModel() { m_doc.setTreeObserver(nullptr); }

int EntryTreeModel::itemAt(const QModelIndex& index) const {
    if (!index.isValid())
        return kNoItem;
    return static_cast<int>(index.internalId());
}

QModelIndex EntryTreeModel::indexOf(int item) const {
    const korvel::EntryTree& tree = m_doc.tree();
    if (item == kRootItem || !tree.isValid(item))
        return {};
    return createIndex(tree.rowOf(item), 0, static_cast<quintptr>(item));
}

QModelIndex EntryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    int parentItem = parent.isValid() ? itemAt(parent) : kRootItem;
    if (parentItem != kRootItem && !m_doc.tree().isValid(parentItem))
        return {};
    const std::vector<int>& children = m_doc.tree().children(parentItem);
    if (row >= static_cast<int>(children.size()))
        return {};
    return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex EntryTreeModel::parent(const QModelIndex& child) const {
    int item = itemAt(child);
    if (item == kNoItem || !m_doc.tree().isValid(item))
        return {};
    return indexOf(m_doc.tree().parent(item));
}

int EntryTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    int item = parent.isValid() ? itemAt(parent) : kRootItem;
    if (item != kRootItem && !m_doc.tree().isValid(item))
        return 0;
    return static_cast<int>(m_doc.tree().children(item).size());
}

int EntryTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant EntryTreeModel::data(const QModelIndex& index, int role) const {
    int item = itemAt(index);
    if (item == kNoItem || !m_doc.tree().isValid(item))
        return {};
    int entry = m_doc.tree().entry(item);
    switch (role) {
    case Qt::DisplayRole: return shownText(m_doc.treeLabel(entry));
    case Qt::DecorationRole: return entryIcon(entryImageOf(m_doc.getKind(entry)));
    default: return {};
    }
}

void EntryTreeModel::refreshLabels() {
    // The view asks for labels only of the rows it shows; a changed range
    // of more than one row makes it ask again for every shown row.
    int rows = rowCount();
    if (rows > 0)
        Q_EMIT dataChanged(index(0, 0), index(rows - 1, 0), {Qt::DisplayRole, Qt::DecorationRole});
}

void EntryTreeModel::aboutToInsert(int parent, int first, int last) { beginInsertRows(indexOf(parent), first, last); }

void EntryTreeModel::inserted(int, int, int) { endInsertRows(); }

void EntryTreeModel::aboutToRemove(int parent, int first, int last) { beginRemoveRows(indexOf(parent), first, last); }

void EntryTreeModel::removed(int, int, int) { endRemoveRows(); }

void EntryTreeModel::aboutToMove(int sourceParent, int sourceRow, int destinationParent, int destinationRow) {
    beginMoveRows(indexOf(sourceParent), sourceRow, sourceRow, indexOf(destinationParent), destinationRow);
}

void EntryTreeModel::moved(int, int, int, int) { endMoveRows(); }

void EntryTreeModel::aboutToReset() { beginResetModel(); }

void EntryTreeModel::reset() { endResetModel(); }
