#include "app/desktop/ftp_settings_sheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/core/ftp_settings_pages.h"
#include "app/desktop/form_page.h"

CFtpSettingsSheet::CFtpSettingsSheet(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                                     QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_programDir(std::move(programDir)), m_messages(messages) {
    setWindowTitle(tr("FTP settings"));
    m_tabs = new QTabWidget(this);
    for (FtpPage which : kFtpPages) {
        auto* page = new FormPage(ftpPageFields(which), m_tabs);
        page->load(blocks);
        const std::string_view title = ftpPageTitle(which);
        m_tabs->addTab(page, QString::fromLatin1(title.data(), qsizetype(title.size())));
        m_pages.push_back(page);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CFtpSettingsSheet::accept() {
    for (FormPage* page : m_pages) {
        if (!page->check(m_messages)) {
            m_tabs->setCurrentWidget(page);
            return;
        }
    }
    for (FormPage* page : m_pages)
        page->store(m_blocks);
    // A failure to write has been shown; the record keeps what was typed for the next save.
    saveGeneralSettings(m_blocks.general, m_messages, m_programDir);
    QDialog::accept();
}
