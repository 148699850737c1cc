#pragma once
// The editor's messages as modal message boxes over its main window.
#include "model/user_messages.h"

#include <QPointer>
#include <QWidget>

class KorvelMessageBoxes : public UserMessages {
public:
    void setParent(QWidget* parent) { m_parent = parent; }
    MessageAnswer show(const std::string& text, const std::string& caption, MessageButtons buttons) override;

private:
    QPointer<QWidget> m_parent;
};
