#include "app/desktop/ftp_settings_sheet.h"

#include "app/core/ftp_settings_pages.h"

CFtpSettingsSheet::CFtpSettingsSheet(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                                     QWidget* parent)
    : FormSheetDialog(tr("FTP settings"), ftpSheetPages(), blocks, messages, parent), m_blocks(blocks),
      m_programDir(std::move(programDir)), m_messages(messages) {}

void CFtpSettingsSheet::accept() {
    FormSheetDialog::accept();
    // Stored only when every page passed its checks; a failure to write has
    // been shown, and the record keeps what was typed for the next save.
    if (result() == QDialog::Accepted)
        saveGeneralSettings(m_blocks.general, m_messages, m_programDir);
}
