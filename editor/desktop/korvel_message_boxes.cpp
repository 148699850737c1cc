#include "editor/desktop/korvel_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "imagelib/widgets/record_text.h"
#include "imagelib/widgets/message_box_buttons.h"

namespace {

// Refusals for want of a file, or a file that cannot be made, stop the
// command; the rest warn.
QMessageBox::Icon iconOf(const std::string& caption, MessageButtons buttons) {
    if (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel)
        return QMessageBox::Question;
    if (caption == "File Options" || caption == "Item Tax Types" || caption == "File creation failure")
        return QMessageBox::Critical;
    return QMessageBox::Warning;
}

} // namespace

MessageAnswer KorvelMessageBoxes::show(const std::string& text, const std::string& caption, MessageButtons buttons) {
    QMessageBox box(iconOf(caption, buttons),
                    caption.empty() ? QApplication::applicationDisplayName() : shownText(caption),
                    shownText(text), standardButtons(buttons), m_parent);
    return answerOf(box.exec());
}
