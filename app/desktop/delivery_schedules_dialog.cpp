#include "app/desktop/delivery_schedules_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core/list_editing.h"
#include "app/desktop/delivery_details_dialog.h"
#include "imagelib/widgets/record_text.h"
#include "model/paths.h"
#include "model/user_messages.h"

namespace {
constexpr std::uint8_t kDeliveryWithOrderForm = 1u << 1;   // orderFormFlags bit 1
}  // namespace

CDeliverySchedulesDlg::CDeliverySchedulesDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                                             QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_path(join(programDir, kDeliveryFile)), m_messages(messages) {
    setWindowTitle(tr("Delivery Schedules"));
    m_schedules.load(m_path);
    m_list = new QListWidget(this);
    m_list->setObjectName("schedules");
    for (const DeliverySchedule& schedule : m_schedules.schedules())
        m_list->addItem(shownText(schedule.name));
    m_list->setCurrentRow(m_schedules.count() > 0 ? 0 : -1);
    m_include = new QCheckBox(tr("include delivery cost with order form"), this);
    m_include->setObjectName("includeDeliveryCost");
    m_include->setChecked((blocks.general.orderFormFlags & kDeliveryWithOrderForm) != 0);

    auto* listButtons = new QHBoxLayout;
    const std::pair<const char*, void (CDeliverySchedulesDlg::*)()> actions[] = {
        {"New", &CDeliverySchedulesDlg::addSchedule},
        {"Edit", &CDeliverySchedulesDlg::editSchedule},
        {"Delete", &CDeliverySchedulesDlg::removeSchedule},
    };
    for (const auto& [label, act] : actions) {
        auto* button = new QPushButton(tr(label), this);
        button->setObjectName(QString::fromLatin1(label).toLower());
        connect(button, &QPushButton::clicked, this, act);
        listButtons->addWidget(button);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(listButtons);
    layout->addWidget(m_include);
    layout->addWidget(buttons);
}

int CDeliverySchedulesDlg::selectedOrSay() {
    if (m_schedules.count() == 0) {
        m_messages.show("No selections available", "", MessageButtons::Ok);
        return -1;
    }
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_schedules.count() || !m_list->item(row)->isSelected()) {
        m_messages.show("There is no highlighted selection", "", MessageButtons::Ok);
        return -1;
    }
    return row;
}

void CDeliverySchedulesDlg::addSchedule() {
    CDeliveryDetailsDlg details(DeliverySchedule{}, m_messages, this);
    if (details.exec() != QDialog::Accepted)
        return;
    if (m_schedules.add(details.schedule(), m_messages) != DeliveryResult::Done)
        return;
    m_list->addItem(shownText(details.schedule().name));
    m_list->setCurrentRow(m_schedules.count() - 1);
}

void CDeliverySchedulesDlg::editSchedule() {
    const int row = selectedOrSay();
    if (row < 0)
        return;
    CDeliveryDetailsDlg details(m_schedules.schedules()[static_cast<std::size_t>(row)], m_messages, this);
    if (details.exec() != QDialog::Accepted)
        return;
    m_schedules.replace(row, details.schedule());
    m_list->item(row)->setText(shownText(details.schedule().name));
}

void CDeliverySchedulesDlg::removeSchedule() {
    const int row = selectedOrSay();
    if (row < 0)
        return;
    m_schedules.remove(row);
    delete m_list->takeItem(row);
    m_list->setCurrentRow(rowAfterRemoval(row, m_schedules.count()));
}

void CDeliverySchedulesDlg::accept() {
    // The file is optional: one that cannot be written is left as it was.
    m_schedules.save(m_path);
    std::uint8_t flags = m_blocks.general.orderFormFlags;
    flags = static_cast<std::uint8_t>(m_include->isChecked() ? flags | kDeliveryWithOrderForm
                                                             : flags & ~kDeliveryWithOrderForm);
    m_blocks.general.orderFormFlags = static_cast<std::uint8_t>(flags);
    QDialog::accept();
}
