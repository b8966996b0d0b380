#include "platform/user_dialogs.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <iterator>

#include "platform/wide.h"

namespace {

// A null pointer for empty text, as the shell takes "none".
const wchar_t* OrNull(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

class SystemDialogs final : public UserDialogs {
public:
    int Message(HWND owner, const std::string& text, const std::string& caption, UINT flags) override {
        return MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), flags);
    }
    void ShellOpen(HWND owner, const std::string& target, const std::string& params, const std::string& dir,
                   int show) override {
        const std::wstring wideTarget = ToWide(target), wideParams = ToWide(params), wideDir = ToWide(dir);
        ShellExecuteW(owner, L"open", wideTarget.c_str(), OrNull(wideParams), OrNull(wideDir), show);
    }
    std::string OpenFile(HWND owner) override {
        wchar_t file[MAX_PATH * 4] = {};
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFile = file;
        ofn.nMaxFile = static_cast<DWORD>(std::size(file));  // characters
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        return GetOpenFileNameW(&ofn) ? FromWide(file) : std::string();
    }
    std::string BrowseForFolder(HWND owner, const std::string& title) override {
        const std::wstring wideTitle = ToWide(title);
        BROWSEINFOW bi{};
        bi.hwndOwner = owner;
        bi.lpszTitle = wideTitle.c_str();
        bi.ulFlags = BIF_RETURNONLYFSDIRS;
        PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
        if (!pidl) return {};
        wchar_t path[MAX_PATH + 1] = {};
        const BOOL ok = SHGetPathFromIDListW(pidl, path);
        CoTaskMemFree(pidl);
        return ok ? FromWide(path) : std::string();
    }
};

SystemDialogs g_system;
UserDialogs* g_current = &g_system;

}  // namespace

UserDialogs& Dialogs() { return *g_current; }

void SetDialogs(UserDialogs* dialogs) { g_current = dialogs ? dialogs : &g_system; }

void OpenDocument(HWND owner, const std::string& target) { Dialogs().ShellOpen(owner, target, "", "", SW_SHOWNORMAL); }
