#include "app/desktop/ftp_settings_sheet.h"

#include <memory>

#include "app/core/ftp_settings_pages.h"
#include "app/desktop/form_page.h"
#include "app/desktop/remote_folder_dialog.h"
#include "model/paths.h"

namespace {

// The page's server as typed, with the page's own conversions, before OK
// stores it.
struct TypedServer {
    FtpEndpoint endpoint;
    std::string serverDirectory;
};

TypedServer typedServer(const FormPage& page, int target, const SettingsBlocks& blocks) {
    auto typed = std::make_unique<SettingsBlocks>(blocks);
    page.store(*typed);
    const FtpTarget& stored = typed->general.ftpTargets[target];
    FtpEndpoint endpoint{std::string(fieldText(stored.host)), stored.port > 0 ? stored.port : 21,
                         std::string(fieldText(stored.userName)), std::string(fieldText(stored.password))};
    return {std::move(endpoint), std::string(fieldText(stored.serverDirectory))};
}

}  // namespace

CFtpSettingsSheet::CFtpSettingsSheet(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                                     QWidget* parent)
    : FormSheetDialog(tr("FTP settings"), ftpSheetPages(), blocks, messages, parent), m_blocks(blocks),
      m_programDir(std::move(programDir)), m_messages(messages) {
    for (int i = 0; i < pageCount(); ++i) {
        FormPage* formPage = page(i);
        formPage->setBrowse([this, formPage, i](const FormField& field, const std::string&) {
            if (field.kind != FormControl::RemoteFolder)
                return std::optional<std::string>();
            const TypedServer server = typedServer(*formPage, i, m_blocks);
            return CRemoteDirDlg::choose(server.endpoint, server.serverDirectory, m_messages, this);
        });
    }
}

void CFtpSettingsSheet::accept() {
    FormSheetDialog::accept();
    // Stored only when every page passed its checks; a failure to write has
    // been shown, and the record keeps what was typed for the next save.
    if (result() == QDialog::Accepted)
        saveGeneralSettings(m_blocks.general, m_messages, m_programDir);
}
