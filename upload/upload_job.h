#pragma once
// The upload job: sends the generated catalogue files listed in "files01.dat",
// the search facility's files (then sets their permissions) and the order form
// to the configured FTP destinations. It blocks the calling thread; the upload
// dialog runs it on a worker thread and cancels it through an atomic flag.
#include <atomic>
#include <chrono>
#include <string>

#include "model/settings_record.h"
#include "model/user_messages.h"
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
    // The catalogue's file list; empty means "files01.dat" in the program directory.
    std::string listFile;
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
              UserMessages& messages, const std::atomic<bool>& cancel, UploadOptions options = {});

    // 0 when every file of the chosen parts arrived, -1 otherwise.
    int run();
    const UploadResult& result() const { return m_result; }

private:
    enum class Step { Continue, Cancel };

    int runSteps();
    Step uploadCatalogue(FtpSession& session, std::FILE* list);
    Step uploadSearch(FtpSession& session);
    Step uploadOrderForm(FtpSession& session);
    void setPermissions(const FtpTarget& target);
    Step sendFile(FtpConnection& connection, const std::string& localPath,
                  const std::string& remoteName, TransferMode mode);
    Step connectFailed(const FtpConnection& connection, const char* text);
    void cancelled();
    void finished();
    void line(int number, const std::string& text);
    bool cancelRequested() const { return m_cancel.load(); }
    void fileFailed(const std::string& localPath, const std::string& remoteName, const std::string& reason);

    GeneralSettings m_settings;
    UploadParts m_parts;
    UploadObserver& m_observer;
    UserMessages& m_messages;
    const std::atomic<bool>& m_cancel;
    UploadOptions m_options;
    UploadResult m_result;
    int m_catalogueCounter = 0;
};
