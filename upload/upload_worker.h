#pragma once
// Runs one upload job on a thread of its own, so that the window that starts
// it stays responsive. The user-interface thread owns the worker: it starts,
// cancels and waits for it; the job's observer is called on the worker's
// thread only (see upload_job.h).
//
// The observer must outlive the worker. Destroying the worker cancels the job
// and waits for it to end, so a window closed mid-transfer never leaves a
// thread calling into it; that wait is a fraction of a second, even when the
// server has stopped answering.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "upload/upload_job.h"

class UploadWorker {
public:
    UploadWorker(const GeneralSettings& settings, UploadParts parts, UploadObserver& observer,
                 UploadOptions options = {});
    ~UploadWorker();
    UploadWorker(const UploadWorker&) = delete;
    UploadWorker& operator=(const UploadWorker&) = delete;

    // Starts the job; a worker runs its job once. False when it was started
    // before or no thread could be made.
    bool start();
    // Asks the job to stop at its next check and returns at once; the job
    // then reports "Transfer cancelled" and ends.
    void cancel() { m_cancel.store(true); }
    // Waits until the job has ended; for the owning thread only.
    void wait();
    // Waits at most timeout; true when the job has ended.
    bool waitFor(std::chrono::milliseconds timeout);

    // True once the job has made its last observer call.
    bool finished() const;
    // The job's status (0 when every file of the chosen parts arrived, -1
    // otherwise) and counts, once finished; -1 and empty counts before.
    int status() const;
    UploadResult result() const;

private:
    void runJob();

    std::atomic<bool> m_cancel{false};
    UploadJob m_job;
    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_finished = false;
    int m_status = -1;
    UploadResult m_result;
    std::thread m_thread;
};
