#pragma once
// "FTP settings": one page per upload target (catalogue, search, order form).
// OK stores the pages and writes the general block (ZK002.dat); Cancel
// changes nothing.
#include <string>

#include "app/desktop/form_sheet_dialog.h"

class CFtpSettingsSheet : public FormSheetDialog {
    Q_OBJECT
public:
    CFtpSettingsSheet(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                      QWidget* parent = nullptr);

    void accept() override;

private:
    SettingsBlocks& m_blocks;
    std::string m_programDir;
    UserMessages& m_messages;
};
