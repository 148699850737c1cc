#include "editor/desktop/document_dialogs_window.h"

#include "editor/desktop/document_dialogs.h"

bool KorvelDocumentDialogs::editOptionalFields(korvel::OptionalFieldsInput& fields) {
    return COptionalFieldsDlg(fields, m_parent).exec() == QDialog::Accepted;
}

bool KorvelDocumentDialogs::editTaxTypes(korvel::TaxTypesInput& taxTypes) {
    return CItemTaxTypesDlg(taxTypes, m_parent).exec() == QDialog::Accepted;
}

bool KorvelDocumentDialogs::editMetaTags(std::string& text) {
    return CMetaTagsDlg(text, m_parent).exec() == QDialog::Accepted;
}

bool KorvelDocumentDialogs::editStartItemPage(korvel::StartItemPageInput& page) {
    return CStartItemPageDlg(page, m_parent).exec() == QDialog::Accepted;
}
