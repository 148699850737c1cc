#include "editor/desktop/left_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimerEvent>

using korvel::kNoItem;

namespace {

constexpr int kScrollTickMs = 75;
// Near the edge the first lines scroll on every third tick only.
constexpr int kSlowTicks = 3;

}  // namespace

CLeftView::CLeftView(korvel::CKorvelDoc& doc, korvel::KorvelCommands& commands, QWidget* parent)
    : QTreeView(parent), m_doc(doc), m_commands(commands), m_model(doc) {
    setModel(&m_model);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);   // a large file is laid out without asking every row
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);        // dragging is the view's own, see mouseMoveEvent
    setExpandsOnDoubleClick(true);
    setIconSize(QSize(16, 16));
}

int CLeftView::selectedItem() const { return m_model.itemAt(currentIndex()); }

int CLeftView::insertEntry(int kind) {
    Quiet quiet(*this);
    int item = m_commands.insert(kind, selectedItem());
    showCurrent();
    return item;
}

bool CLeftView::deleteSelected() {
    int item = selectedItem();
    if (item == kNoItem)
        return false;
    Quiet quiet(*this);
    bool deleted = m_commands.deleteItem(item);
    showCurrent();
    return deleted;
}

void CLeftView::showCurrent() {
    Quiet quiet(*this);
    int item = m_doc.treeItem(m_doc.current());
    QModelIndex index = m_model.indexOf(item);
    if (!index.isValid()) {
        selectionModel()->clear();
        return;
    }
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
        expand(above);
    setCurrentIndex(index);
    scrollTo(index);
}

void CLeftView::refreshLabels() {
    m_model.refreshLabels();
    viewport()->update();
}

void CLeftView::choose(const QModelIndex& index) {
    int item = m_model.itemAt(index);
    if (item == kNoItem || m_quiet)
        return;
    m_doc.setCurrent(m_doc.tree().entry(item));
    Q_EMIT entryChosen();
}

void CLeftView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    choose(current);
}

void CLeftView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QModelIndex index = currentIndex();
        choose(index);
        if (index.isValid() && m_doc.getKind(m_doc.tree().entry(m_model.itemAt(index))) == korvel::kIndex)
            setExpanded(index, !isExpanded(index));
        return;
    }
    case Qt::Key_Delete: deleteSelected(); return;
    default: QTreeView::keyPressEvent(event);
    }
}

void CLeftView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton ? m_model.itemAt(indexAt(event->position().toPoint())) : kNoItem;
    m_pressPosition = event->position().toPoint();
}

void CLeftView::mouseMoveEvent(QMouseEvent* event) {
    QPoint position = event->position().toPoint();
    if (dragging()) {
        dragTo(position);
        return;
    }
    if (m_pressed != kNoItem && (event->buttons() & Qt::LeftButton) &&
        (position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
        startDrag();
        dragTo(position);
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void CLeftView::mouseReleaseEvent(QMouseEvent* event) {
    m_pressed = kNoItem;
    if (dragging() && event->button() == Qt::LeftButton) {
        finishDrag(event->position().toPoint(), event->modifiers().testFlag(Qt::ControlModifier));
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void CLeftView::startDrag() {
    m_dragged = m_pressed;
    m_pressed = kNoItem;
    m_ticks = 0;
    // The held button keeps the mouse with the viewport until it is released.
    viewport()->setCursor(Qt::DragMoveCursor);
    m_scrollTimer.start(kScrollTickMs, this);
}

void CLeftView::dragTo(QPoint position) {
    m_dragPosition = position;
    if (viewport()->rect().contains(position))
        setDropTarget(m_model.itemAt(indexAt(position)));
}

void CLeftView::finishDrag(QPoint position, bool copyEntries) {
    m_scrollTimer.stop();
    viewport()->unsetCursor();
    int dragged = m_dragged;
    m_dragged = kNoItem;
    dragTo(position);
    int target = m_dropTarget;
    setDropTarget(kNoItem);
    if (target == kNoItem)
        return;
    Quiet quiet(*this);
    if (!m_commands.drop(dragged, target, copyEntries)) {
        QApplication::beep();
        Q_EMIT dropRefused();
    }
    showCurrent();
}

void CLeftView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_scrollTimer.timerId()) {
        QTreeView::timerEvent(event);
        return;
    }
    autoScroll();
}

void CLeftView::autoScroll() {
    const int y = m_dragPosition.y();
    const int height = viewport()->height();
    const bool above = y < 0;
    const bool below = y >= height;
    if (!above && !below) {
        m_ticks = 0;
        return;
    }
    ++m_ticks;
    const int beyond = above ? -y : y - height;
    if (beyond <= horizontalScrollBar()->sizeHint().height() && m_ticks % kSlowTicks != 0)
        return;
    QScrollBar* bar = verticalScrollBar();
    bar->triggerAction(above ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    QPoint edge(viewport()->width() / 2, above ? 0 : height - 1);
    QModelIndex visible = indexAt(edge);
    if (!visible.isValid() && below) {
        // Fewer rows than the view is high: the last one shown.
        for (QModelIndex next = indexAt(QPoint(edge.x(), 0)); next.isValid(); next = indexBelow(next))
            visible = next;
    }
    if (visible.isValid())
        setDropTarget(m_model.itemAt(visible));
}

void CLeftView::setDropTarget(int item) {
    if (item == m_dropTarget)
        return;
    m_dropTarget = item;
    viewport()->update();
}

void CLeftView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (m_dropTarget != kNoItem && m_model.itemAt(index) == m_dropTarget) {
        QStyleOptionViewItem highlighted = option;
        painter->fillRect(option.rect, palette().color(QPalette::Highlight).lighter(150));
        highlighted.state |= QStyle::State_MouseOver;
        QTreeView::drawRow(painter, highlighted, index);
        return;
    }
    QTreeView::drawRow(painter, option, index);
}
