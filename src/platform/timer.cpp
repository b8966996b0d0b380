#include "platform/timer.h"

#include <windows.h>

#include <map>

namespace {

// The enabled timers by their system id (thread timers have no window to
// carry a pointer back). Never destroyed: a static timer may stop after it.
std::map<uintptr_t, Timer*>& EnabledTimers() {
    static auto* timers = new std::map<uintptr_t, Timer*>;
    return *timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    try {
        // A tick already queued when its timer was stopped finds nothing.
        const auto it = EnabledTimers().find(id);
        if (it != EnabledTimers().end() && it->second->OnTimer) it->second->OnTimer();
    } catch (...) {
        // Nothing crosses the message loop.
    }
}

}  // namespace

Timer::~Timer() { SetEnabled(false); }

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    if (enabled) {
        const UINT_PTR id = SetTimer(nullptr, 0, interval_, TimerProc);
        if (!id) return;
        id_ = id;
        EnabledTimers()[id_] = this;
    } else {
        KillTimer(nullptr, id_);
        EnabledTimers().erase(id_);
        id_ = 0;
    }
    enabled_ = enabled;
}
