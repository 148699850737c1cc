#pragma once
// The structure tree: every entry of the open file in its nesting. A click
// or Enter makes an entry current; Delete deletes; the Insert commands put
// new entries after the selected one; dragging with the left button moves
// an item, or copies it with Ctrl held.
// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/commands.h"
#include "editor/desktop/entry_tree_model.h"

#include <QBasicTimer>
#include <QTreeView>

class CLeftView : public QTreeView {
    Q_OBJECT
public:
    CLeftView(korvel::CKorvelDoc& doc, korvel::KorvelCommands& commands, QWidget* parent = nullptr);

    // Runs an Insert command for an entry of that kind; the new tree item, kNoItem when refused.
    int insertEntry(int kind);
    // Asks and deletes the selected item; true when deleted.
    bool deleteSelected();
    // Selects the document's current entry (nothing when there is none).
    void showCurrent();
    // Labels and pictures may have changed.
    void refreshLabels();

    int selectedItem() const;
    QModelIndex indexOfItem(int item) const { return m_model.indexOf(item); }
    int itemAtIndex(const QModelIndex& index) const { return m_model.itemAt(index); }
    EntryTreeModel& entryModel() { return m_model; }
    // The item highlighted as the drop target while dragging, kNoItem otherwise.
    int dropTarget() const { return m_dropTarget; }
    bool dragging() const { return m_dragged != korvel::kNoItem; }

Q_SIGNALS:
    // The user chose another entry; the form shows it.
    void entryChosen();
    // A drop was refused: nothing changed.
    void dropRefused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // Keeps the view's own moves of the current row (rows leaving under it)
    // from choosing entries while a command runs.
    class Quiet {
    public:
        explicit Quiet(CLeftView& view) : m_view(view), m_was(view.m_quiet) { view.m_quiet = true; }
        ~Quiet() { m_view.m_quiet = m_was; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        CLeftView& m_view;
        bool m_was;
    };

    void choose(const QModelIndex& index);
    void startDrag();
    void dragTo(QPoint position);
    void finishDrag(QPoint position, bool copyEntries);
    void autoScroll();
    void setDropTarget(int item);

    korvel::CKorvelDoc& m_doc;
    korvel::KorvelCommands& m_commands;
    EntryTreeModel m_model;
    bool m_quiet = false;
    int m_pressed = korvel::kNoItem;
    QPoint m_pressPosition;
    int m_dragged = korvel::kNoItem;
    int m_dropTarget = korvel::kNoItem;
    QPoint m_dragPosition;
    QBasicTimer m_scrollTimer;
    int m_ticks = 0;
};
