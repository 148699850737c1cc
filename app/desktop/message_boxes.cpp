#include "app/desktop/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "imagelib/widgets/message_box_buttons.h"

MessageAnswer MessageBoxes::show(const std::string& text, const std::string& caption, MessageButtons buttons) {
    const bool question = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Warning,
                    caption.empty() ? QApplication::applicationDisplayName() : QString::fromLocal8Bit(caption),
                    QString::fromLocal8Bit(text), standardButtons(buttons), m_parent);
    return answerOf(box.exec());
}
