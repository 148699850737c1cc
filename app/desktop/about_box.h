#pragma once
// The about box, with its ticker line typed out by a timer.
#include <QDialog>

#include "app/core/about_ticker.h"

class QLabel;
class QTimer;

class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);
    QString tickerText() const;

private:
    void step();

    AboutTicker m_ticker;
    QLabel* m_line;
    QTimer* m_timer;
};
