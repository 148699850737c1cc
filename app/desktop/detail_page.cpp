#include "app/desktop/detail_page.h"

#include "app/core/sheet_pages.h"
#include "app/core/vimra_doc.h"
#include "app/desktop/form_page.h"

CDetailPage::CDetailPage(CVimraDoc& doc, QWidget* parent) : QTabWidget(parent), m_doc(doc) {
    m_settings = new FormPage(settingsPageFields(), this);
    addTab(m_settings, tr("Settings"));
    // A path chosen with a "..." button is taken at once.
    connect(m_settings, &FormPage::browsed, this, &CDetailPage::apply);
}

void CDetailPage::load() {
    m_settings->load(m_doc.settings());
    apply();
}

void CDetailPage::apply() {
    m_settings->store(m_doc.settings());
    m_doc.saveAppearanceAndGeneral();
}
