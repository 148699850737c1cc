#include "app/desktop/scrolling_text_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/core/custom_colour.h"
#include "app/desktop/colour_picker.h"
#include "imagelib/widgets/record_text.h"

namespace {
QLineEdit* colourEdit(QWidget* parent, const std::string& value) {
    auto* edit = new QLineEdit(shownText(value), parent);
    edit->setMaxLength(15);
    return edit;
}

// A colour box with its "C" button, which picks the colour and writes it as "#rrggbb".
QWidget* withPickerButton(QLineEdit* edit, QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    auto* pick = new QPushButton(QStringLiteral("C"), holder);
    pick->setObjectName(edit->objectName() + QStringLiteral("Pick"));
    pick->setFixedWidth(pick->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 12);
    line->addWidget(edit);
    line->addWidget(pick);
    QObject::connect(pick, &QPushButton::clicked, edit, [edit] {
        const Rgb start = colourOfText(edit->text().toStdString()).value_or(Rgb{});
        if (const std::optional<Rgb> chosen = CColourPicker::pick(start, edit->window()))
            edit->setText(QString::fromStdString(customColourText(*chosen)));
    });
    return holder;
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
    colourForm->addRow(tr("Border"), withPickerButton(m_border, colours));
    colourForm->addRow(tr("Background"), withPickerButton(m_background, colours));
    colourForm->addRow(tr("Text"), withPickerButton(m_textColour, colours));
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
