#pragma once
// A small HTTP server of the tests' own on 127.0.0.1: it answers every
// request with one fixed response, closes the connection and counts the
// requests; and a loopback port held closed.  Each holds the socket library
// started while it lives.

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cltest {

namespace detail {

// The socket library started for an object's lifetime (the library counts
// its starts).
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

private:
    bool started_ = false;
};

// A loopback TCP socket bound to port (0: any free one).  A fixed port that
// is taken (another test run on the machine) is tried again for waitMs.
inline SOCKET BindLoopback(int port, bool reuse, int waitMs, int& boundPort) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        // Lets a server bind again while connections it closed linger.
        const BOOL on = TRUE;
        if (reuse) setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<u_short>(port));
        int size = sizeof address;
        if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
            boundPort = ntohs(address.sin_port);
            return s;
        }
        closesocket(s);
        if (std::chrono::steady_clock::now() > end) return INVALID_SOCKET;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}  // namespace detail

class TinyHttpServer {
public:
    // On a free port, or on the given one (waiting up to waitMs while it is taken).
    TinyHttpServer(int status, std::string body, int port = 0, int waitMs = 0)
        : status_(status), body_(std::move(body)) {
        listener_ = detail::BindLoopback(port, true, waitMs, port_);
        if (listener_ == INVALID_SOCKET || listen(listener_, 8) != 0) {
            error_ =
                "cannot listen on port " + std::to_string(port) + ": " + std::to_string(WSAGetLastError());
            return;
        }
        thread_ = std::thread([this] { Serve(); });
    }
    ~TinyHttpServer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
    }
    TinyHttpServer(const TinyHttpServer&) = delete;
    TinyHttpServer& operator=(const TinyHttpServer&) = delete;

    // Empty when the server listens.
    const std::string& Error() const { return error_; }
    int Port() const { return port_; }
    void SetBody(std::string body) {
        std::lock_guard<std::mutex> lock(mutex_);
        body_ = std::move(body);
    }
    // Runs on the server's thread with each request before it is answered,
    // while the client waits: what the client shows meanwhile.
    void SetOnRequest(std::function<void()> onRequest) {
        std::lock_guard<std::mutex> lock(mutex_);
        onRequest_ = std::move(onRequest);
    }
    std::string Url(const std::string& path = "/aktualizacja/sprawozdawca/upgr.id_") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    // The request lines received, in order.
    std::vector<std::string> Requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    void Serve() {
        while (!stop_) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_, &ready);
            timeval wait{0, 20000};
            if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            Answer(client);
            closesocket(client);
        }
    }

    void Answer(SOCKET client) {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.append(buffer, n);
        }
        std::string body;
        std::function<void()> onRequest;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request.substr(0, request.find("\r\n")));
            body = body_;
            onRequest = onRequest_;
        }
        if (onRequest) onRequest();
        const std::string response =
            "HTTP/1.1 " + std::to_string(status_) + (status_ == 200 ? " OK" : " Not Found") +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        send(client, response.data(), static_cast<int>(response.size()), 0);
        shutdown(client, SD_SEND);
    }

    detail::WinsockSession winsock_;
    int status_;
    std::string body_;
    std::string error_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::function<void()> onRequest_;
};

// Holds a loopback port without listening on it, so that connecting to it
// is refused (and no other test's server can take it meanwhile).
class ClosedPort {
public:
    explicit ClosedPort(int port = 0, int waitMs = 0) {
        socket_ = detail::BindLoopback(port, false, waitMs, port_);
    }
    ~ClosedPort() {
        if (socket_ != INVALID_SOCKET) closesocket(socket_);
    }
    ClosedPort(const ClosedPort&) = delete;
    ClosedPort& operator=(const ClosedPort&) = delete;
    bool Held() const { return socket_ != INVALID_SOCKET; }
    int Port() const { return port_; }

private:
    detail::WinsockSession winsock_;
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
};

}  // namespace cltest
