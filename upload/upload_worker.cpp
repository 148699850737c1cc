#include "upload/upload_worker.h"

#include <system_error>

UploadWorker::UploadWorker(const GeneralSettings& settings, UploadParts parts, UploadObserver& observer,
                           UploadOptions options)
    : m_job(settings, parts, observer, m_cancel, std::move(options)) {}

UploadWorker::~UploadWorker() {
    cancel();
    wait();
}

bool UploadWorker::start() {
    if (m_thread.joinable() || finished())
        return false;
    try {
        m_thread = std::thread([this] { runJob(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void UploadWorker::runJob() {
    // run() lets nothing escape; the job's last observer call is behind us.
    int status = m_job.run();
    std::lock_guard lock(m_mutex);
    m_status = status;
    m_result = m_job.result();
    m_finished = true;
    m_ended.notify_all();
}

void UploadWorker::wait() {
    if (m_thread.joinable())
        m_thread.join();
}

bool UploadWorker::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_ended.wait_for(lock, timeout, [this] { return m_finished; });
}

bool UploadWorker::finished() const {
    std::lock_guard lock(m_mutex);
    return m_finished;
}

int UploadWorker::status() const {
    std::lock_guard lock(m_mutex);
    return m_status;
}

UploadResult UploadWorker::result() const {
    std::lock_guard lock(m_mutex);
    return m_result;
}
