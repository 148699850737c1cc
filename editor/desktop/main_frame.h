#pragma once
// The editor's main window: the structure tree on the left, the entry form
// on the right, the File, Edit and Insert menus, the recent files, and the
// "Save Changes" question when it closes.
#include "editor/commands.h"
#include "editor/desktop/document_dialogs_window.h"
#include "editor/desktop/edit_form.h"
#include "editor/desktop/left_view.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <string>

class QAction;
class QSplitter;

// Command identifiers of the menus.
enum KorvelCommandId : int {
    kIdFileNew = 57600,
    kIdFileOpen = 57601,
    kIdFileSave = 32780,
    kIdFileSaveAs = 32781,
    kIdFileImport = 32785,
    kIdFileOptionalFields = 32777,
    kIdFileMetaTags = 32783,
    kIdFileStartItemPage = 32784,
    kIdFileItemTaxTypes = 32788,
    kIdInsertIndex = 32773,
    kIdInsertItem = 32774,
    kIdInsertEndPage = 32776,
    kIdInsertIndexText = 32778,
    kIdInsertDirective = 32782,
    kIdInsertTable = 32786,
    kIdInsertEndTable = 32787,
    kIdInsertColumns = 32789,
};

class CMainFrame : public QMainWindow, public KorvelDocumentDialogs {
    Q_OBJECT
public:
    // programDir holds the generator's defaults file.
    CMainFrame(UserMessages& messages, const std::string& programDir, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Opens the file named on the command line, creating it when it is not there.
    int start(const std::string& path);
    int openPath(const std::string& path);

    korvel::CKorvelDoc& document() { return m_doc; }
    korvel::KorvelCommands& commands() { return m_commands; }
    CLeftView& leftView() { return *m_leftView; }
    CEditForm1& form() { return *m_form; }
    QAction* action(int id) const { return m_actions.value(id, nullptr); }
    // The recent files, newest first; the File menu shows them.
    QStringList recentFiles() const;

    bool chooseFile(const korvel::FileDialogRequest& request, std::string& path) override;
    void commitForm() override;
    void refreshViews(korvel::ViewRefresh refresh) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, int id, const QString& text, const QKeySequence& keys = {});
    void buildFileMenu();
    void buildEditMenu();
    void buildInsertMenu();
    // Sends an edit request (copy, paste, undo) to the box that has the focus.
    void sendToFocusedBox(const char* request);
    void rememberRecent(const std::string& path);
    void showRecentFiles();

    korvel::CKorvelDoc m_doc;
    korvel::KorvelCommands m_commands;
    QSplitter* m_splitter = nullptr;
    CLeftView* m_leftView = nullptr;
    CEditForm1* m_form = nullptr;
    QHash<int, QAction*> m_actions;
    std::array<QAction*, 4> m_recentActions{};
};
