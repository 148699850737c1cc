#include "app/desktop/scrolling_text_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/desktop/record_text.h"

namespace {
QLineEdit* colourEdit(QWidget* parent, const std::string& value) {
    auto* edit = new QLineEdit(shownText(value), parent);
    edit->setMaxLength(15);
    return edit;
}
}  // namespace

CScrollingTextDlg::CScrollingTextDlg(const ScrollingTextForm& form, QWidget* parent)
    : QDialog(parent), m_shown(form) {
    setWindowTitle(tr("Scrolling Text"));
    m_text = new QPlainTextEdit(shownText(form.text), this);
    m_text->setObjectName("text");
    m_border = colourEdit(this, form.borderColour);
    m_border->setObjectName("border");
    m_background = colourEdit(this, form.backgroundColour);
    m_background->setObjectName("background");
    m_textColour = colourEdit(this, form.textColour);
    m_textColour->setObjectName("textColour");
    m_width = new QLineEdit(shownText(form.width), this);
    m_width->setObjectName("width");
    m_height = new QLineEdit(shownText(form.height), this);
    m_height->setObjectName("height");
    m_headerFrame = new QRadioButton(tr("header frame"), this);
    m_topIndex = new QRadioButton(tr("top index"), this);
    (form.placement == TickerPlacement::TopIndex ? m_topIndex : m_headerFrame)->setChecked(true);
    m_include = new QCheckBox(tr("include scrolling text"), this);
    m_include->setObjectName("include");
    m_include->setChecked(form.includeTicker);

    auto* colours = new QGroupBox(tr("colours"), this);
    auto* colourForm = new QFormLayout(colours);
    colourForm->addRow(tr("Border"), m_border);
    colourForm->addRow(tr("Background"), m_background);
    colourForm->addRow(tr("Text"), m_textColour);
    auto* size = new QGroupBox(tr("size"), this);
    auto* sizeForm = new QFormLayout(size);
    sizeForm->addRow(tr("width"), m_width);
    sizeForm->addRow(tr("height"), m_height);
    auto* placement = new QGroupBox(tr("placement"), this);
    auto* placementLayout = new QVBoxLayout(placement);
    placementLayout->addWidget(m_headerFrame);
    placementLayout->addWidget(m_topIndex);

    auto* row = new QHBoxLayout;
    row->addWidget(colours);
    row->addWidget(size);
    row->addWidget(placement);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_text);
    layout->addWidget(m_include);
    layout->addWidget(buttons);
}

ScrollingTextForm CScrollingTextDlg::form() const {
    ScrollingTextForm form = m_shown;
    form.text = keptText(m_text->toPlainText(), m_shown.text);
    form.borderColour = keptText(m_border->text(), m_shown.borderColour);
    form.backgroundColour = keptText(m_background->text(), m_shown.backgroundColour);
    form.textColour = keptText(m_textColour->text(), m_shown.textColour);
    form.width = keptText(m_width->text(), m_shown.width);
    form.height = keptText(m_height->text(), m_shown.height);
    form.placement = m_topIndex->isChecked() ? TickerPlacement::TopIndex : TickerPlacement::HeaderFrame;
    form.includeTicker = m_include->isChecked();
    return form;
}
