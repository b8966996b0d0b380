// Acting at a known entry of a long loop. Every loop asks its session's
// AbortRequested before each entry; while an EntryHook lives it counts those
// questions and runs its action at each, so a test deletes a key or presses
// Abort at entry n instead of racing the loop with a timer.
#pragma once

#include <windows.h>

#include <functional>

#include "model/scan_session.h"

class EntryHook {
public:
    EntryHook(ScanSession& session, std::function<void(int entry)> action)
        : session_(session), action_(std::move(action)) {
        session_.LoopEntryHook = [this] { action_(++entries); };
    }
    ~EntryHook() { session_.LoopEntryHook = nullptr; }
    EntryHook(const EntryHook&) = delete;
    EntryHook& operator=(const EntryHook&) = delete;
    int entries = 0;

private:
    ScanSession& session_;
    std::function<void(int)> action_;
};

// A click on Abort as the window gets it: a posted message that only the
// loop's own message pumping can deliver.
class AbortButton {
public:
    explicit AbortButton(ScanSession& session) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SorvandaTestAbortButton";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session));
    }
    ~AbortButton() { DestroyWindow(hwnd_); }
    AbortButton(const AbortButton&) = delete;
    AbortButton& operator=(const AbortButton&) = delete;
    void Press() const { PostMessageA(hwnd_, WM_APP, 0, 0); }

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_APP) reinterpret_cast<ScanSession*>(GetWindowLongPtrA(h, GWLP_USERDATA))->RequestAbort();
        return DefWindowProcA(h, m, w, l);
    }
    HWND hwnd_ = nullptr;
};

// Presses Abort at a chosen entry, then waits at each later entry (a
// few milliseconds at a time, so the loop's throttled pump comes round) until the
// loop has taken the click. seenAt is the entry at which the loop first
// asked after the click had landed; afterSeen counts its questions from then on.
class AbortAtEntry {
public:
    AbortAtEntry(ScanSession& session, int pressAt, std::function<bool()> pressWhen = {})
        : button_(session), hook_(session, [this, &session, pressAt, pressWhen](int entry) {
              if (seenAt == 0 && session.ScanState == kScanAbort) seenAt = entry;
              if (seenAt) {
                  ++afterSeen;
                  return;
              }
              if (!pressed && (pressWhen ? pressWhen() : entry >= pressAt)) {
                  button_.Press();
                  pressed = true;
              } else if (pressed && ++waits_ <= kMaxWaits) {
                  Sleep(2);
              }
          }) {}
    bool pressed = false;
    int seenAt = 0;
    int afterSeen = 0;
    int Entries() const { return hook_.entries; }

private:
    static constexpr int kMaxWaits = 20000;  // a loop that never pumps ends on its own, unaborted
    AbortButton button_;
    int waits_ = 0;
    EntryHook hook_;
};
