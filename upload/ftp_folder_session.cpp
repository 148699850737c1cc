#include "upload/ftp_folder_session.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include <curl/curl.h>

#include "upload/ftp_listing.h"

namespace {

// The longest wait for curl to make progress before the time-out and the
// cancel flag are looked at again.
constexpr int kPollMilliseconds = 20;
constexpr const char* kTimedOut = "time-out: the server stopped answering";

CURL* handle(void* curl) { return static_cast<CURL*>(curl); }

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

const char* plainReason(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST: return "server name not found";
    case CURLE_COULDNT_CONNECT: return "connection refused";
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_ACCEPT_TIMEOUT: return kTimedOut;
    case CURLE_LOGIN_DENIED: return "logon refused";
    case CURLE_OUT_OF_MEMORY: return "out of memory";
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_CANT_GET_HOST: return "no data connection";
    default: return "connection closed by the server";
    }
}

bool isRefusal(std::string_view reply) { return !reply.empty() && (reply[0] == '4' || reply[0] == '5'); }

bool mentionsExists(std::string_view reply) {
    std::string lower(reply);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("exist") != std::string::npos;
}

bool validHost(std::string_view host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' || c == ':' ||
               c == '[' || c == ']';
    });
}

}  // namespace

struct FtpFolderSession::Request {
    FtpFolderSession& session;
    std::string* listing;

    static std::size_t onReply(char* data, std::size_t size, std::size_t count, void* user) {
        auto& request = *static_cast<Request*>(user);
        std::size_t n = size * count;
        std::string_view line(data, n);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        request.session.m_lastHeard = std::chrono::steady_clock::now();
        if (!line.empty())
            request.session.m_replies.emplace_back(line);
        return n;
    }

    static std::size_t onData(char* data, std::size_t size, std::size_t count, void* user) {
        auto& request = *static_cast<Request*>(user);
        std::size_t n = size * count;
        request.session.m_lastHeard = std::chrono::steady_clock::now();
        if (request.listing)
            request.listing->append(data, n);
        return n;
    }
};

FtpFolderSession::FtpFolderSession(std::chrono::milliseconds timeout) : m_timeout(timeout) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (initialised) {
        m_multi = curl_multi_init();
        m_curl = curl_easy_init();
    }
}

FtpFolderSession::~FtpFolderSession() {
    if (m_curl)
        curl_easy_cleanup(handle(m_curl));
    if (m_multi)
        curl_multi_cleanup(static_cast<CURLM*>(m_multi));
}

bool FtpFolderSession::holdsNoLineBreak(const std::vector<std::string>& texts) {
    // A line break inside a name would smuggle a command of its own to the server.
    if (std::none_of(texts.begin(), texts.end(), [](const std::string& text) { return holdsLineBreak(text); }))
        return true;
    m_lastReply = "invalid name";
    return false;
}

RemoteStatus FtpFolderSession::open(const FtpEndpoint& endpoint) {
    m_endpoint = endpoint;
    m_folder.clear();
    m_url.clear();
    if (!m_curl || !m_multi) {
        m_lastReply = "no FTP session";
        return RemoteStatus::Failed;
    }
    if (!validHost(endpoint.host) || endpoint.port <= 0 || endpoint.port > 65535) {
        m_lastReply = "invalid server address";
        return RemoteStatus::Failed;
    }
    if (!holdsNoLineBreak({endpoint.userName, endpoint.password}))
        return RemoteStatus::Failed;
    std::string host = endpoint.host;
    if (host.find(':') != std::string::npos && host.front() != '[')
        host = "[" + host + "]";
    m_url = "ftp://" + host + ":" + std::to_string(endpoint.port) + "/";
    RemoteStatus status = run({"PWD"});
    if (status == RemoteStatus::Done)
        m_folder = folderOfPwdReply(m_lastReply);
    return status;
}

// Sends the commands one after the other, then, when asked, lists the
// current folder into listing. The first refused command ends the request.
RemoteStatus FtpFolderSession::run(const std::vector<std::string>& commands, const char* listCommand,
                                   std::string* listing) {
    if (m_url.empty()) {
        m_lastReply = "not connected";
        return RemoteStatus::Failed;
    }
    CURL* curl = handle(m_curl);
    auto* multi = static_cast<CURLM*>(m_multi);
    Request request{*this, listing};
    curl_slist* quote = nullptr;
    for (const std::string& command : commands)
        quote = curl_slist_append(quote, command.c_str());

    const long timeoutMs = static_cast<long>(m_timeout.count());
    curl_easy_reset(curl);
    curl_easy_setopt(curl, CURLOPT_URL, m_url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_endpoint.userName.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_endpoint.password.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, std::max(1L, (timeoutMs + 999) / 1000));
    // The server's own current folder is the one we work in.
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(curl, CURLOPT_FTPPORT, nullptr);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, Request::onReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &request);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Request::onData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &request);
    curl_easy_setopt(curl, CURLOPT_QUOTE, quote);
    if (listCommand)
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, listCommand);
    else
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);

    m_replies.clear();
    m_lastHeard = std::chrono::steady_clock::now();
    CURLcode code = CURLE_OUT_OF_MEMORY;
    bool timedOut = false;
    bool cancelled = false;
    if (curl_multi_add_handle(multi, curl) == CURLM_OK) {
        code = CURLE_RECV_ERROR;
        int running = 1;
        while (running) {
            if (m_cancel && m_cancel->load()) {
                cancelled = true;
                break;
            }
            if (std::chrono::steady_clock::now() - m_lastHeard > m_timeout) {
                timedOut = true;
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
        // Taken out in the middle, the connection is closed, never reused half-way.
        curl_multi_remove_handle(multi, curl);
    }
    curl_easy_setopt(curl, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quote);

    const std::string lastLine = m_replies.empty() ? std::string() : m_replies.back();
    if (cancelled) {
        m_lastReply = "cancelled";
        return RemoteStatus::Cancelled;
    }
    if (timedOut) {
        m_lastReply = kTimedOut;
        return RemoteStatus::Failed;
    }
    if (code == CURLE_OK) {
        m_lastReply = lastLine;
        return RemoteStatus::Done;
    }
    if (isRefusal(lastLine) && code != CURLE_OPERATION_TIMEDOUT && code != CURLE_COULDNT_CONNECT) {
        m_lastReply = lastLine;
        return RemoteStatus::Refused;
    }
    m_lastReply = plainReason(code);
    return RemoteStatus::Failed;
}

RemoteStatus FtpFolderSession::runInCurrentFolder(std::vector<std::string> commands) {
    if (!holdsNoLineBreak(commands))
        return RemoteStatus::Refused;
    if (!m_folder.empty() && !holdsLineBreak(m_folder))
        commands.insert(commands.begin(), "CWD " + m_folder);
    return run(commands);
}

RemoteStatus FtpFolderSession::changeFolder(const std::string& folder) {
    RemoteStatus status = runInCurrentFolder({"CWD " + folder, "PWD"});
    if (status != RemoteStatus::Done)
        return status;
    const std::string now = folderOfPwdReply(m_lastReply);
    if (!now.empty())
        m_folder = now;
    else if (!folder.empty() && folder.front() == '/')
        m_folder = folder;
    return status;
}

RemoteStatus FtpFolderSession::currentFolder(std::string& folder) {
    RemoteStatus status = runInCurrentFolder({"PWD"});
    if (status != RemoteStatus::Done)
        return status;
    folder = folderOfPwdReply(m_lastReply);
    return folder.empty() ? RemoteStatus::Refused : RemoteStatus::Done;
}

RemoteStatus FtpFolderSession::list(std::vector<RemoteEntry>& entries) {
    std::vector<std::string> commands;
    if (!m_folder.empty() && !holdsLineBreak(m_folder))
        commands.push_back("CWD " + m_folder);
    std::string listing;
    RemoteStatus status = run(commands, "MLSD", &listing);
    // 500, 501, 502: the server does not know MLSD.
    const bool unknown = status == RemoteStatus::Refused && m_lastReply.rfind("50", 0) == 0;
    if (unknown) {
        listing.clear();
        status = run(commands, "LIST", &listing);
    }
    if (status == RemoteStatus::Done)
        entries = unknown ? parseListListing(listing) : parseMlsdListing(listing);
    return status;
}

RemoteStatus FtpFolderSession::makeFolder(const std::string& name) {
    RemoteStatus status = runInCurrentFolder({"MKD " + name});
    if (status != RemoteStatus::Refused)
        return status;
    if (m_lastReply.rfind("521", 0) == 0 || mentionsExists(m_lastReply))
        return RemoteStatus::Exists;
    // Many servers answer a taken name with a plain 550: look for it.
    const std::string refusal = m_lastReply;
    std::vector<RemoteEntry> entries;
    if (list(entries) == RemoteStatus::Done &&
        std::any_of(entries.begin(), entries.end(), [&](const RemoteEntry& e) { return e.name == name; }))
        status = RemoteStatus::Exists;
    m_lastReply = refusal;
    return status;
}

RemoteStatus FtpFolderSession::rename(const std::string& from, const std::string& to) {
    return runInCurrentFolder({"RNFR " + from, "RNTO " + to});
}

RemoteStatus FtpFolderSession::removeFile(const std::string& name) { return runInCurrentFolder({"DELE " + name}); }

RemoteStatus FtpFolderSession::removeFolder(const std::string& name) { return runInCurrentFolder({"RMD " + name}); }
