#include "app/desktop/form_sheet_dialog.h"

#include <QDialogButtonBox>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/desktop/form_page.h"

namespace {
QScrollArea* scrolled(QWidget* page) {
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}
}  // namespace

FormSheetDialog::FormSheetDialog(const QString& title, std::span<const SheetPage> pages, SettingsBlocks& blocks,
                                 UserMessages& messages, QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_messages(messages) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    if (pages.size() > 1) {
        m_tabs = new QTabWidget(this);
        m_tabs->setObjectName(QStringLiteral("pages"));
        layout->addWidget(m_tabs);
    }
    for (const SheetPage& sheetPage : pages) {
        auto* page = new FormPage(sheetPage.fields);
        page->load(blocks);
        m_pages.push_back(page);
        if (m_tabs)
            m_tabs->addTab(scrolled(page), pageTitle(sheetPage.title));
        else
            layout->addWidget(page);
    }
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &FormSheetDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &FormSheetDialog::reject);
}

QWidget* FormSheetDialog::control(int id) const {
    for (FormPage* page : m_pages)
        if (QWidget* found = page->control(id))
            return found;
    return nullptr;
}

void FormSheetDialog::accept() {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_tabs)
            m_tabs->setCurrentIndex(static_cast<int>(i));
        if (!m_pages[i]->check(m_messages))
            return;
    }
    for (FormPage* page : m_pages)
        page->store(m_blocks);
    QDialog::accept();
}
