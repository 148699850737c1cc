#pragma once
// The core's messages as modal message boxes over a window of the program.
#include <QPointer>
#include <QWidget>

#include "model/user_messages.h"

class MessageBoxes : public UserMessages {
public:
    explicit MessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    MessageAnswer show(const std::string& text, const std::string& caption, MessageButtons buttons) override;

private:
    QPointer<QWidget> m_parent;
};
