#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "app/data_module.h"
#include "app/settings.h"
#include "app/update_check.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/user_dialogs.h"

namespace {

// A small HTTP server on 127.0.0.1 for one test: it answers every request
// with the same response, or accepts and never answers.
class TestServer {
public:
    enum class Mode { Respond, Stall };
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
            if (mode_ == Mode::Stall) {
                while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(20));  // never answer
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

std::string Ok(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

class Recorder : public UserDialogs {
public:
    int answer = IDNO;
    std::vector<std::string> texts;
    std::vector<UINT> flags;
    std::vector<std::string> opened;
    int Message(HWND, const std::string& text, const std::string&, UINT f) override {
        texts.push_back(text);
        flags.push_back(f);
        return answer;
    }
    void ShellOpen(HWND, const std::string& target, const std::string&, const std::string&, int show) override {
        opened.push_back(target + " " + std::to_string(show));
    }
    std::string OpenFile(HWND) override { return {}; }
    std::string BrowseForFolder(HWND, const std::string&) override { return {}; }
};

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override {
        SetDialogs(&dialogs);
        RegKey k;
        k.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey);
        k.WriteString("Version", "2010.1.2");
    }
    void TearDown() override {
        SetDialogs(nullptr);
        DeleteFileA((ExeDirectory() + "Update.ini").c_str());
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    bool Prompted() const { return !dialogs.texts.empty(); }
    Recorder dialogs;
};

bool QuitPosted() {
    MSG m;
    return PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace

TEST_F(UpdateCheck, ANewerVersionIsOfferedAndYesStartsTheUpdater) {
    TestServer server(TestServer::Mode::Respond, Ok("[Version]\r\nVer = 2010.1.3 \r\n"));
    CheckForUpdate();
    ASSERT_TRUE(Prompted());
    EXPECT_EQ(dialogs.texts[0], "A newer version of Ormatek Drelvik is available. Would you like to update now?");
    EXPECT_EQ(dialogs.flags[0], 68u);
    EXPECT_TRUE(dialogs.opened.empty());  // No: nothing else
    EXPECT_FALSE(QuitPosted());
    // The request asks for the fixed path with the client's headers.
    const std::string req = server.request();
    EXPECT_EQ(req.rfind("GET /products/security/ormatek-sorvanda/update/Update.ini HTTP/1.0\r\n", 0), 0u) << req;
    EXPECT_NE(req.find("User-Agent: Mozilla/3.0 (compatible; Indy Library)"), std::string::npos);
    EXPECT_NE(req.find("Accept: text/html, */*"), std::string::npos);
    EXPECT_EQ(req.find("Range:"), std::string::npos);
    // The local copy stays.
    std::string local;
    EXPECT_TRUE(ReadWholeFile(ExeDirectory() + "Update.ini", local));
    dialogs.answer = IDYES;
    CheckForUpdate();
    ASSERT_EQ(dialogs.opened.size(), 1u);
    EXPECT_EQ(dialogs.opened[0], ExeDirectory() + "Update.exe " + std::to_string(SW_SHOW));
    EXPECT_TRUE(QuitPosted());
}

TEST_F(UpdateCheck, VersionsCompareByTheirNumbers) {
    {
        TestServer same(TestServer::Mode::Respond, Ok("[Version]\r\nVer=2010.1.2\r\n"));
        CheckForUpdate();
        EXPECT_FALSE(Prompted());
    }
    {
        TestServer tenth(TestServer::Mode::Respond, Ok("[version]\r\nver=2010.1.10\r\n"));
        CheckForUpdate();
        EXPECT_TRUE(Prompted());  // 10 is more than 2
    }
    dialogs.texts.clear();
    {
        TestServer noSection(TestServer::Mode::Respond, Ok("[Other]\r\nVer=2099.1.1\r\n"));
        CheckForUpdate();
        EXPECT_FALSE(Prompted());
    }
    {
        TestServer empty(TestServer::Mode::Respond, Ok("[Version]\r\nVer=\r\n"));
        CheckForUpdate();
        EXPECT_FALSE(Prompted());
    }
}

TEST_F(UpdateCheck, ErrorsAreSilent) {
    {
        TestServer missing(TestServer::Mode::Respond,
                           "HTTP/1.1 404 Not Found\r\nContent-Length: 25\r\nConnection: close\r\n\r\n[Version]\r\nVer=2099.0.0\r\n");
        EXPECT_FALSE(IsUpdateAvailable());
        CheckForUpdate();
        EXPECT_FALSE(Prompted());
    }
    // Nobody listening at all.
    SetEnvironmentVariableA(kUpdateHostVariable, "http://127.0.0.1:1");
    CheckForUpdate();
    SetEnvironmentVariableA(kUpdateHostVariable, nullptr);
    EXPECT_FALSE(Prompted());
}

TEST_F(UpdateCheck, AServerThatNeverAnswersEndsAfterTheReadTimeout) {
    TestServer stall(TestServer::Mode::Stall, "");
    const auto t0 = std::chrono::steady_clock::now();
    CheckForUpdate();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_FALSE(Prompted());
    EXPECT_EQ(stall.connections(), 1);
    EXPECT_GE(seconds, 4.0);
    EXPECT_LT(seconds, 12.0);
    std::printf("stalled server: check ended after %.1f s\n", seconds);
}

TEST_F(UpdateCheck, AHugeBodyIsCutAtOneMebibyte) {
    const std::string padding(10u << 20, ';');
    {
        TestServer late(TestServer::Mode::Respond, Ok(padding + "\r\n[Version]\r\nVer=2099.1.1\r\n"));
        EXPECT_FALSE(IsUpdateAvailable());  // the version lies beyond the first MiB
        EXPECT_EQ(FileSize64(ExeDirectory() + "Update.ini"), static_cast<int64_t>(kUpdateDownloadCap));
    }
    {
        TestServer early(TestServer::Mode::Respond, Ok("[Version]\r\nVer=2099.1.1\r\n" + padding));
        EXPECT_TRUE(IsUpdateAvailable());
    }
}

TEST_F(UpdateCheck, OnlyTheSettingStartsACheck) {
    TestServer server(TestServer::Mode::Respond, Ok("[Version]\r\nVer=2099.1.1\r\n"));
    TDM* saved = DM;
    CheckUpdate = false;
    { TDM quiet; }
    EXPECT_EQ(server.connections(), 0);
    EXPECT_FALSE(Prompted());
    CheckUpdate = true;
    { TDM checking; }
    CheckUpdate = false;
    DM = saved;
    EXPECT_EQ(server.connections(), 1);
    EXPECT_TRUE(Prompted());
}

TEST_F(UpdateCheck, FirstRunWritesTheInstalledVersion) {
    RegKey k;
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey));
    k.DeleteValue("Version");
    EXPECT_EQ(GetInstalledVersion(), "2010.1.2");
    EXPECT_EQ(k.ReadString("Version"), "2010.1.2");
    k.WriteString("Version", "");
    EXPECT_EQ(GetInstalledVersion(), "2010.1.2");
    k.WriteString("Version", "2011.2.0");
    EXPECT_EQ(GetInstalledVersion(), "2011.2.0");
    k.WriteString("Version", "2010.1.2");
}
