#pragma once
// The folder picker: a file dialog that browses folders only, with its own
// "Folder:" box that follows the folder shown and a "Select" button that
// checks the typed folder (and offers to create a missing one) before closing.
#include <QFileDialog>
#include <optional>
#include <string>

#include "model/user_messages.h"

class QLineEdit;
class QPushButton;

class CFolderPicker : public QFileDialog {
    Q_OBJECT
public:
    // Paths are 8-bit bytes as the settings hold them.
    CFolderPicker(const std::string& title, const std::string& start, UserMessages& messages,
                  QWidget* parent = nullptr);

    // The folder accepted by Select, at most as long as a folder field.
    const std::string& chosenFolder() const { return m_chosen; }

public slots:
    // Every way the dialog would close with a choice comes through Select.
    void accept() override;

private:
    void placeOwnControls();
    std::string shownFolder() const;

    std::string m_title;
    UserMessages& m_messages;
    QLineEdit* m_folder;
    QPushButton* m_select;
    std::string m_chosen;
};

// Opens the picker on start; the chosen folder after Select, nothing after Cancel.
std::optional<std::string> browseFolder(const std::string& title, const std::string& start, UserMessages& messages,
                                        QWidget* parent);
