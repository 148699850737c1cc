#include "app/desktop/tax_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core/list_editing.h"
#include "app/core/tax_dialog_rules.h"
#include "imagelib/widgets/record_text.h"
#include "model/paths.h"
#include "model/user_messages.h"

CTaxDlg::CTaxDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages, QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_path(join(programDir, kTaxFile)), m_messages(messages) {
    setWindowTitle(tr("Tax"));
    m_types.load(m_path);
    m_include = new QCheckBox(tr("Include tax on quote/order"), this);
    m_include->setObjectName("includeTax");
    m_include->setChecked(blocks.general.includeTax != 0);
    m_list = new QListWidget(this);
    m_list->setObjectName("taxTypes");
    for (const TaxType& type : m_types.types())
        m_list->addItem(shownText(type.name));
    m_name = new QLineEdit(this);
    m_name->setObjectName("name");
    m_name->setMaxLength(static_cast<int>(kTaxNameMaxLength));
    m_rate = new QLineEdit(this);
    m_rate->setObjectName("rate");
    m_rate->setMaxLength(kTaxRateMaxChars);
    m_useItemRates = new QCheckBox(tr("use item tax rates"), this);
    m_useItemRates->setObjectName("useItemRates");
    auto* newButton = new QPushButton(tr("New"), this);
    newButton->setObjectName("new");
    auto* deleteButton = new QPushButton(tr("Delete"), this);
    deleteButton->setObjectName("delete");

    connect(m_list, &QListWidget::currentRowChanged, this, &CTaxDlg::showType);
    connect(m_name, &QLineEdit::textChanged, this, &CTaxDlg::nameEdited);
    connect(m_rate, &QLineEdit::editingFinished, this, &CTaxDlg::rateFinished);
    connect(m_useItemRates, &QCheckBox::toggled, this, &CTaxDlg::flagToggled);
    connect(newButton, &QPushButton::clicked, this, &CTaxDlg::addType);
    connect(deleteButton, &QPushButton::clicked, this, &CTaxDlg::removeType);

    auto* form = new QFormLayout;
    form->addRow(tr("description"), m_name);
    form->addRow(tr("rate (%)"), m_rate);
    form->addRow(m_useItemRates);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(newButton);
    listButtons->addWidget(deleteButton);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_include);
    layout->addWidget(m_list);
    layout->addLayout(listButtons);
    layout->addLayout(form);
    layout->addWidget(buttons);

    m_list->setCurrentRow(m_types.count() > 0 ? 0 : -1);
    showType(m_list->currentRow());
}

int CTaxDlg::selected() const {
    const int row = m_shownRow;
    return row >= 0 && row < m_types.count() ? row : -1;
}

void CTaxDlg::showType(int index) {
    rateFinished();   // what was typed for the type shown before belongs to it
    m_showing = true;
    m_shownRow = index;
    const bool any = index >= 0 && index < m_types.count();
    m_name->setText(any ? shownText(m_types.name(index)) : QString());
    m_rate->setText(any ? QString::fromStdString(taxRateText(m_types.rate(index))) : QString());
    m_useItemRates->setChecked(any && m_types.useItemRates(index));
    for (QWidget* box : std::initializer_list<QWidget*>{m_name, m_rate, m_useItemRates})
        box->setEnabled(any);
    m_showing = false;
}

void CTaxDlg::nameEdited() {
    const int index = selected();
    if (m_showing || index < 0)
        return;
    m_types.setName(index, keptText(m_name->text(), m_types.name(index)));
    m_list->item(index)->setText(shownText(m_types.name(index)));
}

void CTaxDlg::rateFinished() {
    const int index = selected();
    if (m_showing || index < 0)
        return;
    m_types.setRate(index, typedAmount(m_rate->text().toStdString()));
    m_rate->setText(QString::fromStdString(taxRateText(m_types.rate(index))));
}

void CTaxDlg::flagToggled(bool useItemRates) {
    const int index = selected();
    if (!m_showing && index >= 0)
        m_types.setUseItemRates(index, useItemRates);
}

void CTaxDlg::addType() {
    if (!m_types.append("new", 0.0, false))
        return;
    m_list->addItem(QStringLiteral("new"));
    m_list->setCurrentRow(m_types.count() - 1);
}

void CTaxDlg::removeType() {
    const int index = selected();
    if (index < 0) {
        m_messages.show("There is no highlighted selection", "", MessageButtons::Ok);
        return;
    }
    m_shownRow = -1;
    m_types.remove(index);
    delete m_list->takeItem(index);
    m_list->setCurrentRow(rowAfterRemoval(index, m_types.count()));
    showType(m_list->currentRow());
}

void CTaxDlg::accept() {
    rateFinished();   // a rate still being typed counts as finished
    if (m_types.save(m_path, m_messages) != 0)
        return;
    storeTaxChoices(m_blocks.general, m_types, m_include->isChecked());
    QDialog::accept();
}
