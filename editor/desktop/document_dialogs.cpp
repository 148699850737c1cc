// The core's headers first: Qt's "slots" keyword is a name in them.
#include "editor/commands.h"

#include "editor/desktop/document_dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "imagelib/widgets/record_text.h"

namespace {

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QLineEdit* textBox(const std::string& value, QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(shownText(value), parent);
    box->setObjectName(name);
    return box;
}

void takeText(const QLineEdit* box, std::string& value) { value = keptText(box->text(), value); }

} // namespace

COptionalFieldsDlg::COptionalFieldsDlg(korvel::OptionalFieldsInput& fields, QWidget* parent)
    : QDialog(parent), m_fields(fields), m_code(textBox(fields.code, this, QStringLiteral("code"))),
      m_unit(textBox(fields.unit, this, QStringLiteral("unit"))),
      m_charset(textBox(fields.charset, this, QStringLiteral("charset"))) {
    setWindowTitle(QStringLiteral("Catalogue Options"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Code"), m_code);
    form->addRow(QStringLiteral("Unit"), m_unit);
    for (std::size_t i = 0; i < fields.captions.size(); ++i) {
        QLineEdit* caption = textBox(fields.captions[i], this, QStringLiteral("caption%1").arg(i + 1));
        caption->setMaxLength(static_cast<int>(korvel::kCaptionLength));
        form->addRow(QString::number(i + 1), caption);
        m_captions.append(caption);
    }
    form->addRow(QStringLiteral("charset"), m_charset);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

void COptionalFieldsDlg::accept() {
    takeText(m_code, m_fields.code);
    takeText(m_unit, m_fields.unit);
    for (std::size_t i = 0; i < m_fields.captions.size(); ++i)
        takeText(m_captions[static_cast<qsizetype>(i)], m_fields.captions[i]);
    takeText(m_charset, m_fields.charset);
    QDialog::accept();
}

CItemTaxTypesDlg::CItemTaxTypesDlg(korvel::TaxTypesInput& taxTypes, QWidget* parent)
    : QDialog(parent), m_taxTypes(taxTypes) {
    setWindowTitle(QStringLiteral("Item Tax Types"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Title"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Rate (%)"), this), 0, 2);
    for (std::size_t i = 0; i < taxTypes.titles.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        QLineEdit* title = textBox(taxTypes.titles[i], this, QStringLiteral("title%1").arg(row));
        QLineEdit* rate = textBox(taxTypes.rates[i], this, QStringLiteral("rate%1").arg(row));
        grid->addWidget(new QLabel(QString::number(row), this), row, 0);
        grid->addWidget(title, row, 1);
        grid->addWidget(rate, row, 2);
        m_titles.append(title);
        m_rates.append(rate);
        connect(rate, &QLineEdit::editingFinished, this, [title, rate] {
            rate->setText(QString::fromStdString(
                korvel::normaliseRateText(title->text().toStdString(), rate->text().toStdString())));
        });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(okCancel(this));
}

void CItemTaxTypesDlg::accept() {
    for (std::size_t i = 0; i < m_taxTypes.titles.size(); ++i) {
        const auto row = static_cast<qsizetype>(i);
        takeText(m_titles[row], m_taxTypes.titles[i]);
        m_taxTypes.rates[i] = m_rates[row]->text().toStdString();
    }
    QDialog::accept();
}

CMetaTagsDlg::CMetaTagsDlg(std::string& text, QWidget* parent)
    : QDialog(parent), m_text(text), m_box(new QPlainTextEdit(shownText(text), this)) {
    setWindowTitle(QStringLiteral("Meta Tags"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_box);
    layout->addWidget(okCancel(this));
    resize(480, 240);
}

void CMetaTagsDlg::accept() {
    m_text = keptText(m_box->toPlainText(), m_text);
    QDialog::accept();
}

CStartItemPageDlg::CStartItemPageDlg(korvel::StartItemPageInput& page, QWidget* parent)
    : QDialog(parent), m_page(page), m_name(textBox(page.name, this, QStringLiteral("name"))) {
    setWindowTitle(QStringLiteral("Start Item Page"));
    m_name->setMaxLength(static_cast<int>(korvel::kFirstItemNameLength));
    const char* const labels[] = {"First Catalogue Item", "None", "Specified"};
    auto* group = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    for (const char* label : labels) {
        auto* choice = new QRadioButton(QString::fromLatin1(label), this);
        group->addButton(choice);
        layout->addWidget(choice);
        m_modes.append(choice);
    }
    const bool known = page.mode >= korvel::kFirstCatalogueItem && page.mode <= korvel::kNamedFirstItem;
    m_modes[known ? page.mode : korvel::kFirstCatalogueItem]->setChecked(true);
    layout->addWidget(m_name);
    layout->addWidget(okCancel(this));
}

void CStartItemPageDlg::accept() {
    for (qsizetype mode = 0; mode < m_modes.size(); ++mode)
        if (m_modes[mode]->isChecked())
            m_page.mode = static_cast<int>(mode);
    takeText(m_name, m_page.name);
    QDialog::accept();
}
