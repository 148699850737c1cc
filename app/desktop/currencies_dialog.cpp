#include "app/desktop/currencies_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core/currency_dialog_rules.h"
#include "app/core/list_editing.h"
#include "generator/currency_script.h"
#include "app/desktop/form_page.h"
#include "imagelib/widgets/record_text.h"
#include "model/paths.h"
#include "model/user_messages.h"

CCurrenciesDlg::CCurrenciesDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages, QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_programDir(std::move(programDir)), m_path(join(m_programDir, kCurrencyFile)),
      m_messages(messages) {
    setWindowTitle(tr("Currencies"));
    m_list.load(m_path);
    m_main = new FormPage(mainCurrencyFields(), this);
    m_main->load(blocks);

    auto* alternates = new QGroupBox(tr("alternate currencies"), this);
    m_include = new QCheckBox(tr("include alternate currencies"), alternates);
    m_include->setObjectName("includeAlternates");
    m_include->setChecked(m_list.includeAlternates());
    m_currencies = new QListWidget(alternates);
    m_currencies->setObjectName("currencies");
    for (const CurrencyEntry& entry : m_list.entries())
        m_currencies->addItem(shownText(currencyListLine(entry)));
    m_symbol = new QLineEdit(alternates);
    m_symbol->setObjectName("symbol");
    m_symbol->setMaxLength(static_cast<int>(kCurrencySymbolMaxLength));
    m_rate = new QLineEdit(alternates);
    m_rate->setObjectName("rate");
    m_decimals = new QLineEdit(alternates);
    m_decimals->setObjectName("decimals");
    m_follows = new QCheckBox(tr("follows amount"), alternates);
    m_follows->setObjectName("followsAmount");
    m_text = new QLineEdit(shownText(m_list.text(CurrencyText::Basket)), alternates);
    m_text->setObjectName("currencyText");
    auto* addButton = new QPushButton(tr("Add"), alternates);
    addButton->setObjectName("add");
    auto* deleteButton = new QPushButton(tr("Delete"), alternates);
    deleteButton->setObjectName("delete");
    auto* createButton = new QPushButton(tr("Create file"), alternates);
    createButton->setObjectName("createFile");
    createButton->setToolTip(tr("Write zkaltcurr.js alone into the output directory, to upload new rates"));

    auto* entryForm = new QFormLayout;
    entryForm->addRow(tr("symbol"), m_symbol);
    entryForm->addRow(tr("rate"), m_rate);
    entryForm->addRow(tr("decimal places"), m_decimals);
    entryForm->addRow(m_follows);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(addButton);
    listButtons->addWidget(deleteButton);
    listButtons->addWidget(createButton);
    auto* alternatesLayout = new QVBoxLayout(alternates);
    alternatesLayout->addWidget(m_include);
    alternatesLayout->addWidget(m_currencies);
    alternatesLayout->addLayout(listButtons);
    alternatesLayout->addLayout(entryForm);
    auto* textForm = new QFormLayout;
    textForm->addRow(tr("currency text"), m_text);
    alternatesLayout->addLayout(textForm);

    connect(m_currencies, &QListWidget::currentRowChanged, this, &CCurrenciesDlg::showEntry);
    connect(m_symbol, &QLineEdit::textChanged, this, &CCurrenciesDlg::symbolEdited);
    connect(m_rate, &QLineEdit::textChanged, this, &CCurrenciesDlg::rateEdited);
    connect(m_decimals, &QLineEdit::editingFinished, this, &CCurrenciesDlg::decimalsFinished);
    connect(m_follows, &QCheckBox::toggled, this, &CCurrenciesDlg::followsToggled);
    connect(addButton, &QPushButton::clicked, this, &CCurrenciesDlg::add);
    connect(deleteButton, &QPushButton::clicked, this, &CCurrenciesDlg::remove);
    connect(createButton, &QPushButton::clicked, this, &CCurrenciesDlg::createRatesFile);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_main);
    layout->addWidget(alternates);
    layout->addWidget(buttons);

    m_currencies->setCurrentRow(m_list.count() > 0 ? 0 : -1);
    showEntry(m_currencies->currentRow());
}

int CCurrenciesDlg::selected() const {
    const int row = m_shownRow;
    return row >= 0 && row < m_list.count() ? row : -1;
}

void CCurrenciesDlg::showEntry(int index) {
    decimalsFinished();   // what was typed for the entry shown before belongs to it
    m_showing = true;
    m_shownRow = index;
    const bool any = index >= 0 && index < m_list.count();
    const CurrencyEntry shown = any ? m_list.entries()[static_cast<std::size_t>(index)] : CurrencyEntry{};
    m_symbol->setText(any ? shownText(shown.symbol) : QString());
    m_rate->setText(any ? QString::fromStdString(currencyRateText(shown.rate)) : QString());
    m_decimals->setText(any ? QString::number(shown.decimalPlaces) : QString());
    m_follows->setChecked(shown.followsAmount);
    for (QWidget* box : std::initializer_list<QWidget*>{m_symbol, m_rate, m_decimals, m_follows})
        box->setEnabled(any);
    m_showing = false;
}

void CCurrenciesDlg::refreshLine(int index) {
    if (QListWidgetItem* line = m_currencies->item(index))
        line->setText(shownText(currencyListLine(m_list.entries()[static_cast<std::size_t>(index)])));
}

void CCurrenciesDlg::symbolEdited() {
    const int index = selected();
    if (m_showing || index < 0)
        return;
    m_list.setSymbol(index, keptText(m_symbol->text(), m_list.symbol(index)));
    refreshLine(index);
}

void CCurrenciesDlg::rateEdited() {
    const int index = selected();
    if (m_showing || index < 0)
        return;
    m_list.setRate(index, typedAmount(m_rate->text().toStdString()));
    refreshLine(index);
}

void CCurrenciesDlg::decimalsFinished() {
    const int index = selected();
    if (m_showing || index < 0)
        return;
    m_list.setDecimalPlaces(index, static_cast<long>(typedAmount(m_decimals->text().toStdString())));
    m_decimals->setText(QString::number(m_list.entries()[static_cast<std::size_t>(index)].decimalPlaces));
}

void CCurrenciesDlg::followsToggled(bool follows) {
    const int index = selected();
    if (!m_showing && index >= 0)
        m_list.setFollowsAmount(index, follows);
}

void CCurrenciesDlg::add() {
    if (!m_list.add(newCurrencyEntry()))
        return;
    m_currencies->addItem(shownText(currencyListLine(m_list.entries().back())));
    m_currencies->setCurrentRow(m_list.count() - 1);
}

void CCurrenciesDlg::remove() {
    const int index = selected();
    if (index < 0) {
        m_messages.show("There is no highlighted selection", "", MessageButtons::Ok);
        return;
    }
    m_shownRow = -1;
    m_list.remove(index);
    delete m_currencies->takeItem(index);
    m_currencies->setCurrentRow(rowAfterRemoval(index, m_list.count()));
    showEntry(m_currencies->currentRow());
}

void CCurrenciesDlg::createRatesFile() {
    if (!m_main->check(m_messages))
        return;
    decimalsFinished();
    // The main currency as the dialog shows it, not yet as the record holds it.
    auto shown = std::make_unique<SettingsBlocks>(m_blocks);
    m_main->store(*shown);
    CurrencyList list = m_list;
    list.setText(CurrencyText::Basket, keptText(m_text->text(), m_list.text(CurrencyText::Basket)));
    writeStandaloneAltCurrencyScript(shown->general, list, m_programDir, stderr);
}

void CCurrenciesDlg::accept() {
    if (!m_main->check(m_messages))
        return;
    decimalsFinished();   // a count still being typed counts as finished
    m_list.setIncludeAlternates(m_include->isChecked());
    m_list.setText(CurrencyText::Basket, keptText(m_text->text(), m_list.text(CurrencyText::Basket)));
    if (m_list.save(m_path, m_messages) != 0)
        return;
    m_main->store(m_blocks);
    QDialog::accept();
}
