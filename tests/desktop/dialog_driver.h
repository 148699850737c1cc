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

template <typename T>
void whenDialogOpens(std::function<void(T*)> answer, int waitMs = 5000) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    const QDeadlineTimer deadline(waitMs);
    QObject::connect(timer, &QTimer::timeout, [timer, answer, deadline] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<T*>(widget);
            if (dialog && dialog->isVisible()) {
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
        }
    });
    timer->start();
}
