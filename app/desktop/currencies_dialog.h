#pragma once
// "Currencies": the main currency in the record, and the alternate
// currencies with their rates, kept in the currency file. OK writes the
// currency file and stores the main currency; Cancel changes nothing.
#include <string>
#include <QDialog>

#include "generator/currency_file.h"
#include "model/settings_store.h"

class FormPage;
class QCheckBox;
class QLineEdit;
class QListWidget;
class UserMessages;

class CCurrenciesDlg : public QDialog {
    Q_OBJECT
public:
    CCurrenciesDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages, QWidget* parent = nullptr);

    void accept() override;

private:
    int selected() const;
    void showEntry(int index);
    void refreshLine(int index);
    void symbolEdited();
    void rateEdited();
    void decimalsFinished();
    void followsToggled(bool follows);
    void add();
    void remove();
    // "Create file": zkaltcurr.js alone, with an upload list of its own.
    void createRatesFile();

    SettingsBlocks& m_blocks;
    std::string m_programDir;
    std::string m_path;
    UserMessages& m_messages;
    CurrencyList m_list;
    bool m_showing = false;   // the boxes are being filled, not edited
    int m_shownRow = -1;      // the entry the boxes show
    FormPage* m_main;
    QCheckBox* m_include;
    QListWidget* m_currencies;
    QLineEdit* m_symbol;
    QLineEdit* m_rate;
    QLineEdit* m_decimals;
    QCheckBox* m_follows;
    QLineEdit* m_text;
};
