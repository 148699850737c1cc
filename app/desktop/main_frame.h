#pragma once
// The main window: menus, toolbar and status bar built from the command
// table, and a splitter with the appearance sheet on the left and the
// catalogue preview on the right. Every command calls the document; the
// window only collects what the user chose and shows the outcome.
#include <functional>
#include <map>
#include <optional>
#include <QMainWindow>

#include "app/core/custom_colour.h"

class CVimraDoc;
class CDetailsView;
class COutputView;
class DesktopShell;
class QAction;
class QSplitter;
class UserMessages;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CVimraDoc& doc, UserMessages& messages, DesktopShell& shell, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command id of the command table; nullptr for none.
    QAction* action(int id) const;
    CDetailsView* detailsView() const { return m_details; }
    COutputView* outputView() const { return m_output; }

    // How Custom Colour asks for a colour (a colour dialog by default).
    std::function<std::optional<Rgb>(Rgb start)> chooseColour;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCommands();
    void runCommand(int id);
    void updateCatView();
    void appearanceSets();
    void customColour();
    void scrollingText();
    // The dialogs of the record's data and the files beside it (order form,
    // FTP, currencies, tax, delivery).
    template <typename Dialog>
    void runDataDialog();
    void uploadCatalogue();
    void fonts();
    template <typename Dialog>
    void settingsDialog();
    void showHelp();

    CVimraDoc& m_doc;
    UserMessages& m_messages;
    DesktopShell& m_shell;
    QSplitter* m_splitter;
    CDetailsView* m_details;
    COutputView* m_output;
    std::map<int, QAction*> m_actions;
    bool m_closed = false;
};
