// Program entry: settings, splash window, data module, main window, message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/data_module.h"
#include "app/settings.h"
#include "platform/message_pump.h"
#include "ui/frm_main.h"
#include "ui/frm_start.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    ReadSettings();

    auto splash = std::make_unique<TFrm_Start>();
    if (splash->Create()) {
        ShowWindow(splash->hwnd(), SW_SHOW);
        UpdateWindow(splash->hwnd());
        ProcessMessagesNow();
    }
    Sleep(3000);

    static TDM dataModule;
    DM = &dataModule;
    splash.reset();

    static TFrm_Main mainWindow;
    if (!mainWindow.Create()) return 1;
    mainWindow.ShowFirst();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
