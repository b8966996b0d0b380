#include "ui/timer.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

bool Timer::EnsureWindow() {
    return hwnd() || CreateOwn(L"OrmatekSorvanda.Timer", 0, 0, HWND_MESSAGE, {});
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    if (enabled) {
        if (!EnsureWindow()) return;
        SetTimer(hwnd(), kTimerId, interval_, nullptr);
    } else if (hwnd()) {
        KillTimer(hwnd(), kTimerId);
    }
    enabled_ = enabled;
}

LRESULT Timer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == kTimerId) {
        if (enabled_ && OnTimer) OnTimer();
        return 0;
    }
    return Default(msg, wp, lp);
}
