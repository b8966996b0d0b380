// Program entry: settings, splash window, data module, main window, message loop.
#include <windows.h>

#include <memory>

#include "app/data_module.h"
#include "app/settings.h"
#include "platform/message_pump.h"
#include "scan/community_scanner.h"
#include "ui/frm_main.h"
#include "ui/frm_start.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InitControls();

    ReadSettings();

    auto splash = std::make_unique<TFrm_Start>();
    if (splash->Create()) {
        splash->ShowNow();
        ProcessMessagesNow();
    }
    // The community's rules, read once while the splash shows: their items are in the tree from the start.
    const RulesLoad rules = LoadCommunityRules(CommunityRulesFile());
    PauseMs(3000);

    static TDM dataModule;
    DM = &dataModule;
    splash.reset();

    static TFrm_Main mainWindow;
    if (!mainWindow.Create()) return 1;
    mainWindow.ScanPage.SetRulesNotice(RulesNotice(rules));
    mainWindow.ShowFirst();

    mainWindow.RunMainLoop();
    return 0;
}
