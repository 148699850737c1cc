#pragma once
// "Select Remote Directory": walks the folders of an FTP server over one
// connection kept while the dialog is open, lets the user make, rename and
// delete entries, and returns the folder chosen with Select.
//
// Each call to the server runs on a worker thread while the dialog's thread
// keeps handling events under a busy cursor, with the dialog's controls
// disabled; Cancel (or closing the window) gives up the wait at once.
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <QDialog>

#include "upload/ftp_folder_session.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QToolButton;
class RemoteFolderBrowser;
class RemoteFolderSession;
class UserMessages;

class CRemoteDirDlg : public QDialog {
    Q_OBJECT
public:
    // The folder chosen, or nothing after Cancel or a failed connection
    // (which has been shown). startFolder is the page's server directory.
    static std::optional<std::string> choose(const FtpEndpoint& server, const std::string& startFolder,
                                             UserMessages& messages, QWidget* parent = nullptr,
                                             std::chrono::milliseconds timeout = FtpFolderSession::kDefaultTimeout);

    ~CRemoteDirDlg() override;

    void reject() override;
    // Connected, and the starting folder shown.
    bool ready() const { return m_ready; }

private:
    CRemoteDirDlg(const FtpEndpoint& server, UserMessages& messages, std::chrono::milliseconds timeout,
                  QWidget* parent);

    void connectTo(const FtpEndpoint& server, const std::string& startFolder, UserMessages& messages);
    // Runs call on a worker thread and waits for it without blocking the window.
    void runInBackground(const std::function<void()>& call);
    void showState();
    std::optional<int> selectedRow() const;
    // Lets the user type a new name for the row (a folder just made, or
    // "Properties"); the end of the edit renames the entry on the server.
    void editLabel(int row);
    void labelEdited();

    std::atomic<bool> m_cancel{false};
    FtpFolderSession m_ftp;
    std::unique_ptr<RemoteFolderSession> m_session;
    std::unique_ptr<RemoteFolderBrowser> m_browser;
    QWidget* m_body = nullptr;
    QComboBox* m_locations = nullptr;
    QLabel* m_currentLine = nullptr;
    QListWidget* m_entries = nullptr;
    QToolButton* m_up = nullptr;
    int m_editedRow = -1;
    bool m_ready = false;
    bool m_busy = false;
    std::string m_result;
};
