#pragma once
// "Update Appearance Set": asks for the name under which the current
// appearance is stored in the library.
#include <QDialog>
#include <string>

class QLineEdit;

class CUpdateAppearanceSetDlg : public QDialog {
    Q_OBJECT
public:
    CUpdateAppearanceSetDlg(const std::string& suggestedName, QWidget* parent = nullptr);

    // The name as typed, in the settings' 8-bit encoding.
    std::string name() const;

private:
    QLineEdit* m_name;
};
