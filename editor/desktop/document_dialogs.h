#pragma once
// The dialogs of the file's own settings: optional fields, item tax types,
// META text and the start item page. Each starts with the values it is
// given and stores them back on OK only; the document's commands check and
// apply them.
// The core's headers come before Qt's, whose "slots" keyword they use as a name.
#include "editor/commands.h"

#include <QDialog>
#include <array>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// "Catalogue Options": code and unit captions, the four options captions, the character set.
class COptionalFieldsDlg : public QDialog {
    Q_OBJECT
public:
    COptionalFieldsDlg(korvel::OptionalFieldsInput& fields, QWidget* parent = nullptr);
    void accept() override;

private:
    korvel::OptionalFieldsInput& m_fields;
    QLineEdit* m_code;
    QLineEdit* m_unit;
    std::array<QLineEdit*, korvel::kCaptionCount> m_captions{};
    QLineEdit* m_charset;
};

// "Item Tax Types": seven titles with their rates in percent.
class CItemTaxTypesDlg : public QDialog {
    Q_OBJECT
public:
    CItemTaxTypesDlg(korvel::TaxTypesInput& taxTypes, QWidget* parent = nullptr);
    void accept() override;

private:
    korvel::TaxTypesInput& m_taxTypes;
    std::array<QLineEdit*, korvel::kTaxTypeCount> m_titles{};
    std::array<QLineEdit*, korvel::kTaxTypeCount> m_rates{};
};

// "Meta Tags": the META text in a multi-line box.
class CMetaTagsDlg : public QDialog {
    Q_OBJECT
public:
    CMetaTagsDlg(std::string& text, QWidget* parent = nullptr);
    void accept() override;

private:
    std::string& m_text;
    QPlainTextEdit* m_box;
};

// "Start Item Page": the first catalogue item, none, or a named item.
class CStartItemPageDlg : public QDialog {
    Q_OBJECT
public:
    CStartItemPageDlg(korvel::StartItemPageInput& page, QWidget* parent = nullptr);
    void accept() override;

private:
    korvel::StartItemPageInput& m_page;
    std::array<QRadioButton*, 3> m_modes{};
    QLineEdit* m_name;
};

// The document dialogs shown as windows over parent; the file dialogs, the
// form and the views are left to the window that derives from it.
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
