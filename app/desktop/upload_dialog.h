#pragma once
// "Upload Catalogue to Server": choose the parts to send, start the upload
// job on a worker thread, watch its status lines and progress, cancel it.
//
// The job's observer never touches a widget: it queues every call onto the
// user-interface thread, where calls of a job that is no longer the current
// one are dropped. Closing the window while a job runs cancels the job and
// waits for its thread, so nothing calls into a window that is gone.
#include <memory>
#include <string>
#include <QDialog>

#include "app/core/upload_ticker.h"
#include "upload/upload_job.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class UploadWorker;
class UserMessages;
struct SettingsBlocks;

class CUploadDlg : public QDialog {
    Q_OBJECT
public:
    CUploadDlg(SettingsBlocks& blocks, std::string programDir, UserMessages& messages, QWidget* parent = nullptr);
    ~CUploadDlg() override;

    // True once the FTP settings sheet was confirmed with OK while the dialog
    // was open; the caller then writes the general block.
    bool settingsChanged() const { return m_settingsChanged; }
    // From "Start Upload" until the job ends or "Cancel Upload" is pressed.
    bool running() const { return m_running; }
    // While the thread of the last job started has not ended.
    bool transferring() const;
    // The time-outs and pauses of the jobs started from now on; the file list
    // is always read from the program directory.
    void setUploadOptions(UploadOptions options);

    QString statusLine(int line) const;
    int progress() const;
    QString tickerText() const;

    // Both, like Escape and the window's close button, cancel a running job
    // and wait for its thread before the window closes.
    void accept() override;
    void reject() override;

signals:
    // A status line changed (on the user-interface thread).
    void statusLineShown(int line, const QString& text);
    // The job has made its last call; the controls are enabled again.
    void jobEnded();

private:
    class QueuedObserver;

    void buildControls();
    void showStoredParts();
    UploadParts chosenParts() const;
    void startOrCancel();
    void startJob();
    void cancelJob();
    void stopJob();
    void endJobForClosing();
    void ftpSettings();
    void showStatusLine(int line, const std::string& text);
    void jobFinished();
    void setControlsEnabled(bool enabled);
    void startTicker();
    void stopTicker();
    void stepTicker();

    SettingsBlocks& m_blocks;
    std::string m_programDir;
    UserMessages& m_messages;
    UploadOptions m_options;
    bool m_settingsChanged = false;
    bool m_running = false;
    // Counts the jobs started; a queued call carries the number of its job.
    int m_jobNumber = 0;
    // The observer outlives the worker that calls it: the worker goes first.
    std::unique_ptr<QueuedObserver> m_observer;
    std::unique_ptr<UploadWorker> m_worker;

    UploadTicker m_ticker;
    QTimer* m_tickerTimer;
    QGroupBox* m_components;
    QCheckBox* m_catalogue;
    QCheckBox* m_orderForm;
    QCheckBox* m_search;
    QLabel* m_lines[3];
    QProgressBar* m_progress;
    QLabel* m_tickerLine;
    QPushButton* m_start;
    QPushButton* m_ftpSettings;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
