#pragma once
// "Selects Edit": one options list of an item as a list of options, each
// edited as its text and, when price variations are in use, its variation.
// The core's headers first: Qt's "slots" keyword is a name in them.
#include "editor/options_list.h"
#include "model/user_messages.h"

#include <QDialog>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRegularExpressionValidator;

class CSelectsEditDlg : public QDialog {
    Q_OBJECT
public:
    CSelectsEditDlg(const std::string& list, UserMessages& messages, QWidget* parent = nullptr);

    // The options as the list slot holds them, blank ones left out.
    std::string optionsList() const { return korvel::joinOptionsList(m_list); }

private:
    int selectedRow() const;
    korvel::OptionParts partsOf(const std::string& option) const;
    void showSelectedOption();
    void rewriteSelectedOption();
    void setPriceVariations(bool on);
    void addOption();
    void deleteOption();
    void warnIfNothingHighlighted();
    void refreshRow(int row);
    void enableControls();

    korvel::OptionsList m_list;   // in the rows' order
    UserMessages& m_messages;
    QListWidget* m_options;
    QLineEdit* m_text;
    QRegularExpressionValidator* m_textRule;
    QLabel* m_variationCaption;
    QLineEdit* m_variation;
    QCheckBox* m_priceVariations;
    QPushButton* m_delete;
};

// Opens "Selects Edit" on list; OK replaces list with the edited one and
// returns true, Cancel leaves it alone.
bool editOptionsList(QWidget* parent, UserMessages& messages, std::string& list);
