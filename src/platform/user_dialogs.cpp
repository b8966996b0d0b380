#include "platform/user_dialogs.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

namespace {

class SystemDialogs final : public UserDialogs {
public:
    int Message(HWND owner, const std::string& text, const std::string& caption, UINT flags) override {
        return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    }
    void ShellOpen(HWND owner, const std::string& target, const std::string& params, const std::string& dir,
                   int show) override {
        ShellExecuteA(owner, "open", target.c_str(), params.empty() ? nullptr : params.c_str(),
                      dir.empty() ? nullptr : dir.c_str(), show);
    }
    std::string OpenFile(HWND owner) override {
        char file[MAX_PATH * 4] = {};
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        return GetOpenFileNameA(&ofn) ? std::string(file) : std::string();
    }
    std::string BrowseForFolder(HWND owner, const std::string& title) override {
        BROWSEINFOA bi{};
        bi.hwndOwner = owner;
        bi.lpszTitle = title.c_str();
        bi.ulFlags = BIF_RETURNONLYFSDIRS;
        PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&bi);
        if (!pidl) return {};
        char path[MAX_PATH + 1] = {};
        const BOOL ok = SHGetPathFromIDListA(pidl, path);
        CoTaskMemFree(pidl);
        return ok ? std::string(path) : std::string();
    }
};

SystemDialogs g_system;
UserDialogs* g_current = &g_system;

}  // namespace

UserDialogs& Dialogs() { return *g_current; }

void SetDialogs(UserDialogs* dialogs) { g_current = dialogs ? dialogs : &g_system; }
