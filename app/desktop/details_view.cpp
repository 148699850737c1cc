#include "app/desktop/details_view.h"

#include <QPalette>

#include "app/desktop/detail_page.h"

CDetailsView::CDetailsView(CVimraDoc& doc, QWidget* parent) : QScrollArea(parent) {
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(grey);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    m_sheet = new CDetailPage(doc);
    m_sheet->setMinimumSize(330, 620);
    setWidget(m_sheet);
    setWidgetResizable(true);
    m_sheet->load();
}

void CDetailsView::documentChanged(ViewHint hint, const std::string&) {
    if (hint == ViewHint::ReloadAppearance)
        m_sheet->load();
}

void CDetailsView::applySheet() { m_sheet->apply(); }
