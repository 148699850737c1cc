#pragma once
// "Set Appearance": the named sets of the library zkas.dat. Use copies the
// highlighted set into the appearance block; Update stores the current
// appearance under a name. Either closes the dialog with Accepted, after
// which the appearance block holds the set to show.
#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/appearance_sets.h"
#include "model/settings_store.h"
#include "model/user_messages.h"

class QListWidget;

class CAppearanceSetDlg : public QDialog {
    Q_OBJECT
public:
    // Asks for the name for Update, offering suggestedName; nothing on Cancel.
    using NameAsker = std::function<std::optional<std::string>(const std::string& suggestedName)>;

    CAppearanceSetDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                      QWidget* parent = nullptr);

    // The name is asked with the "Update Appearance Set" dialog unless another asker is given.
    void setNameAsker(NameAsker asker) { m_askName = std::move(asker); }

private:
    void useSet();
    void updateSet();
    int selectedEntry() const;
    void fillList();

    SettingsBlocks& m_blocks;
    std::string m_programDir;
    UserMessages& m_messages;
    std::vector<AppearanceSetEntry> m_entries;
    QListWidget* m_list;
    NameAsker m_askName;
};
