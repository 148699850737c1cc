#include "serve/catalogue_server.h"

#include <httplib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sys/socket.h>
#include <thread>

#include "serve/content_types.h"
#include "serve/served_path.h"

namespace fs = std::filesystem;

namespace {

// A frameset loads its frames and their pictures in parallel: enough workers
// for a browser's connections to one host and a few to spare.
constexpr std::size_t kWorkerThreads = 16;
// Idle or stalled clients let go of their worker after this long. stop()
// waits for the workers, and the library looks at it only between requests:
// an idle connection holds it up for the keep-alive time at most, a request
// stalled half-way for the read time.
constexpr std::chrono::seconds kReadTimeout{3};
constexpr std::chrono::seconds kWriteTimeout{3};
constexpr time_t kKeepAliveSeconds = 1;
constexpr std::size_t kKeepAliveRequests = 100;
// Catalogue files are pages, scripts and pictures, all small.
constexpr std::size_t kMaxServedFileSize = 64u << 20;

// Only SO_REUSEADDR: the library's default also sets SO_REUSEPORT, which would
// let a second server share a port another one already listens on.
void setListeningSocketOptions(socket_t socket) {
    int yes = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

void answerStatus(httplib::Response& response, int status, const char* text) {
    response.status = status;
    response.set_content(text, "text/plain");
}

} // namespace

struct CatalogueServer::Impl {
    fs::path folder;
    fs::path root;   // canonical form of folder, fixed at start()
    httplib::Server server;
    std::thread listener;
    std::atomic<bool> listening{false};
    std::atomic<bool> listenEnded{false};
    int port = 0;
    socket_t listeningSocket = -1;

    void configure();
    void serve(const httplib::Request& request, httplib::Response& response) const;
};

void CatalogueServer::Impl::configure() {
    server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    server.set_socket_options([this](socket_t socket) {
        setListeningSocketOptions(socket);
        listeningSocket = socket;
    });
    server.set_read_timeout(kReadTimeout);
    server.set_write_timeout(kWriteTimeout);
    server.set_keep_alive_timeout(kKeepAliveSeconds);
    server.set_keep_alive_max_count(kKeepAliveRequests);
    server.set_payload_max_length(64u << 10);
    server.set_pre_routing_handler([](const httplib::Request& request, httplib::Response& response) {
        if (request.method == "GET" || request.method == "HEAD")
            return httplib::Server::HandlerResponse::Unhandled;
        answerStatus(response, 405, "Method Not Allowed\n");
        response.set_header("Allow", "GET, HEAD");
        // The request's body was never read: the connection cannot carry another.
        response.set_header("Connection", "close");
        return httplib::Server::HandlerResponse::Handled;
    });
    // The library answers HEAD through the GET handlers and leaves out the body.
    server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        serve(request, response);
    });
}

void CatalogueServer::Impl::serve(const httplib::Request& request, httplib::Response& response) const {
    ServedFile found = resolveServedFile(root, request.target, request.path);
    if (found.verdict == PathVerdict::Forbidden)
        return answerStatus(response, 403, "Forbidden\n");
    if (found.verdict == PathVerdict::NotFound)
        return answerStatus(response, 404, "Not Found\n");
    std::optional<std::string> bytes = readServedFile(found.file, kMaxServedFileSize);
    if (!bytes)
        return answerStatus(response, 404, "Not Found\n");
    // A catalogue is viewed again after every generation: always ask.
    response.set_header("Cache-Control", "no-cache");
    response.set_content(std::move(*bytes), std::string(contentTypeFor(found.file.filename().string())));
}

CatalogueServer::CatalogueServer(std::string folder) : m_impl(std::make_unique<Impl>()) {
    m_impl->folder = std::move(folder);
    m_impl->configure();
}

CatalogueServer::~CatalogueServer() { stop(); }

ServeStart CatalogueServer::start(int port) {
    Impl& impl = *m_impl;
    if (impl.listener.joinable())
        return ServeStart::Started;
    std::error_code ec;
    impl.root = fs::canonical(impl.folder, ec);
    if (ec || !fs::is_directory(impl.root, ec))
        return ServeStart::FolderMissing;

    errno = 0;
    int bound = port == 0 ? impl.server.bind_to_any_port(kServeHost)
                          : (impl.server.bind_to_port(kServeHost, port) ? port : -1);
    if (bound <= 0)
        return errno == EADDRINUSE ? ServeStart::PortInUse : ServeStart::CannotListen;
    impl.port = bound;
    // The library listens with a backlog of 5; a browser opening a frameset's
    // connections all at once would see some refused and retried a second
    // later. Listening again only widens the queue.
    ::listen(impl.listeningSocket, SOMAXCONN);
    impl.listenEnded = false;
    impl.listener = std::thread([&impl] {
        impl.server.listen_after_bind();
        impl.listenEnded = true;
    });
    // stop() only takes effect once the server runs; wait for that here so a
    // stop() right after start() cannot be missed.
    while (!impl.server.is_running() && !impl.listenEnded)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (impl.listenEnded) {
        impl.listener.join();
        return ServeStart::CannotListen;
    }
    impl.listening = true;
    return ServeStart::Started;
}

void CatalogueServer::stop() {
    Impl& impl = *m_impl;
    if (!impl.listener.joinable())
        return;
    impl.server.stop();
    impl.listener.join();
    impl.listening = false;
}

bool CatalogueServer::isRunning() const { return m_impl->listening && m_impl->server.is_running(); }

int CatalogueServer::port() const { return m_impl->port; }

std::string CatalogueServer::address() const {
    return "http://" + std::string(kServeHost) + ":" + std::to_string(m_impl->port) + "/" +
           entryPageOf(m_impl->root.empty() ? m_impl->folder : m_impl->root);
}
