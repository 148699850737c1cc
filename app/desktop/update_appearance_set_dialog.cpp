#include "app/desktop/update_appearance_set_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CUpdateAppearanceSetDlg::CUpdateAppearanceSetDlg(const std::string& suggestedName, QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(QString::fromLocal8Bit(suggestedName), this)) {
    setWindowTitle(tr("Update Appearance Set"));
    m_name->setObjectName("appearanceSetName");
    m_name->selectAll();

    auto* form = new QFormLayout;
    form->addRow(tr("Appearance Set Name"), m_name);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* update = buttons->addButton(tr("Update"), QDialogButtonBox::AcceptRole);
    update->setObjectName("updateButton");
    update->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::string CUpdateAppearanceSetDlg::name() const {
    return m_name->text().toLocal8Bit().toStdString();
}
