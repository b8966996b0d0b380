#include "platform/http_get.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdlib>
#include <string_view>

#include "base/text.h"
#include "platform/files.h"
#include "platform/handles.h"

namespace {

constexpr size_t kHeaderLimit = 64 * 1024;

struct Socket {
    SOCKET s = INVALID_SOCKET;
    ~Socket() {
        if (s != INVALID_SOCKET) closesocket(s);
    }
};

bool ParseUrl(const std::string& url, std::string& host, std::string& port, std::string& path) {
    constexpr std::string_view scheme = "http://";
    if (url.compare(0, scheme.size(), scheme) != 0) return false;
    const std::string rest = url.substr(scheme.size());
    const size_t slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    path = slash == std::string::npos ? "/" : rest.substr(slash);
    const size_t colon = authority.rfind(':');
    host = colon == std::string::npos ? authority : authority.substr(0, colon);
    port = colon == std::string::npos ? "80" : authority.substr(colon + 1);
    return !host.empty() && !port.empty() && port.find_first_not_of("0123456789") == std::string::npos;
}

// Waits until the socket can be read (or written); false on time-out or error.
// The end of the whole exchange; every wait is cut to what is left of it.
class Deadline {
public:
    explicit Deadline(int ms) : end_(ms > 0 ? GetTickCount64() + static_cast<ULONGLONG>(ms) : 0) {}
    int Cap(int timeoutMs) const {
        if (!end_) return timeoutMs;
        const ULONGLONG now = GetTickCount64();
        if (now >= end_) return 0;
        const ULONGLONG left = end_ - now;
        return left < static_cast<ULONGLONG>(timeoutMs) ? static_cast<int>(left) : timeoutMs;
    }

private:
    ULONGLONG end_;
};

bool Wait(SOCKET s, bool forWrite, int timeoutMs) {
    if (timeoutMs <= 0) return false;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    fd_set errors = set;
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int n = select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, &errors, &tv);
    return n > 0 && FD_ISSET(s, &set) && !FD_ISSET(s, &errors);
}

bool Connect(const std::string& host, const std::string& port, int timeoutMs, Socket& sock) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0 || !found) return false;
    bool ok = false;
    for (addrinfo* a = found; a && !ok; a = a->ai_next) {
        Socket attempt;
        attempt.s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (attempt.s == INVALID_SOCKET) continue;
        u_long nonBlocking = 1;
        ioctlsocket(attempt.s, FIONBIO, &nonBlocking);
        if (connect(attempt.s, a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0 &&
            WSAGetLastError() != WSAEWOULDBLOCK)
            continue;
        if (!Wait(attempt.s, true, timeoutMs)) continue;
        int error = 0, len = sizeof error;
        getsockopt(attempt.s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &len);
        if (error != 0) continue;
        sock.s = attempt.s;
        attempt.s = INVALID_SOCKET;
        ok = true;
    }
    freeaddrinfo(found);
    return ok;
}

bool SendAll(SOCKET s, const std::string& data, int timeoutMs) {
    size_t sent = 0;
    while (sent < data.size()) {
        if (!Wait(s, true, timeoutMs)) return false;
        const int n = send(s, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

// The value of a header (case-insensitive name), or empty.
std::string HeaderValue(const std::string& head, const char* name) {
    const std::string lower = AsciiLower(head);
    const std::string key = std::string("\r\n") + name + ":";
    const size_t at = lower.find(key);
    if (at == std::string::npos) return {};
    size_t b = at + key.size();
    const size_t e = head.find("\r\n", b);
    while (b < e && (head[b] == ' ' || head[b] == '\t')) ++b;
    return head.substr(b, e - b);
}

}  // namespace

bool HttpGetToFile(const std::string& url, const HttpGetOptions& options, const std::string& localPath) {
    File out(localPath, File::Open::Create);
    if (!out) return false;
    std::string host, port, path;
    if (!ParseUrl(url, host, port, path)) return false;
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return false;
    struct Cleanup {
        ~Cleanup() { WSACleanup(); }
    } cleanup;
    Socket sock;
    const Deadline deadline(options.deadlineMs);
    if (!Connect(host, port, deadline.Cap(options.timeoutMs), sock)) return false;
    const std::string request = "GET " + path + " HTTP/1.0\r\nHost: " + host +
                                (port == "80" ? "" : ":" + port) + "\r\nAccept: " + options.accept +
                                "\r\nContent-Type: " + options.contentType + "\r\nUser-Agent: " + options.userAgent +
                                "\r\nCache-Control: no-cache\r\nPragma: no-cache\r\nConnection: close\r\n\r\n";
    if (!SendAll(sock.s, request, deadline.Cap(options.timeoutMs))) return false;

    std::string head;
    size_t headEnd = std::string::npos;
    long long expected = -1, kept = 0, received = 0;
    char buffer[16 * 1024];
    for (;;) {
        if (!Wait(sock.s, false, deadline.Cap(options.timeoutMs))) return false;  // silent for too long, or too slow
        const int n = recv(sock.s, buffer, sizeof buffer, 0);
        if (n < 0) return false;
        if (n == 0) break;  // the server closed: the response is over
        const char* body = buffer;
        size_t bodySize = static_cast<size_t>(n);
        if (headEnd == std::string::npos) {
            head.append(buffer, static_cast<size_t>(n));
            headEnd = head.find("\r\n\r\n");
            if (headEnd == std::string::npos) {
                if (head.size() > kHeaderLimit) return false;
                continue;
            }
            // Status line "HTTP/1.x 200 ...".
            const size_t space = head.find(' ');
            const int status = space == std::string::npos ? 0 : std::atoi(head.c_str() + space + 1);
            if (head.compare(0, 5, "HTTP/") != 0 || status < 200 || status > 299) return false;
            const std::string length = HeaderValue(head.substr(0, headEnd + 2), "content-length");
            if (!length.empty()) expected = std::atoll(length.c_str());
            body = head.data() + headEnd + 4;
            bodySize = head.size() - headEnd - 4;
        }
        received += static_cast<long long>(bodySize);
        size_t take = bodySize;
        if (options.bodyCap > 0 && static_cast<size_t>(kept) + take > options.bodyCap)
            take = options.bodyCap - static_cast<size_t>(kept);
        if (take > 0 && !out.WriteAll(body, take)) return false;
        kept += static_cast<long long>(take);
        if (options.bodyCap > 0 && static_cast<size_t>(kept) >= options.bodyCap) return true;  // enough
    }
    if (headEnd == std::string::npos) return false;  // no complete response
    return expected < 0 || received >= expected;
}
