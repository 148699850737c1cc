#pragma once
// Answers a modal dialog that the code under test runs with exec(): once a
// visible window of type T appears, answer gets it. A dialog that answer
// leaves open (a check in it failed), or that never appears within the wait,
// is rejected, so a failing test ends instead of waiting for a click.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>

// ready, when given, must also hold before the dialog is answered (a dialog
// that does its first work after it is shown).
template <typename T>
void whenDialogOpens(std::function<void(T*)> answer, int waitMs = 5000,
                     std::function<bool(const T*)> ready = {}) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    const QDeadlineTimer deadline(waitMs);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, deadline, ready] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<T*>(widget);
            if (dialog && dialog->isVisible() && (!ready || ready(dialog))) {
                timer->stop();
                timer->deleteLater();
                answer(dialog);
                if (dialog->isVisible())
                    dialog->reject();
                return;
            }
        }
        if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<T*>(widget))
                    dialog->reject();
        }
    });
    timer->start();
}

// A named control of a window; a warning names the control when it is missing.
template <typename Control>
Control* child(QWidget* parent, const char* name) {
    auto* found = parent->findChild<Control*>(name);
    if (!found)
        qWarning("no control %s", name);
    return found;
}
