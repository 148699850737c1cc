#pragma once
// The document's dialogs as windows, for the commands over the document.
// Kept apart from the dialog classes: the core's headers cannot follow Qt's
// in the files moc writes, as Qt's "slots" keyword is a name there.
#include "editor/commands.h"

class QWidget;

// The document dialogs over parent; the file dialogs, the form and the
// views are left to the window that derives from it.
class KorvelDocumentDialogs : public korvel::KorvelDialogs {
public:
    explicit KorvelDocumentDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setDialogParent(QWidget* parent) { m_parent = parent; }
    bool editOptionalFields(korvel::OptionalFieldsInput& fields) override;
    bool editTaxTypes(korvel::TaxTypesInput& taxTypes) override;
    bool editMetaTags(std::string& text) override;
    bool editStartItemPage(korvel::StartItemPageInput& page) override;

private:
    QWidget* m_parent;
};
