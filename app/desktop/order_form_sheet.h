#pragma once
// "Order form details": the CGI form, the default form's address and closing
// text, the custom form and the on-line payment providers. OK stores the
// pages into the record and writes the order text file; Cancel changes nothing.
#include <array>
#include <string>
#include <QDialog>

#include "app/core/order_form_sheet_pages.h"

class FormPage;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class UserMessages;

class COrderFormSheet : public QDialog {
    Q_OBJECT
public:
    COrderFormSheet(SettingsBlocks& blocks, std::string programDir, UserMessages& messages, QWidget* parent = nullptr);

    void accept() override;

private:
    QWidget* makeTextPage();
    QWidget* makePaymentPage();

    SettingsBlocks& m_blocks;
    std::string m_programDir;
    UserMessages& m_messages;
    QTabWidget* m_tabs;
    FormPage* m_cgi;
    FormPage* m_custom;
    FormPage* m_payment;
    OrderTextPage m_shownText;
    std::array<QLineEdit*, kOrderTextPageLines> m_lines{};
    QPlainTextEdit* m_text = nullptr;
    std::array<QCheckBox*, kPaymentProviders> m_providers{};
};
