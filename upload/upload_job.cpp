#include "upload/upload_job.h"

#include <algorithm>
#include <cstdarg>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>
#include <unordered_set>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/paths.h"
#include "upload/ftp_control_connection.h"

namespace {

__attribute__((format(printf, 1, 2))) std::string formatText(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(n));
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

// name inside the server directory: "dir/name", or name alone in the login
// folder when the directory is empty.
std::string inDirectory(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

FtpEndpoint endpointOf(const FtpTarget& target) {
    return {std::string(trimmed(fieldText(target.host))), target.port, std::string(fieldText(target.userName)),
            std::string(fieldText(target.password))};
}

// No path that can be opened is longer; a longer line is kept only this far
// (and then fails to open) so that a damaged list cannot exhaust memory.
constexpr std::size_t kMaxListLine = 4096;

// Reads one line of the file list without its line end; false at the end.
// The same file however the list spells it: either separator, doubled
// separators, "." and ".." steps.
std::string listedFilePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return std::filesystem::path(path).lexically_normal().generic_string();
}

bool readListLine(std::FILE* list, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(list)) != EOF) {
        if (c == '\n')
            break;
        if (line.size() < kMaxListLine)
            line += static_cast<char>(c);
    }
    if (c == EOF && line.empty())
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool localFileSize(const std::string& path, std::int64_t& size) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    auto bytes = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    size = static_cast<std::int64_t>(bytes);
    return true;
}

int percentOf(std::int64_t sent, std::int64_t size) {
    if (size <= 0 || sent >= size)
        return 100;
    return static_cast<int>(sent * 100 / size);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The file list, when it is a regular file or a link to one. A folder, pipe
// or device is never read: opening a pipe alone would wait for a writer,
// and a device may never end.
FileHandle openFileList(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    FileHandle list(::fdopen(fd, "rb"));
    if (!list)
        ::close(fd);
    return list;
}

} // namespace

UploadParts storedUploadParts(const GeneralSettings& settings) {
    return {settings.transferCatalogue != 0, settings.transferSearch != 0, settings.transferOrderForm != 0};
}

UploadJob::UploadJob(const GeneralSettings& settings, UploadParts parts, UploadObserver& observer,
                     const std::atomic<bool>& cancel, UploadOptions options)
    : m_settings(settings), m_parts(parts), m_observer(observer), m_cancel(cancel), m_options(std::move(options)) {
    if (m_options.programDirectory.empty())
        m_options.programDirectory = programDirectory();
}

void UploadJob::line(int number, const std::string& text) { m_observer.statusLine(number, text); }

// The pauses only let the user read a reply; a cancelled job does not wait
// them out, so that a closing window gets its worker back at once.
void UploadJob::pause() {
    constexpr auto kSlice = std::chrono::milliseconds(10);
    auto end = std::chrono::steady_clock::now() + m_options.pause;
    for (auto now = std::chrono::steady_clock::now(); now < end && !cancelRequested();
         now = std::chrono::steady_clock::now())
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(end - now, kSlice));
}

void UploadJob::fileFailed(const std::string& localPath, const std::string& remoteName,
                           const std::string& reason) {
    ++m_result.filesFailed;
    m_observer.fileFailed(localPath, remoteName, reason);
}

int UploadJob::run() {
    try {
        return runSteps();
    } catch (...) {
        // Only an observer or an exhausted memory can throw. The job ends as
        // a cancelled one, so that the dialog gets its controls back.
        try {
            cancelled();
        } catch (...) {
            m_result.cancelled = true;
        }
        return -1;
    }
}

int UploadJob::runSteps() {
    m_result = {};
    m_catalogueCounter = 0;
    m_observer.jobStarted();

    FileHandle list;
    if (m_parts.catalogue) {
        m_listPath = join(m_options.programDirectory, "files01.dat");
        list = openFileList(m_listPath);
        if (!list)
            listUnreadable();
    }

    FtpSession session(m_options.timeout, &m_cancel);
    if ((m_parts.catalogue && uploadCatalogue(session, list.get()) == Step::Cancel) ||
        (m_parts.search && uploadSearch(session) == Step::Cancel) ||
        (m_parts.orderForm && uploadOrderForm(session) == Step::Cancel)) {
        cancelled();
        return -1;
    }
    finished();
    bool complete = m_result.filesFailed == 0 && !m_result.listFileMissing;
    return complete ? 0 : -1;
}

void UploadJob::listUnreadable() {
    m_result.listFileMissing = true;
    m_observer.message(formatText("couldn't open %s", m_listPath.c_str()), "", MessageButtons::Ok);
}

UploadJob::Step UploadJob::connectFailed(const FtpConnection& connection, const char* text) {
    // A cancel cuts the attempt short; that is no failure to report.
    if (cancelRequested())
        return Step::Cancel;
    line(1, text);
    m_observer.connectionFailed(connection.errorText());
    return Step::Cancel;
}

UploadJob::Step UploadJob::uploadCatalogue(FtpSession& session, std::FILE* list) {
    const FtpTarget& target = m_settings.ftpTargets[0];
    line(1, formatText("connecting to %s", std::string(fieldText(target.host)).c_str()));
    m_observer.progress(0);
    FtpConnection connection(session, endpointOf(target));
    if (!connection.open())
        return connectFailed(connection, "Connect failed");

    // Without its list the part has nothing to send once it is connected.
    if (!list)
        return Step::Continue;

    const std::string_view directory = fieldText(target.serverDirectory);
    // The list names a picture once for every item showing it; it goes once.
    std::unordered_set<std::string> listed;
    std::string path;
    while (readListLine(list, path)) {
        // A blank line names no file; its remote name would be the folder itself.
        if (path.empty())
            continue;
        path = listedFilePath(path);
        if (!listed.insert(path).second)
            continue;
        m_observer.progress(0);
        ++m_catalogueCounter;
        line(1, formatText("transferring file %d . . .", m_catalogueCounter));
        std::string remoteName = inDirectory(directory, baseName(path));
        if (cancelRequested())
            return Step::Cancel;
        line(1, formatText("transferring %s", path.c_str()));
        line(2, formatText("to %s", remoteName.c_str()));
        if (sendFile(connection, path, remoteName, TransferMode::Binary) == Step::Cancel)
            return Step::Cancel;
    }
    if (std::ferror(list))
        listUnreadable();
    return Step::Continue;
}

UploadJob::Step UploadJob::sendFile(FtpConnection& connection, const std::string& localPath,
                                    const std::string& remoteName, TransferMode mode) {
    std::int64_t size = 0;
    bool readable = localFileSize(localPath, size);
    if (readable) {
        line(3, formatText("%lld bytes", static_cast<long long>(size)));
    } else {
        line(1, formatText("error opening %s", localPath.c_str()));
        line(2, "");
        line(3, "");
    }
    if (cancelRequested())
        return Step::Cancel;

    // Without a local file the remote one is left alone: writing it would
    // replace the copy on the server with an empty file.
    FileHandle local(readable ? std::fopen(localPath.c_str(), "rb") : nullptr);
    if (!local) {
        if (readable)
            line(1, formatText("error opening %s", localPath.c_str()));
        fileFailed(localPath, remoteName, "cannot open the local file");
        return Step::Continue;
    }

    PieceCallback onPiece = [&](std::int64_t sent) {
        m_observer.progress(percentOf(sent, size));
        return !cancelRequested();
    };
    switch (connection.put(local.get(), size, remoteName, mode, onPiece)) {
    case TransferStatus::Sent:
        m_observer.progress(100);
        ++m_result.filesSent;
        return Step::Continue;
    case TransferStatus::Cancelled:
        fileFailed(localPath, remoteName, "cancelled");
        return Step::Cancel;
    case TransferStatus::ConnectFailed:
    case TransferStatus::Failed:
        break;
    }
    fileFailed(localPath, remoteName, connection.errorText());
    // A broken transfer may take its connection with it. The job goes on
    // with the next file unless the connection cannot be opened again.
    if (!connection.open())
        return connectFailed(connection, "Connect failed");
    return Step::Continue;
}

UploadJob::Step UploadJob::uploadSearch(FtpSession& session) {
    const FtpTarget& target = m_settings.searchUsesCatalogueTarget ? m_settings.ftpTargets[0]
                                                                   : m_settings.ftpTargets[1];
    line(1, formatText("connecting to %s", std::string(fieldText(target.host)).c_str()));
    line(2, "");
    line(3, "");
    m_observer.progress(0);
    FtpConnection connection(session, endpointOf(target));
    if (!connection.open())
        return connectFailed(connection, "Connect failed");

    const std::string names[] = {
        std::string(fieldText(m_settings.searchScript)),
        std::string(baseName(fieldText(m_settings.searchPreprocess))),
        "pages01.dat",
        "search01.dat",
    };
    const std::string_view folder = fieldText(m_settings.searchOutputDir);
    const std::string_view directory = fieldText(target.serverDirectory);

    if (!connection.open())
        return connectFailed(connection, "mkdir failed");
    if (connection.makeDirectory(inDirectory(directory, "zkdata")) == TransferStatus::ConnectFailed)
        return connectFailed(connection, "mkdir failed");

    for (std::size_t i = 0; i < std::size(names); ++i) {
        // An empty name (no preprocessing script configured) has nothing to send.
        if (names[i].empty())
            continue;
        m_observer.progress(0);
        std::string localPath = join(folder, names[i]);
        std::string remoteName = inDirectory(directory, (i >= 2 ? "zkdata/" : "") + names[i]);
        line(1, formatText("transferring %s", localPath.c_str()));
        if (sendFile(connection, localPath, remoteName, TransferMode::Ascii) == Step::Cancel)
            return Step::Cancel;
    }
    return setPermissions(target);
}

UploadJob::Step UploadJob::setPermissions(const FtpTarget& target) {
    const std::string_view directory = fieldText(target.serverDirectory);
    FtpControlConnection control(m_options.timeout);
    control.setCancelFlag(&m_cancel);
    FtpLogonInfo info;
    info.host = trimmed(fieldText(target.host));
    info.port = target.port;
    info.userName = fieldText(target.userName);
    info.password = fieldText(target.password);
    if (!control.logOn(info)) {
        if (control.cancelled())
            return Step::Cancel;
        m_observer.message(control.replyLine(), "FTP", MessageButtons::Ok);
        control.close();
        return Step::Continue;
    }

    std::vector<std::string> commands;
    if (auto script = fieldText(m_settings.searchScript); !script.empty())
        commands.push_back(formatText("site chmod 755 %s", inDirectory(directory, script).c_str()));
    if (auto preprocess = baseName(fieldText(m_settings.searchPreprocess)); !preprocess.empty())
        commands.push_back(formatText("site chmod 755 %s", inDirectory(directory, preprocess).c_str()));
    commands.push_back(formatText("site chmod 777 %s", inDirectory(directory, "zkdata").c_str()));
    for (const auto& text : commands) {
        line(1, text);
        control.command(text);
        if (control.cancelled())
            return Step::Cancel;
        line(2, control.replyLine());
        pause();
    }
    control.quit();
    control.close();
    m_result.permissionsSet = true;
    return Step::Continue;
}

UploadJob::Step UploadJob::uploadOrderForm(FtpSession& session) {
    const FtpTarget& target = m_settings.ftpTargets[2];
    line(1, "transferring order form");
    line(2, "");
    line(3, "");
    m_observer.progress(0);

    const std::string_view outputDir = fieldText(m_settings.outputDir);
    std::string localPath;
    std::string remoteBase;
    const std::string_view customUrl = fieldText(m_settings.customFormUrl);
    if (m_settings.useCustomForm && !customUrl.empty()) {
        localPath = join(outputDir, baseName(fieldText(m_settings.customFormFile)));
        std::size_t slash = customUrl.rfind('/');
        remoteBase = customUrl.substr(slash == std::string_view::npos ? 0 : slash + 1);
    } else {
        remoteBase = baseName(fieldText(m_settings.orderFormUrl));
        localPath = join(outputDir, remoteBase);
    }
    const std::string remoteName = inDirectory(fieldText(target.serverDirectory), remoteBase);

    FtpConnection connection(session, endpointOf(target));
    if (!connection.open())
        return connectFailed(connection, "Connect failed");
    line(1, formatText("transferring %s", localPath.c_str()));
    line(2, formatText("to %s", remoteName.c_str()));

    std::int64_t size = 0;
    FileHandle local;
    if (!remoteBase.empty() && localFileSize(localPath, size))
        local.reset(std::fopen(localPath.c_str(), "rb"));
    TransferStatus status = local ? connection.put(local.get(), size, remoteName, TransferMode::Binary, {})
                                  : TransferStatus::Failed;
    if (status == TransferStatus::Cancelled) {
        fileFailed(localPath, remoteName, "cancelled");
        return Step::Cancel;
    }
    if (status == TransferStatus::Sent) {
        ++m_result.filesSent;
    } else {
        line(1, formatText("transfer failed (%s)", std::string(baseName(localPath)).c_str()));
        fileFailed(localPath, remoteName, local ? connection.errorText() : "cannot open the local file");
    }
    m_observer.progress(100);
    pause();
    return Step::Continue;
}

void UploadJob::cancelled() {
    m_result.cancelled = true;
    line(1, "Transfer cancelled");
    line(2, "");
    line(3, "");
    m_observer.progress(0);
    m_observer.jobFinished();
}

void UploadJob::finished() {
    line(1, "");
    line(2, "");
    line(3, "");
    m_observer.progress(0);
    m_observer.jobFinished();
}
