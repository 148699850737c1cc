#include "app/desktop/about_box.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Vimra"));
    auto* title = new QLabel(tr("<b>Vimra3</b><br>Web catalogues with a shopping basket, from your product list."), this);
    m_line = new QLabel(this);
    m_line->setObjectName("ticker");
    QFont courier(QStringLiteral("courier new"));
    courier.setStyleHint(QFont::Courier);
    courier.setPointSize(12);
    m_line->setFont(courier);
    m_line->setMinimumWidth(QFontMetrics(courier).horizontalAdvance(QString(56, QLatin1Char('M'))));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_line);
    layout->addWidget(buttons);

    // The timer belongs to the box: closing the box ends the animation.
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &CAboutBox::step);
    step();
}

QString CAboutBox::tickerText() const { return m_line->text(); }

void CAboutBox::step() {
    const TickerFrame frame = m_ticker.next();
    m_line->setText(QString::fromLatin1(frame.text));
    m_timer->start(frame.pauseMs);
}
