// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/catalogue_record.h"
#include "editor/desktop/entry_images.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace {

constexpr int kSide = 16;

void drawItem(QPainter& p) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(250, 250, 235));
    p.drawRect(3, 1, 10, 14);
    p.drawLine(5, 5, 11, 5);
    p.drawLine(5, 8, 11, 8);
    p.drawLine(5, 11, 9, 11);
}

void drawIndex(QPainter& p) {
    p.setPen(QColor(120, 90, 20));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 4, 14, 10);
    p.drawRect(1, 2, 6, 2);
}

void drawPage(QPainter& p) {
    p.setPen(QColor(30, 60, 130));
    p.setBrush(QColor(200, 220, 255));
    p.drawRect(2, 1, 11, 14);
    p.drawLine(2, 4, 13, 4);
}

void drawText(QPainter& p) {
    p.setPen(QPen(QColor(20, 110, 40), 2));
    p.drawLine(3, 3, 13, 3);
    p.drawLine(8, 3, 8, 14);
}

void drawTableStart(QPainter& p) {
    p.setPen(QColor(90, 40, 120));
    p.setBrush(QColor(230, 210, 245));
    p.drawRect(1, 2, 14, 12);
    p.drawLine(1, 6, 15, 6);
    p.drawLine(8, 2, 8, 14);
}

void drawTableEnd(QPainter& p) {
    p.setPen(QPen(QColor(90, 40, 120), 2));
    p.drawLine(2, 13, 14, 13);
    p.drawLine(2, 3, 2, 13);
    p.drawLine(14, 3, 14, 13);
}

void drawDirective(QPainter& p) {
    p.setPen(QPen(QColor(160, 30, 30), 2));
    p.drawLine(4, 2, 4, 10);
    p.drawPoint(4, 13);
    p.drawLine(10, 2, 10, 10);
    p.drawPoint(10, 13);
}

QIcon drawn(void (*draw)(QPainter&)) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

EntryImage entryImageOf(int kind) {
    switch (kind) {
    case korvel::kItem: return EntryImage::Item;
    case korvel::kIndex: return EntryImage::Index;
    case korvel::kPageStart:
    case korvel::kEndPage: return EntryImage::Page;
    case korvel::kIndexText: return EntryImage::Text;
    case korvel::kTableStart: return EntryImage::TableStart;
    case korvel::kEndTable:
    case korvel::kColumns: return EntryImage::TableEnd;
    default: return EntryImage::Directive;
    }
}

const QIcon& entryIcon(EntryImage image) {
    static const std::array<QIcon, 7> icons{drawn(drawItem),       drawn(drawIndex),      drawn(drawPage),
                                            drawn(drawText),       drawn(drawTableStart), drawn(drawTableEnd),
                                            drawn(drawDirective)};
    return icons[static_cast<std::size_t>(image)];
}
