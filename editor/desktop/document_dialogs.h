#pragma once
// The dialogs of the file's own settings: optional fields, item tax types,
// META text and the start item page. Each starts with the values it is
// given and stores them back on OK only; the document's commands check and
// apply them.
#include <QDialog>
#include <QList>
#include <string>

namespace korvel {
struct OptionalFieldsInput;
struct TaxTypesInput;
struct StartItemPageInput;
} // namespace korvel

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
    QList<QLineEdit*> m_captions;
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
    QList<QLineEdit*> m_titles;
    QList<QLineEdit*> m_rates;
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
    QList<QRadioButton*> m_modes;   // by first-item mode
    QLineEdit* m_name;
};
