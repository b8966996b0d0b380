// Shows one screen of the program for a given time, so that a script can take
// a screenshot of it: sorvanda-shots splash|scan|result|exclude|advanced|about SECONDS
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/data_module.h"
#include "ui/frm_about.h"
#include "ui/frm_main.h"
#include "ui/frm_start.h"

namespace {
void RunFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const char* what = argv[1];
    const DWORD ms = static_cast<DWORD>(std::atoi(argv[2]) * 1000);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (std::strcmp(what, "splash") == 0) {
        TFrm_Start splash;
        splash.Create();
        ShowWindow(splash.hwnd(), SW_SHOW);
        RunFor(ms);
        return 0;
    }
    static TDM dm;
    DM = &dm;
    static TFrm_Main form;
    form.Create();
    form.ShowFirst();
    if (std::strcmp(what, "result") == 0) form.ResultBtnClick();
    if (std::strcmp(what, "exclude") == 0) form.ExcludeBtnClick();
    if (std::strcmp(what, "advanced") == 0) form.AdvancedBtnClick();
    if (std::strcmp(what, "about") == 0) {
        form.onAboutShown = [ms](TFrm_About& about) {
            RunFor(ms);
            about.CloseModal(IDOK);
        };
        RunFor(300);
        form.AboutBtnClick();
        return 0;
    }
    RunFor(ms);
    return 0;
}
