#include "app/desktop/detail_page.h"

#include "app/core/settings_page.h"
#include "app/core/vimra_doc.h"
#include "app/desktop/settings_page_widget.h"

CDetailPage::CDetailPage(CVimraDoc& doc, QWidget* parent) : QTabWidget(parent), m_doc(doc) {
    m_settings = new CSettingsPage(this);
    addTab(m_settings, tr("Settings"));
}

void CDetailPage::load() {
    m_settings->showValues(loadSettingsPage(m_doc.settings().general));
    apply();
}

void CDetailPage::apply() {
    storeSettingsPage(m_settings->values(), m_doc.settings().general);
    m_doc.saveAppearanceAndGeneral();
}
