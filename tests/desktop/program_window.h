#pragma once
// The desktop program's main window on a first start: a fresh copy of the
// built program directory, every message recorded, the catalogue written
// into the test's own folders, and a shell that serves catalogues for real
// but records what it would open or start instead of starting programs.
#include <QAction>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/core/vimra_doc.h"
#include "app/desktop/desktop_shell.h"
#include "app/desktop/main_frame.h"
#include "model/paths.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

class RecordingShell : public DesktopShell {
public:
    bool openWithDefaultProgram(const std::string& path, const std::string& workingDir) override {
        opened.push_back(path);
        workingDirs.push_back(workingDir);
        return true;
    }
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override {
        started.push_back(program);
        started.insert(started.end(), arguments.begin(), arguments.end());
        return true;
    }
    std::vector<std::string> opened;       // paths and addresses, in order
    std::vector<std::string> workingDirs;  // the folder each was opened in
    std::vector<std::string> started;      // each program, then its arguments
};

struct ProgramWindow {
    ProgramWindow() : programDir(folder.path() / "program") {
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, programDir);
        doc = std::make_unique<CVimraDoc>(programDir.string() + "/", messages, shell);
        doc->start();
        copyField(general().outputDir, (folder.path() / "out").string());
        copyField(general().tempOutputDir, (folder.path() / "preview").string());
        frame = std::make_unique<CMainFrame>(*doc, messages, shell);
        frame->resize(1200, 800);
        frame->show();
    }

    GeneralSettings& general() { return doc->settings().general; }

    // Runs a command through its action, as its menu entry, key or button
    // would; false when there is no such action or it is disabled.
    bool trigger(int id) {
        QAction* action = frame->action(id);
        if (!action || !action->isEnabled())
            return false;
        action->trigger();
        return true;
    }

    TempDir folder;
    std::filesystem::path programDir;
    RecordingMessages messages;
    RecordingShell shell;
    std::unique_ptr<CVimraDoc> doc;
    std::unique_ptr<CMainFrame> frame;  // destroyed first, before the document it shows
};
