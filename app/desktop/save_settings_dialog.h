#pragma once
// The file dialog of Save Settings and Retrieve Settings, with the archive's
// comment, a note on what an archive holds and the selected archive's date
// below the file controls; and the two commands around it. The rules for
// names, folders and archives are those of app/core/settings_archive_commands.h:
// the dialog only shows and collects.
#include <QFileDialog>
#include <string>
#include <string_view>

#include "model/settings_store.h"
#include "model/user_messages.h"

class QLabel;
class QPlainTextEdit;

enum class ArchiveDialogMode { Save, Retrieve };

class CSaveSettingsDlg : public QFileDialog {
    Q_OBJECT
public:
    // archivePath: the last archive saved or retrieved; the dialog starts in its folder.
    CSaveSettingsDlg(ArchiveDialogMode mode, std::string_view archivePath, UserMessages& messages,
                     QWidget* parent = nullptr);

    // The chosen file as the file system names it.
    std::string selectedPath() const;
    // The comment box's text in the settings' 8-bit encoding.
    std::string comment() const;

    // Saving over an existing archive asks first; retrieving takes only an
    // archive of an accepted version. Either way the dialog stays open otherwise.
    void accept() override;

private:
    void showSelection(const QString& path);

    ArchiveDialogMode m_mode;
    UserMessages& m_messages;
    QPlainTextEdit* m_comment;
    QLabel* m_note;
    QLabel* m_lastModified;
};

// Save Settings: packs the settings files of programDir into the archive the
// user chooses, with the comment typed; archivePath remembers it.
void saveSettingsCommand(SettingsBlocks& blocks, const std::string& programDir, UserMessages& messages,
                         QWidget* parent);

// Retrieve Settings: true when the settings files were replaced from the
// chosen archive and the blocks reread, so the caller reloads the appearance pages.
bool retrieveSettingsCommand(SettingsBlocks& blocks, const std::string& programDir, UserMessages& messages,
                             QWidget* parent);
