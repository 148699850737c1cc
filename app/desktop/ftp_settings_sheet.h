#pragma once
// "FTP settings": one page per upload target (catalogue, search, order form).
// OK stores the pages and writes the general block (ZK002.dat); Cancel
// changes nothing.
#include <string>
#include <vector>
#include <QDialog>

#include "model/settings_store.h"

class FormPage;
class QTabWidget;
class UserMessages;

class CFtpSettingsSheet : public QDialog {
    Q_OBJECT
public:
    CFtpSettingsSheet(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                      QWidget* parent = nullptr);

    void accept() override;

private:
    SettingsBlocks& m_blocks;
    std::string m_programDir;
    UserMessages& m_messages;
    QTabWidget* m_tabs;
    std::vector<FormPage*> m_pages;
};
