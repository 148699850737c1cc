#include "upload/ftp_transfer.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>

#include <curl/curl.h>

namespace {

constexpr const char* kAgentName = "Vimra3 FTP";
// The longest wait for curl to make progress; see FtpConnection::perform.
constexpr int kPollMilliseconds = 5;

CURL* handle(void* curl) { return static_cast<CURL*>(curl); }

bool initialiseCurl() {
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] { ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ok;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Keeps the last reply line the server sent on the control connection.
std::size_t keepReply(char* data, std::size_t size, std::size_t count, void* user) {
    std::size_t n = size * count;
    std::string_view line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    if (!line.empty())
        static_cast<std::string*>(user)->assign(line);
    return n;
}

struct PutState {
    std::FILE* local;
    const PieceCallback* onPiece;
    std::int64_t bytesRead = 0;
    bool pieceHanded = false;
    bool readError = false;
};

// Hands the server the next piece of the local file. Progress and the cancel
// check come after each piece, when curl asks for the one after it.
std::size_t readPiece(char* buffer, std::size_t size, std::size_t count, void* user) {
    auto& state = *static_cast<PutState*>(user);
    if (state.pieceHanded && *state.onPiece) {
        // Nothing may unwind through curl.
        try {
            if (!(*state.onPiece)(state.bytesRead))
                return CURL_READFUNC_ABORT;
        } catch (...) {
            return CURL_READFUNC_ABORT;
        }
    }

    std::size_t want = std::min(FtpSession::kPieceSize, size * count);
    std::size_t got = std::fread(buffer, 1, want, state.local);
    if (got == 0 && std::ferror(state.local)) {
        state.readError = true;
        return CURL_READFUNC_ABORT;
    }
    state.bytesRead += static_cast<std::int64_t>(got);
    state.pieceHanded = got > 0;
    return got;
}

// The server refused passive mode, or we could not reach the port it
// opened for the data connection (a server behind a NAT router).
bool passiveModeFailure(CURLcode code, const std::string& lastReply) {
    return code == CURLE_FTP_WEIRD_PASV_REPLY || code == CURLE_FTP_WEIRD_227_FORMAT ||
           code == CURLE_FTP_CANT_GET_HOST ||
           (code == CURLE_COULDNT_CONNECT && (lastReply.rfind("227", 0) == 0 || lastReply.rfind("229", 0) == 0));
}

// What the user is told for a failure the server gave no reply of its own for.
const char* plainReason(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return "server name not found";
    case CURLE_COULDNT_CONNECT:
        return "connection refused";
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_ACCEPT_TIMEOUT:
        return "time-out: the server stopped answering";
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_UPLOAD_FAILED:
        return "connection closed by the server";
    case CURLE_LOGIN_DENIED:
        return "logon refused";
    case CURLE_REMOTE_ACCESS_DENIED:
        return "access denied by the server";
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_CANT_GET_HOST:
        return "no data connection";
    case CURLE_ABORTED_BY_CALLBACK:
        return "cancelled";
    case CURLE_READ_ERROR:
        return "cannot read the local file";
    case CURLE_OUT_OF_MEMORY:
        return "out of memory";
    default:
        return code >= CURLE_FTP_WEIRD_SERVER_REPLY && code <= CURLE_FTP_WEIRD_227_FORMAT
                   ? "unexpected reply from the server"
                   : "transfer failed";
    }
}

int stopWhenCancelled(void* session, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const FtpSession*>(session)->cancelRequested() ? 1 : 0;
}

bool connectionFailure(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_FTP_ACCEPT_TIMEOUT:
        return true;
    default:
        return false;
    }
}

// A host name or address, nothing that would change what the address means.
bool validHost(std::string_view host) {
    if (host.empty())
        return false;
    for (char c : host) {
        bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '.' || c == '-' || c == '_' || c == ':' || c == '[' || c == ']';
        if (!allowed)
            return false;
    }
    return true;
}

std::string escapeSegment(CURL* curl, std::string_view segment) {
    if (segment.empty())
        return {};
    char* escaped = curl_easy_escape(curl, segment.data(), static_cast<int>(segment.size()));
    if (!escaped)
        return {};
    std::string result(escaped);
    curl_free(escaped);
    return result;
}

} // namespace

FtpSession::FtpSession(std::chrono::milliseconds timeout, const std::atomic<bool>* cancel)
    : m_timeout(timeout), m_cancel(cancel), m_open(initialiseCurl()) {}

FtpConnection::FtpConnection(FtpSession& session, FtpEndpoint endpoint)
    : m_session(session), m_endpoint(std::move(endpoint)) {
    if (!m_session.isOpen())
        m_errorText = "no FTP session";
    else if (!validHost(m_endpoint.host) || m_endpoint.port <= 0 || m_endpoint.port > 65535)
        m_errorText = "invalid server address";
    // A line break in USER or PASS would start a command of its own.
    else if (holdsLineBreak(m_endpoint.userName) || holdsLineBreak(m_endpoint.password))
        m_errorText = "invalid user name or password";
    else if (!(m_multi = curl_multi_init()) || !(m_curl = curl_easy_init()))
        m_errorText = "no FTP session";
}

FtpConnection::~FtpConnection() {
    if (m_curl)
        curl_easy_cleanup(handle(m_curl));
    if (m_multi)
        curl_multi_cleanup(static_cast<CURLM*>(m_multi));
}

std::string FtpConnection::url(const std::string& remoteName) const {
    std::string host = m_endpoint.host;
    if (host.find(':') != std::string::npos && host.front() != '[')
        host = "[" + host + "]";
    std::string result = "ftp://" + host + ":" + std::to_string(m_endpoint.port) + "/";
    std::string_view rest(remoteName);
    if (!rest.empty() && rest.front() == '/') {
        result += "%2F";
        rest.remove_prefix(1);
    }
    for (;;) {
        std::size_t slash = rest.find('/');
        result += escapeSegment(handle(m_curl), rest.substr(0, slash));
        if (slash == std::string_view::npos)
            break;
        result += '/';
        rest.remove_prefix(slash + 1);
    }
    return result;
}

void FtpConnection::prepare() {
    CURL* curl = handle(m_curl);
    const long timeoutMs = static_cast<long>(m_session.timeout().count());
    const long timeoutSeconds = std::max(1L, (timeoutMs + 999) / 1000);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kAgentName);
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_endpoint.userName.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_endpoint.password.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, timeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(curl, CURLOPT_FTPPORT, m_session.passive() ? nullptr : "-");
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, keepReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &m_lastReply);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, stopWhenCancelled);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &m_session);
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    m_lastReply.clear();
}

// Runs the request through this connection's own multi handle, which keeps
// the logged-on control connection between requests. The wait is bounded
// because curl does not always hand over the socket of a passive data
// connection it is about to open, and would otherwise sleep a full second;
// it also lets a cancel end a wait on a silent server.
int FtpConnection::perform() {
    CURL* curl = handle(m_curl);
    auto* multi = static_cast<CURLM*>(m_multi);
    CURLcode code = CURLE_OK;
    if (curl_multi_add_handle(multi, curl) != CURLM_OK) {
        code = CURLE_OUT_OF_MEMORY;
    } else {
        code = CURLE_SEND_ERROR;
        int running = 1;
        while (running) {
            if (m_session.cancelRequested()) {
                code = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            if (curl_multi_perform(multi, &running) != CURLM_OK)
                break;
            if (running && curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr) != CURLM_OK)
                break;
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == curl)
                code = message->data.result;
        }
        curl_multi_remove_handle(multi, curl);
    }
    m_errorText.clear();
    if (code != CURLE_OK) {
        bool serverRefused = !m_lastReply.empty() && (m_lastReply[0] == '4' || m_lastReply[0] == '5');
        m_errorText = serverRefused && code != CURLE_ABORTED_BY_CALLBACK ? m_lastReply : plainReason(code);
    }
    return code;
}

TransferStatus FtpConnection::classify(int code) {
    if (code == CURLE_OK)
        return TransferStatus::Sent;
    if (code == CURLE_ABORTED_BY_CALLBACK)
        return TransferStatus::Cancelled;
    return connectionFailure(static_cast<CURLcode>(code)) ? TransferStatus::ConnectFailed
                                                          : TransferStatus::Failed;
}

bool FtpConnection::open() {
    if (!m_curl)
        return false;
    prepare();
    CURL* curl = handle(m_curl);
    std::string address = url("");
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    return perform() == CURLE_OK;
}

TransferStatus FtpConnection::put(std::FILE* local, std::int64_t size, const std::string& remoteName,
                                  TransferMode mode, const PieceCallback& onPiece) {
    if (!m_curl)
        return TransferStatus::ConnectFailed;
    if (holdsLineBreak(remoteName)) {
        m_errorText = "invalid remote name";
        return TransferStatus::Failed;
    }
    CURL* curl = handle(m_curl);
    std::string address = url(remoteName);
    for (;;) {
        PutState state{local, &onPiece};
        prepare();
        curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, mode == TransferMode::Ascii ? 1L : 0L);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, readPiece);
        curl_easy_setopt(curl, CURLOPT_READDATA, &state);
        // With the size announced, a file that shrinks while it is read is
        // reported as a failed transfer instead of arriving cut short.
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size > 0 ? size : -1));
        CURLcode code = static_cast<CURLcode>(perform());
        if (passiveModeFailure(code, m_lastReply) && m_session.passive() && state.bytesRead == 0) {
            m_session.useActive();
            continue;
        }
        if (state.readError) {
            m_errorText = "cannot read the local file";
            return TransferStatus::Failed;
        }
        return classify(code);
    }
}

TransferStatus FtpConnection::makeDirectory(const std::string& remotePath) {
    if (!m_curl)
        return TransferStatus::ConnectFailed;
    if (holdsLineBreak(remotePath)) {
        m_errorText = "invalid remote name";
        return TransferStatus::Failed;
    }
    prepare();
    CURL* curl = handle(m_curl);
    std::string address = url("");
    std::string command = "MKD " + remotePath;
    curl_slist* commands = curl_slist_append(nullptr, command.c_str());
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_QUOTE, commands);
    TransferStatus status = classify(perform());
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(commands);
    return status;
}
