#include "editor/desktop/description_editor.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <QTextEdit>

#include "editor/desktop/description_highlighter.h"
#include "imagelib/widgets/record_text.h"

namespace {

const char* const kRectangleKey = "Item Description/rectangle";

QString shownDescription(const std::string& text) {
    QString shown = shownText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

CDescriptionDlg::CDescriptionDlg(const std::string& text, QWidget* parent)
    : QDialog(parent), m_original(text), m_box(new QTextEdit(this)), m_highlighter(new DescriptionHighlighter(this)),
      m_ok(new QPushButton(tr("OK"), this)), m_cancel(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(QStringLiteral("Item Description"));
    setSizeGripEnabled(true);
    setMinimumSize(200, 100);
    resize(500, 350);

    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    m_box->setFont(font);
    m_box->setAcceptRichText(false);
    m_box->setLineWrapMode(QTextEdit::WidgetWidth);
    QPalette palette = m_box->palette();
    palette.setColor(QPalette::Base, QColor(250, 250, 242));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    m_box->setPalette(palette);

    for (const DescriptionTag& tag : kDescriptionTags) {
        auto* button = new QPushButton(QString::fromLatin1(tag.label), this);
        button->setFocusPolicy(Qt::NoFocus);
        const QString insertion = QString::fromLatin1(tag.insertion);
        connect(button, &QPushButton::clicked, this, [this, insertion] { insertDescriptionTag(m_box, insertion); });
        m_tagButtons.append(button);
    }
    m_ok->setDefault(false);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    const QRect remembered = QSettings().value(QString::fromLatin1(kRectangleKey)).toRect();
    if (remembered.isValid())
        setGeometry(remembered);

    m_box->setUpdatesEnabled(false);
    m_box->setPlainText(shownDescription(text));
    m_highlighter->colourWholeText(m_box->document());
    m_box->setUpdatesEnabled(true);
    m_box->moveCursor(QTextCursor::Start);
    m_box->document()->setModified(false);
    m_box->document()->clearUndoRedoStacks();
    m_box->setFocus();
    layOut();
}

std::optional<std::string> CDescriptionDlg::edit(const std::string& text, QWidget* parent) {
    CDescriptionDlg dialog(text, parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.changed())
        return std::nullopt;
    return dialog.text();
}

bool CDescriptionDlg::changed() const { return m_box->document()->isModified(); }

std::string CDescriptionDlg::text() const {
    QString shown = m_box->toPlainText();
    if (shown == shownDescription(m_original))
        return m_original;
    shown.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::string bytes = keptText(shown, std::string());
    if (bytes.size() > kMaxDescriptionLength) {
        bytes.resize(kMaxDescriptionLength);
        if (bytes.back() == '\r')   // never half a line break
            bytes.pop_back();
    }
    return bytes;
}

void CDescriptionDlg::layOut() {
    const int width = this->width();
    const int height = this->height();
    m_box->setGeometry(10, 10, width - 20, height - 45);
    m_cancel->setGeometry(width - 65, height - 25, 55, 20);
    m_ok->setGeometry(width - 125, height - 25, 55, 20);
    int x = 10;
    for (QPushButton* button : m_tagButtons) {
        button->setGeometry(x, height - 25, 34, 20);
        x += 34;
    }
}

void CDescriptionDlg::rememberRectangle() { QSettings().setValue(QString::fromLatin1(kRectangleKey), geometry()); }

void CDescriptionDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
    if (isVisible())
        rememberRectangle();
}

void CDescriptionDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    rememberRectangle();
}
