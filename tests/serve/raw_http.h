#pragma once
// A bare HTTP client over a loopback socket, for requests no library would
// send as written (parent steps, backslashes, half-sent requests) and for
// checking exactly what the server wrote back.
#include <chrono>
#include <string>
#include <string_view>

class LoopbackConnection {
public:
    explicit LoopbackConnection(int port);
    ~LoopbackConnection();
    LoopbackConnection(const LoopbackConnection&) = delete;
    LoopbackConnection& operator=(const LoopbackConnection&) = delete;

    bool connected() const { return m_socket >= 0; }
    bool send(std::string_view bytes);
    // Everything the server writes until it closes the connection or
    // nothing arrives for timeout.
    std::string receiveUntilClosed(std::chrono::milliseconds timeout);
    // One response whose length is given by its Content-Length header (none
    // for an answer to HEAD), read without waiting for the connection to close.
    std::string receiveResponse(bool head, std::chrono::milliseconds timeout);
    // True when the server closes the connection within timeout.
    bool closedByServerWithin(std::chrono::milliseconds timeout);

private:
    int m_socket = -1;
};

// "GET target HTTP/1.1" with Connection: close; the whole answer.
std::string rawRequest(int port, std::string_view method, std::string_view target);

// The status code of a response's first line; 0 when there is none.
int statusOf(std::string_view response);
// The body after the blank line; empty when there is none.
std::string bodyOf(std::string_view response);
