#pragma once
// The settings dialogs of a single page: "Frames", "Background music",
// "Other Options", "Search Details" and "Template". Each is its own type so
// that its window can be told apart; only the music dialog adds a button.
#include "app/desktop/form_sheet_dialog.h"

class Shell;

class CFramesDlg : public FormSheetDialog {
    Q_OBJECT
public:
    CFramesDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent = nullptr);
    void accept() override;

private:
    SettingsBlocks& m_blocks;
};

class CBackgroundMusicDlg : public FormSheetDialog {
    Q_OBJECT
public:
    // "Play" asks shell to open the MIDI file named in the dialog.
    CBackgroundMusicDlg(SettingsBlocks& blocks, UserMessages& messages, Shell& shell, QWidget* parent = nullptr);

private:
    void play();
    Shell& m_shell;
};

class COtherOptionsDlg : public FormSheetDialog {
    Q_OBJECT
public:
    COtherOptionsDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent = nullptr);
};

class CSearchDetailsDlg : public FormSheetDialog {
    Q_OBJECT
public:
    CSearchDetailsDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent = nullptr);
};

class CTemplateDlg : public FormSheetDialog {
    Q_OBJECT
public:
    CTemplateDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent = nullptr);
};
