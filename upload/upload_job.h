#pragma once
// The upload job: sends the generated catalogue files listed in "files01.dat",
// the search facility's files (then sets their permissions) and the order form
// to the configured FTP destinations.
//
// Threads: the job runs on a worker thread of its own (UploadWorker) and
// blocks it until the job ends. Everything the user must see - status lines,
// progress, messages with their caption and buttons - reaches the user only
// through the observer, and every observer call comes from that worker
// thread. An observer that touches a window must queue the call onto the
// user-interface thread instead of drawing from the worker. While the job
// runs, the cancel flag is the only thing the user-interface thread touches;
// the job reads it before each file, after each piece written, during its
// pauses and every fraction of a second of each wait on the server. No
// message needs an answer, so the job never waits for the user.
#include <atomic>
#include <chrono>
#include <string>

#include "model/settings_record.h"
#include "upload/ftp_transfer.h"
#include "upload/upload_observer.h"

struct UploadParts {
    bool catalogue = false;
    bool search = false;
    bool orderForm = false;
};

// The parts ticked in the settings.
UploadParts storedUploadParts(const GeneralSettings& settings);

struct UploadOptions {
    // Connecting and each wait on the server.
    std::chrono::milliseconds timeout{30000};
    // The pause after each permission command and after the order form.
    std::chrono::milliseconds pause{500};
    // The folder holding the catalogue's file list "files01.dat"; empty means
    // programDirectory(), looked up when the job is made, not on its thread.
    std::string programDirectory;
};

struct UploadResult {
    int filesSent = 0;
    int filesFailed = 0;
    bool cancelled = false;
    bool listFileMissing = false;
    bool permissionsSet = false;
};

class UploadJob {
public:
    UploadJob(const GeneralSettings& settings, UploadParts parts, UploadObserver& observer,
              const std::atomic<bool>& cancel, UploadOptions options = {});

    // Runs the job to its end on the calling thread; 0 when every file of the
    // chosen parts arrived, -1 otherwise. Nothing is thrown.
    int run();
    const UploadResult& result() const { return m_result; }

private:
    enum class Step { Continue, Cancel };

    int runSteps();
    Step uploadCatalogue(FtpSession& session, std::FILE* list);
    Step uploadSearch(FtpSession& session);
    Step uploadOrderForm(FtpSession& session);
    Step setPermissions(const FtpTarget& target);
    Step sendFile(FtpConnection& connection, const std::string& localPath,
                  const std::string& remoteName, TransferMode mode);
    Step connectFailed(const FtpConnection& connection, const char* text);
    void listUnreadable();
    void cancelled();
    void finished();
    void line(int number, const std::string& text);
    void pause();
    bool cancelRequested() const { return m_cancel.load(); }
    void fileFailed(const std::string& localPath, const std::string& remoteName, const std::string& reason);

    GeneralSettings m_settings;
    UploadParts m_parts;
    UploadObserver& m_observer;
    const std::atomic<bool>& m_cancel;
    UploadOptions m_options;
    UploadResult m_result;
    int m_catalogueCounter = 0;
    std::string m_listPath;
};
