#pragma once
// Serves one catalogue folder over HTTP on the loopback address, so a browser
// can view it: frames of a page opened from disk are separate origins and
// cannot reach each other's scripts, over HTTP they share one. Only GET and
// HEAD are answered, and nothing outside the folder is ever served. The
// server runs on its own threads from start() until stop() or destruction,
// so a program can keep it for as long as it lives.
#include <memory>
#include <string>

inline constexpr int kDefaultServePort = 8088;
inline constexpr const char* kServeHost = "127.0.0.1";

enum class ServeStart {
    Started,
    FolderMissing,   // the folder does not exist or is no folder
    PortInUse,
    CannotListen,    // any other failure to bind or listen
};

class CatalogueServer {
public:
    explicit CatalogueServer(std::string folder);
    ~CatalogueServer();
    CatalogueServer(const CatalogueServer&) = delete;
    CatalogueServer& operator=(const CatalogueServer&) = delete;

    // Binds 127.0.0.1:port (0 lets the system pick a free port) and starts
    // answering. Once it returns Started, connections are accepted. A running
    // server is left as it is.
    ServeStart start(int port = kDefaultServePort);
    // Stops accepting and waits for the server's threads: idle connections
    // end within a second, a request stalled half-way within the read time
    // of a few seconds. Nothing happens when the server is not running.
    void stop();

    bool isRunning() const;
    // The port bound by the last successful start(); 0 before.
    int port() const;
    // "http://127.0.0.1:PORT/" followed by the entry page the folder has
    // (the home page, else the first index page), or by nothing.
    std::string address() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
