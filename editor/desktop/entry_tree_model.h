#pragma once
// The document's entry tree as a Qt item model: one row per tree item,
// labels and pictures fetched from the document when the view asks, so a
// file of any size costs the view only the rows it shows. The tree's change
// notifications keep the model in step.
// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/korvel_doc.h"

#include <QAbstractItemModel>

class EntryTreeModel : public QAbstractItemModel, private korvel::EntryTreeObserver {
    Q_OBJECT
public:
    explicit EntryTreeModel(korvel::CKorvelDoc& doc, QObject* parent = nullptr);
    ~EntryTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The tree item a model index stands for (kNoItem for an invalid one), and back.
    int itemAt(const QModelIndex& index) const;
    QModelIndex indexOf(int item) const;
    // Labels and pictures may have changed without the shape changing.
    void refreshLabels();

private:
    void aboutToInsert(int parent, int first, int last) override;
    void inserted(int parent, int first, int last) override;
    void aboutToRemove(int parent, int first, int last) override;
    void removed(int parent, int first, int last) override;
    void aboutToMove(int sourceParent, int sourceRow, int destinationParent, int destinationRow) override;
    void moved(int sourceParent, int sourceRow, int destinationParent, int destinationRow) override;
    void aboutToReset() override;
    void reset() override;

    korvel::CKorvelDoc& m_doc;
};
