// A small HTTP server on 127.0.0.1 for a test, in a thread of the test.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "app/update_check.h"

// A small HTTP server on 127.0.0.1 for one test: it answers every request
// with the same response, or accepts and never answers.
class TestServer {
public:
    enum class Mode { Respond, Stall, HeadersThenStall, Trickle };
    TestServer(Mode mode, std::string response) : mode_(mode), response_(std::move(response)) {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        int len = sizeof addr;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        listen(listener_, 4);
        thread_ = std::thread([this] { Serve(); });
        SetEnvironmentVariableA(kUpdateHostVariable, ("http://127.0.0.1:" + std::to_string(port_)).c_str());
    }
    ~TestServer() {
        stop_ = true;
        closesocket(listener_);  // ends accept()
        thread_.join();
        SetEnvironmentVariableA(kUpdateHostVariable, nullptr);
    }
    int connections() const { return connections_; }
    std::string request() const { return request_; }

private:
    void Serve() {
        while (!stop_) {
            SOCKET s = accept(listener_, nullptr, nullptr);
            if (s == INVALID_SOCKET) return;
            ++connections_;
            char buf[4096];
            std::string req;
            while (req.find("\r\n\r\n") == std::string::npos) {
                const int n = recv(s, buf, sizeof buf, 0);
                if (n <= 0) break;
                req.append(buf, static_cast<size_t>(n));
            }
            request_ = req;
            if (mode_ == Mode::Trickle) {
                // The response, then a byte at a time with pauses, for as long as the test lasts.
                send(s, response_.data(), static_cast<int>(response_.size()), 0);
                while (!stop_ && send(s, ";", 1, 0) == 1) std::this_thread::sleep_for(std::chrono::milliseconds(50));
            } else if (mode_ != Mode::Respond) {
                if (mode_ == Mode::HeadersThenStall) send(s, response_.data(), static_cast<int>(response_.size()), 0);
                while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(20));  // then silence
            } else {
                size_t sent = 0;
                while (sent < response_.size()) {
                    const int n = send(s, response_.data() + sent, static_cast<int>(response_.size() - sent), 0);
                    if (n <= 0) break;
                    sent += static_cast<size_t>(n);
                }
            }
            shutdown(s, SD_BOTH);
            closesocket(s);
        }
    }
    Mode mode_;
    std::string response_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::string request_;
};
