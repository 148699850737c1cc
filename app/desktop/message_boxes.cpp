#include "app/desktop/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons standardButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
    }
}

}  // namespace

MessageAnswer MessageBoxes::show(const std::string& text, const std::string& caption, MessageButtons buttons) {
    const bool question = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Warning,
                    caption.empty() ? QApplication::applicationDisplayName() : QString::fromLocal8Bit(caption),
                    QString::fromLocal8Bit(text), standardButtons(buttons), m_parent);
    return answerOf(box.exec());
}
