#include "platform/user_dialogs.h"

#include <commctrl.h>
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
    std::vector<std::string> OpenFiles(HWND owner, const std::string& startFolder) override {
        // Room for many long names: the dialog fails rather than cut a list that does not fit.
        std::wstring buffer(1 << 16, L'\0');
        const std::wstring start = ToWide(startFolder);
        static const wchar_t kFilter[] = L"All files (*.*)\0*.*\0";
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = static_cast<DWORD>(buffer.size());
        ofn.lpstrInitialDir = OrNull(start);
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER;
        if (!GetOpenFileNameW(&ofn)) return {};
        // One file: its whole path. Several: the folder, then each name, each ended by a NUL.
        std::vector<std::wstring> parts;
        for (const wchar_t* p = buffer.c_str(); *p; p += parts.back().size() + 1) parts.emplace_back(p);
        std::vector<std::string> files;
        if (parts.size() == 1) {
            files.push_back(FromWide(parts[0]));
        } else if (parts.size() > 1) {
            std::wstring folder = parts[0];
            if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
            for (size_t i = 1; i < parts.size(); ++i) files.push_back(FromWide(folder + parts[i]));
        }
        return files;
    }
    int Confirm(HWND owner, const std::string& text, const std::string& caption, const std::string& action,
                bool& dontAskAgain) override {
        dontAskAgain = false;
        // The task dialog comes with the version 6 controls only; without it a plain question.
        using TaskDialogFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
        HMODULE controls = GetModuleHandleW(L"comctl32.dll");
        auto taskDialog = controls ? reinterpret_cast<TaskDialogFn>(
                                         reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")))
                                   : nullptr;
        if (!taskDialog) return UserDialogs::Confirm(owner, text, caption, action, dontAskAgain);
        const std::wstring wideText = ToWide(text), wideCaption = ToWide(caption), wideAction = ToWide(action);
        TASKDIALOG_BUTTON buttons[] = {{IDOK, wideAction.c_str()}};
        TASKDIALOGCONFIG config{};
        config.cbSize = sizeof config;
        config.hwndParent = owner;
        config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
        config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
        config.pszWindowTitle = wideCaption.c_str();
        config.pszMainIcon = TD_WARNING_ICON;
        config.pszContent = wideText.c_str();
        config.cButtons = 1;
        config.pButtons = buttons;
        config.nDefaultButton = IDOK;
        config.pszVerificationText = L"Don't ask again";
        int pressed = IDCANCEL;
        BOOL ticked = FALSE;
        if (FAILED(taskDialog(&config, &pressed, nullptr, &ticked)))
            return UserDialogs::Confirm(owner, text, caption, action, dontAskAgain);
        // The box counts only with the action: a Cancel asks again next time.
        dontAskAgain = pressed == IDOK && ticked;
        return pressed == IDOK ? IDOK : IDCANCEL;
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
