#pragma once
// "Tax": whether tax is included, and the tax types kept in the tax file.
// OK writes the tax file and copies the first type into the record; Cancel
// changes nothing.
#include <string>
#include <QDialog>

#include "generator/tax_file.h"
#include "model/settings_store.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class UserMessages;

class CTaxDlg : public QDialog {
    Q_OBJECT
public:
    CTaxDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages, QWidget* parent = nullptr);

    void accept() override;

private:
    int selected() const;
    void showType(int index);
    void nameEdited();
    void rateFinished();
    void flagToggled(bool useItemRates);
    void addType();
    void removeType();

    SettingsBlocks& m_blocks;
    std::string m_path;
    UserMessages& m_messages;
    TaxTypes m_types;
    bool m_showing = false;   // the boxes are being filled, not edited
    int m_shownRow = -1;      // the type the boxes show
    QCheckBox* m_include;
    QListWidget* m_list;
    QLineEdit* m_name;
    QLineEdit* m_rate;
    QCheckBox* m_useItemRates;
};
