#pragma once
// The generator's document: owns the settings record and the program
// directory for the whole run, and carries out the commands that read or
// write them (Create, Update Cat View, Edit Input File, Custom Colour,
// Scrolling Text, exit). The window program and vimra-cli both drive it;
// messages, views and the desktop are reached through small interfaces.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/custom_colour.h"
#include "app/core/edit_input_file.h"
#include "app/core/scrolling_text.h"
#include "app/core/shell.h"
#include "app/core/view_hints.h"
#include "model/settings_store.h"
#include "model/user_messages.h"

// Whether Create offers to open the new catalogue.
enum class ViewOffer { AskToView, DontAsk };

class CVimraDoc {
public:
    // diagnostics: where the page writers report files they could not open.
    CVimraDoc(std::string_view programDir, UserMessages& messages, Shell& shell,
              std::FILE* diagnostics = stderr);
    CVimraDoc(const CVimraDoc&) = delete;
    CVimraDoc& operator=(const CVimraDoc&) = delete;

    // Document start: loads both defaults files (factory defaults without ZK002.dat).
    void start();
    // Program exit: writes ZK002.dat, then ZK003.dat. 0, or -1 when either failed.
    int close();
    // Writes ZK003.dat, then ZK002.dat, as the appearance pages do when applied.
    int saveAppearanceAndGeneral();
    // Tells the views that the record changed under them (a set was chosen,
    // settings were retrieved): they reload the appearance pages.
    void appearanceReplaced();

    // Saves the general block, then writes the catalogue into outputDir.
    // 0 on success; -1 after "error producing catalogue", which a run that
    // could not write some files opens with "%d files could not be written".
    int create(ViewOffer offer);
    // Writes a short catalogue of at most previewMaxItems items into
    // tempOutputDir and tells the observers to show it. outputDir and
    // previewRun are restored whatever happens. 0, or -1 as for create.
    int updateCatView();
    // Starts the editor on the input file (or opens the input file when
    // there is no editor) and returns what was asked of the shell.
    EditInputFileStart editInputFile();
    // Remembers the chosen colour for the next time and returns its text.
    std::string chooseCustomColour(Rgb colour);
    Rgb lastCustomColour() const { return m_customColour; }

    ScrollingTextForm scrollingText() const;
    // 0, or -1 when zkticker.dat could not be written.
    int setScrollingText(const ScrollingTextForm& form);

    // The first page of the catalogue in outputDir, and of the preview in tempOutputDir.
    std::string entryPage() const;
    std::string previewEntryPage() const;

    void addObserver(DocumentObserver& observer);
    void removeObserver(DocumentObserver& observer);

    SettingsBlocks& settings() { return *m_blocks; }
    const SettingsBlocks& settings() const { return *m_blocks; }
    const std::string& programDir() const { return m_programDir; }

private:
    int generate();
    void notify(ViewHint hint, const std::string& address);

    std::string m_programDir;
    UserMessages& m_messages;
    Shell& m_shell;
    std::FILE* m_diagnostics;
    std::unique_ptr<SettingsBlocks> m_blocks;
    std::vector<DocumentObserver*> m_observers;
    Rgb m_customColour;
};
