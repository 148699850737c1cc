#pragma once
// What an upload job tells the one watching it: the upload dialog, the command
// line or a test. Every call comes from the thread that runs the job (see
// upload_job.h); an observer that touches a window queues the call onto the
// user-interface thread and returns at once.
#include <string>

#include "model/user_messages.h"

class UploadObserver {
public:
    virtual ~UploadObserver() = default;

    // The job begins: the dialog disables its controls and starts the ticker.
    virtual void jobStarted() {}
    // Status line 1 (what is being done), 2 (destination or server reply) or 3 (size).
    virtual void statusLine(int line, const std::string& text) = 0;
    // Progress of the current file, 0 to 100.
    virtual void progress(int percent) = 0;
    // A message the user must see (the dialog shows a message box). Each one
    // only informs, so it only ever has an OK button and the job goes on
    // without waiting for it to be dismissed.
    virtual void message(const std::string& text, const std::string& caption, MessageButtons buttons) = 0;
    // A file did not arrive; the job goes on with the next one.
    virtual void fileFailed(const std::string& localPath, const std::string& remoteName,
                            const std::string& reason) {
        (void)localPath;
        (void)remoteName;
        (void)reason;
    }
    // A connection to the server could not be opened; status line 1 says
    // "Connect failed" (or "mkdir failed") and the job ends cancelled.
    virtual void connectionFailed(const std::string& reason) { (void)reason; }
    // The job has ended (completed or cancelled): controls are enabled again.
    // No call follows this one.
    virtual void jobFinished() {}
};
