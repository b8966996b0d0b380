// Follows the pointer over one window: entering, leaving, and a left click
// (a press and a release inside it).
#pragma once

#include <windows.h>

class PointerTracker {
public:
    enum Event { kNone, kEnter, kLeave, kClick, kOther };
    // Looks at a message of the window. kOther: a pointer message that is no event.
    Event Handle(HWND hwnd, UINT msg, LPARAM lp);
    bool Inside() const { return inside_; }

private:
    bool inside_ = false;
    bool pressed_ = false;
};
