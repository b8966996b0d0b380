#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/settings.h"
#include "app/update_check.h"
#include "integration/http_server.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace {

std::string SetupExe() { return ExeDirectory() + "..\\package\\OrmatekSorvanda-2010.1.2-setup.exe"; }

DWORD RunAndWait(const std::string& commandLine, DWORD timeoutMs = 120000) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 9999;
    WaitForSingleObject(pi.hProcess, timeoutMs);
    DWORD code = 9998;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return code;
}

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindMain(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    RECT r;
    if (pid == f->pid && IsWindowVisible(h) && GetClientRect(h, &r) && r.right == 740 && r.bottom == 519) {
        f->window = h;
        return FALSE;
    }
    return TRUE;
}

std::string ShellFolderOf(const char* name) {
    RegKey k;
    k.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    return k.ReadString(name);
}

std::string LocalAppData() { return ShellFolderOf("Local AppData"); }

}  // namespace

TEST(Installer, InstallsForTheUserRunsAndUninstallsKeepingExclusions) {
    if (!FileExists(SetupExe())) GTEST_SKIP() << "no installer built (makensis or chmcmd missing)";
    const std::string dir = LocalAppData() + "\\Programs\\Ormatek Sorvanda";
    ASSERT_EQ(RunAndWait("\"" + SetupExe() + "\" /S"), 0u);
    for (const char* f : {"\\OrmatekSorvanda.exe", "\\Ormatek Sorvanda.chm", "\\Uninstall.exe"})
        EXPECT_TRUE(FileExists(dir + f)) << f;
    const std::string menu = ShellFolderOf("Programs") + "\\Ormatek Sorvanda";
    for (const char* f : {"\\Ormatek Sorvanda.lnk", "\\Ormatek Sorvanda Help.lnk", "\\Uninstall Ormatek Sorvanda.lnk"})
        EXPECT_TRUE(FileExists(menu + f)) << f;
    RegKey uninstall;
    ASSERT_TRUE(uninstall.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrmatekSorvanda"));
    EXPECT_EQ(uninstall.ReadString("DisplayVersion"), "2010.1.2");
    EXPECT_EQ(uninstall.ReadString("InstallLocation"), dir);
    uninstall.Close();

    // The installed program starts, and writes beside itself (its update check's Update.ini).
    TestServer server(TestServer::Mode::Respond,
                      "HTTP/1.0 200 OK\r\nContent-Length: 23\r\n\r\n[Version]\r\nVer=2010.1.2\r\n");
    RegKey settings;
    ASSERT_TRUE(settings.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey));
    settings.WriteString("CheckUpdate", "1");
    settings.WriteString("Version", "2010.1.2");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + dir + "\\OrmatekSorvanda.exe\"";
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
    Found found{pi.dwProcessId, nullptr};
    for (int i = 0; i < 300 && !found.window; ++i) {
        Sleep(100);
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&found));
    }
    EXPECT_NE(found.window, nullptr) << "the installed program showed no main window";
    if (found.window) PostMessageA(found.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);  // ours
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    settings.WriteString("CheckUpdate", "0");
    EXPECT_EQ(server.connections(), 1);
    EXPECT_TRUE(FileExists(dir + "\\Update.ini"));

    // Uninstall leaves the user's exclusion list unless asked.
    HANDLE h = CreateFileA((dir + "\\Exclude1Items.est").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    EXPECT_EQ(RunAndWait("\"" + dir + "\\Uninstall.exe\" /S _?=" + dir), 0u);
    EXPECT_FALSE(FileExists(dir + "\\OrmatekSorvanda.exe"));
    EXPECT_FALSE(FileExists(dir + "\\Ormatek Sorvanda.chm"));
    EXPECT_FALSE(FileExists(dir + "\\Update.ini"));
    EXPECT_TRUE(FileExists(dir + "\\Exclude1Items.est"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrmatekSorvanda"));
    // Installed again and uninstalled as a user would (the uninstaller copies
    // itself away and returns at once) with /REMOVEEXCLUSIONS: nothing is left.
    ASSERT_EQ(RunAndWait("\"" + SetupExe() + "\" /S"), 0u);
    EXPECT_EQ(RunAndWait("\"" + dir + "\\Uninstall.exe\" /S /REMOVEEXCLUSIONS"), 0u);
    for (int i = 0; i < 600 && (DirectoryExists(dir) || DirectoryExists(menu)); ++i) Sleep(100);
    EXPECT_FALSE(DirectoryExists(dir));
    EXPECT_FALSE(DirectoryExists(menu));
}

TEST(Installer, TheHelpFileIsACompiledHelpFile) {
    const std::string chm = ExeDirectory() + "..\\package\\Ormatek Sorvanda.chm";
    if (!FileExists(chm)) GTEST_SKIP() << "no help file built";
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(chm, bytes));
    EXPECT_EQ(bytes.substr(0, 4), "ITSF");  // the signature of a compiled help file
    for (const char* page : {"/index.html", "/scanning.html", "/exclusions.html", "/shredder.html", "/catalog.html"})
        EXPECT_NE(bytes.find(page), std::string::npos) << page;
}

// The program's own resources: the version Windows shows in its properties
// (the same as the installed-version default), the manifest and the icon.
TEST(Installer, TheProgramCarriesItsVersionManifestAndIcon) {
    const std::string exe = ExeDirectory() + "OrmatekSorvanda.exe";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
    auto text = [&](const char* name) {
        char* value = nullptr;
        UINT len = 0;
        const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) || !value) return std::string();
        return std::string(value);
    };
    EXPECT_EQ(text("ProductName"), "Ormatek Sorvanda");
    EXPECT_EQ(text("ProductVersion"), kDefaultVersion);
    EXPECT_EQ(text("FileVersion"), kDefaultVersion);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    const std::string numbers = std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwProductVersionLS));
    EXPECT_EQ(numbers, kDefaultVersion);

    HMODULE m = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(m, nullptr);
    HRSRC res = FindResourceA(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // the manifest
    ASSERT_NE(res, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(m, res))), SizeofResource(m, res));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(FindResourceA(m, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);  // the icon group
    FreeLibrary(m);
}
