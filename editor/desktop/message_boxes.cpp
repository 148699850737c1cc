#include "editor/desktop/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "editor/desktop/record_text.h"

MessageAnswer KorvelMessageBoxes::show(const std::string& text, const std::string& caption, MessageButtons buttons) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    switch (buttons) {
    case MessageButtons::Ok: break;
    case MessageButtons::OkCancel: shown = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MessageButtons::YesNo: shown = QMessageBox::Yes | QMessageBox::No; break;
    case MessageButtons::YesNoCancel: shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    const bool question = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Warning,
                    caption.empty() ? QApplication::applicationDisplayName() : shownEntryText(caption),
                    shownEntryText(text), shown, m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
    }
}
