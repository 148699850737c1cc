#include "app/desktop/appearance_set_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/desktop/update_appearance_set_dialog.h"

CAppearanceSetDlg::CAppearanceSetDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                                     QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_programDir(std::move(programDir)), m_messages(messages),
      m_list(new QListWidget(this)) {
    setWindowTitle(tr("Set Appearance"));
    m_list->setObjectName("appearanceList");
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* label = new QLabel(tr("Appearance Group"), this);
    label->setBuddy(m_list);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* useButton = buttons->addButton(tr("Use"), QDialogButtonBox::ActionRole);
    useButton->setObjectName("useButton");
    useButton->setDefault(true);
    QPushButton* updateButton = buttons->addButton(tr("Update"), QDialogButtonBox::ActionRole);
    updateButton->setObjectName("updateButton");
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(useButton, &QPushButton::clicked, this, &CAppearanceSetDlg::useSet);
    connect(updateButton, &QPushButton::clicked, this, &CAppearanceSetDlg::updateSet);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CAppearanceSetDlg::useSet);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    m_askName = [this](const std::string& suggestedName) -> std::optional<std::string> {
        CUpdateAppearanceSetDlg dialog(suggestedName, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.name();
    };

    m_entries = listAppearanceSets(m_programDir, m_messages);
    fillList();
    const int current = initialAppearanceSelection(m_blocks.general, m_entries);
    if (current != kNoAppearanceSet)
        m_list->setCurrentRow(current);
}

void CAppearanceSetDlg::fillList() {
    m_list->clear();
    for (const AppearanceSetEntry& entry : m_entries)
        m_list->addItem(QString::fromLocal8Bit(entry.name));
}

int CAppearanceSetDlg::selectedEntry() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? kNoAppearanceSet : m_list->row(selected.first());
}

void CAppearanceSetDlg::useSet() {
    if (useAppearanceSet(m_blocks, m_programDir, m_entries, selectedEntry(), m_messages) == 0)
        accept();
}

void CAppearanceSetDlg::updateSet() {
    const int selected = selectedEntry();
    const std::optional<std::string> name =
        m_askName(suggestedAppearanceSetName(m_blocks.appearance, m_entries, selected));
    if (!name)
        return;
    const int slot = updateAppearanceSet(m_blocks, m_programDir, m_entries, selected, *name, m_messages);
    if (slot < 0)
        return;
    fillList();
    m_list->setCurrentRow(slot);
    accept();
}
