#include "app/desktop/detail_page.h"

#include <QScrollArea>

#include "app/core/sheet_pages.h"
#include "app/core/vimra_doc.h"
#include "app/desktop/form_page.h"

CDetailPage::CDetailPage(CVimraDoc& doc, QWidget* parent) : QTabWidget(parent), m_doc(doc) {
    for (const SheetPage& sheetPage : appearanceSheetPages()) {
        auto* page = new FormPage(sheetPage.fields);
        auto* area = new QScrollArea(this);
        area->setWidget(page);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        addTab(area, pageTitle(sheetPage.title));
        m_pages.push_back(page);
        // A path chosen with a "..." button is taken at once.
        connect(page, &FormPage::browsed, this, &CDetailPage::apply);
    }
}

void CDetailPage::load() {
    for (FormPage* page : m_pages)
        page->load(m_doc.settings());
    apply();
}

void CDetailPage::apply() {
    for (FormPage* page : m_pages)
        page->store(m_doc.settings());
    m_doc.saveAppearanceAndGeneral();
}
