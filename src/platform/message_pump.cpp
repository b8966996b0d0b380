#include "platform/message_pump.h"

#include <windows.h>

namespace {
ULONGLONG g_lastPump = 0;
}

void ProcessMessagesNow() {
    g_lastPump = GetTickCount64();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {  // leave it for the main loop
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void ProcessMessages() {
    if (GetTickCount64() - g_lastPump < kPumpIntervalMs) return;
    ProcessMessagesNow();
}

void RequestQuit() { PostQuitMessage(0); }

void PauseMs(unsigned ms) { Sleep(ms); }
