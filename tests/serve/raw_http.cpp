#include "tests/serve/raw_http.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

LoopbackConnection::LoopbackConnection(int port) {
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_socket >= 0 && ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

LoopbackConnection::~LoopbackConnection() {
    if (m_socket >= 0)
        ::close(m_socket);
}

bool LoopbackConnection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string LoopbackConnection::receiveUntilClosed(std::chrono::milliseconds timeout) {
    std::string received;
    char buffer[4096];
    pollfd readable{m_socket, POLLIN, 0};
    while (::poll(&readable, 1, static_cast<int>(timeout.count())) == 1) {
        ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

std::string LoopbackConnection::receiveResponse(bool head, std::chrono::milliseconds timeout) {
    std::string received;
    char buffer[4096];
    pollfd readable{m_socket, POLLIN, 0};
    while (::poll(&readable, 1, static_cast<int>(timeout.count())) == 1) {
        ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
        std::size_t headerEnd = received.find("\r\n\r\n");
        if (headerEnd == std::string::npos)
            continue;
        std::size_t length = 0;
        std::size_t field = received.find("Content-Length: ");
        if (!head && field != std::string::npos && field < headerEnd)
            length = std::strtoul(received.c_str() + field + 16, nullptr, 10);
        if (received.size() >= headerEnd + 4 + length)
            break;
    }
    return received;
}

bool LoopbackConnection::closedByServerWithin(std::chrono::milliseconds timeout) {
    pollfd readable{m_socket, POLLIN, 0};
    char byte;
    return ::poll(&readable, 1, static_cast<int>(timeout.count())) == 1 && ::recv(m_socket, &byte, 1, 0) == 0;
}

std::string rawRequest(int port, std::string_view method, std::string_view target) {
    LoopbackConnection connection(port);
    std::string request = std::string(method) + " " + std::string(target) +
                          " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    if (!connection.send(request))
        return {};
    return connection.receiveUntilClosed(std::chrono::seconds(10));
}

int statusOf(std::string_view response) {
    if (response.substr(0, 9) != "HTTP/1.1 " || response.size() < 12)
        return 0;
    return std::atoi(std::string(response.substr(9, 3)).c_str());
}

std::string bodyOf(std::string_view response) {
    std::size_t headerEnd = response.find("\r\n\r\n");
    return headerEnd == std::string_view::npos ? std::string() : std::string(response.substr(headerEnd + 4));
}
