#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/data_module.h"
#include "integration/http_server.h"
#include "app/settings.h"
#include "app/update_check.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/user_dialogs.h"

namespace {

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

// A server that never answers, or stops after the headers, ends the check
// when the client's read time-out passes (shortened here; the program's is
// 5000 ms, and the benchmarks time it).
TEST_F(UpdateCheck, AServerThatFallsSilentEndsTheCheckQuietly) {
    TDM* saved = DM;
    TDM quick;
    quick.IdHTTP1.readTimeoutMs = 200;
    {
        TestServer stall(TestServer::Mode::Stall, "");
        CheckForUpdate();
        EXPECT_FALSE(Prompted());
        EXPECT_EQ(stall.connections(), 1);
    }
    {
        TestServer stall(TestServer::Mode::HeadersThenStall,
                         "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n[Version]\r\nVer=2099.1.1\r\n");
        EXPECT_FALSE(IsUpdateAvailable());  // the body never arrived whole
        EXPECT_EQ(stall.connections(), 1);
    }
    DM = saved;
}

// A server that sends a byte now and then never lets a read wait run out;
// the check as a whole ends at its deadline (15 s in the program, shortened here).
TEST_F(UpdateCheck, AServerThatTricklesForeverIsCutOffByTheDeadline) {
    TDM* saved = DM;
    TDM quick;
    EXPECT_EQ(quick.IdHTTP1.deadlineMs, 15000);
    quick.IdHTTP1.deadlineMs = 400;
    TestServer trickle(TestServer::Mode::Trickle, "HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\n\r\n");
    EXPECT_FALSE(IsUpdateAvailable());
    CheckForUpdate();
    EXPECT_FALSE(Prompted());
    DM = saved;
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
