#pragma once
// The editor's messages and questions (among them "Save Changes" when the
// window closes) as modal message boxes over a window of the program.
#include <QPointer>
#include <QWidget>

#include "model/user_messages.h"

class KorvelMessageBoxes : public UserMessages {
public:
    explicit KorvelMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    MessageAnswer show(const std::string& text, const std::string& caption, MessageButtons buttons) override;

private:
    QPointer<QWidget> m_parent;
};
