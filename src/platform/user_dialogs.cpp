#include "platform/user_dialogs.h"

#include <shellapi.h>

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
};

SystemDialogs g_system;
UserDialogs* g_current = &g_system;

}  // namespace

UserDialogs& Dialogs() { return *g_current; }

void SetDialogs(UserDialogs* dialogs) { g_current = dialogs ? dialogs : &g_system; }
