#include "app/desktop/settings_page_widget.h"

#include "app/desktop/record_text.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name, int maxLength = 0) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

}  // namespace

CSettingsPage::CSettingsPage(QWidget* parent) : QWidget(parent) {
    m_title = lineEdit(this, "catalogueTitle", 40);
    m_inputFile = lineEdit(this, "inputFile", 128);
    m_defaultInputDir = lineEdit(this, "defaultInputDir", 128);
    m_homeLink = lineEdit(this, "homeLink", 40);
    m_outputDir = lineEdit(this, "outputDir", 128);
    m_tempOutputDir = lineEdit(this, "tempOutputDir", 128);
    m_previewMaxItems = lineEdit(this, "previewMaxItems", 9);
    m_includeBasket = new QCheckBox(tr("include basket"), this);
    m_includeBasket->setObjectName("includeBasket");
    m_includeOrderForm = new QCheckBox(tr("include order form"), this);
    m_includeOrderForm->setObjectName("includeOrderForm");

    auto* catalogue = new QGroupBox(tr("catalogue"), this);
    auto* catalogueForm = new QFormLayout(catalogue);
    catalogueForm->addRow(tr("catalogue title"), m_title);
    catalogueForm->addRow(tr("input file"), m_inputFile);
    catalogueForm->addRow(tr("default input directory"), m_defaultInputDir);
    catalogueForm->addRow(tr("'home' link"), m_homeLink);
    catalogueForm->addRow(tr("output directory"), m_outputDir);

    auto* preview = new QGroupBox(tr("temporary catalogue"), this);
    auto* previewForm = new QFormLayout(preview);
    previewForm->addRow(tr("output directory"), m_tempOutputDir);
    previewForm->addRow(tr("maximum items"), m_previewMaxItems);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(catalogue);
    layout->addWidget(preview);
    layout->addWidget(m_includeBasket);
    layout->addWidget(m_includeOrderForm);
    layout->addStretch();
}

void CSettingsPage::showValues(const SettingsPageValues& values) {
    m_shown = values;
    m_title->setText(shownText(values.catalogueTitle));
    m_inputFile->setText(shownText(values.inputFile));
    m_defaultInputDir->setText(shownText(values.defaultInputDir));
    m_homeLink->setText(shownText(values.homeLink));
    m_outputDir->setText(shownText(values.outputDir));
    m_tempOutputDir->setText(shownText(values.tempOutputDir));
    m_previewMaxItems->setText(shownText(values.previewMaxItems));
    m_includeBasket->setChecked(values.includeBasket);
    m_includeOrderForm->setChecked(values.includeOrderForm);
}

SettingsPageValues CSettingsPage::values() const {
    SettingsPageValues values;
    values.catalogueTitle = keptText(m_title->text(), m_shown.catalogueTitle);
    values.inputFile = keptText(m_inputFile->text(), m_shown.inputFile);
    values.defaultInputDir = keptText(m_defaultInputDir->text(), m_shown.defaultInputDir);
    values.homeLink = keptText(m_homeLink->text(), m_shown.homeLink);
    values.outputDir = keptText(m_outputDir->text(), m_shown.outputDir);
    values.tempOutputDir = keptText(m_tempOutputDir->text(), m_shown.tempOutputDir);
    values.previewMaxItems = keptText(m_previewMaxItems->text(), m_shown.previewMaxItems);
    values.includeBasket = m_includeBasket->isChecked();
    values.includeOrderForm = m_includeOrderForm->isChecked();
    return values;
}
