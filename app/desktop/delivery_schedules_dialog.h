#pragma once
// "Delivery Schedules": the schedules of the delivery file by name, with
// New, Edit and Delete, and whether the delivery cost goes with the order
// form. OK writes the delivery file and stores the flag; Cancel changes nothing.
#include <string>
#include <QDialog>

#include "generator/delivery_file.h"
#include "model/settings_store.h"

class QCheckBox;
class QListWidget;
class UserMessages;

class CDeliverySchedulesDlg : public QDialog {
    Q_OBJECT
public:
    CDeliverySchedulesDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                          QWidget* parent = nullptr);

    void accept() override;

private:
    // The selected row; -1 after telling the user there is none.
    int selectedOrSay();
    void addSchedule();
    void editSchedule();
    void removeSchedule();

    SettingsBlocks& m_blocks;
    std::string m_path;
    UserMessages& m_messages;
    DeliverySchedules m_schedules;
    QListWidget* m_list;
    QCheckBox* m_include;
};
