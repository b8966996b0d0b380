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

// Hands the pointer's enter, leave and click of a message to a control's
// OnMouseEnter, OnMouseLeave and OnClick. The event it was (kNone for a
// message that is no pointer's, which the control handles itself).
template <typename Control>
PointerTracker::Event DispatchPointer(PointerTracker& tracker, Control& control, UINT msg, LPARAM lp) {
    const PointerTracker::Event e = tracker.Handle(control.hwnd(), msg, lp);
    if (e == PointerTracker::kEnter && control.OnMouseEnter) control.OnMouseEnter(control);
    if (e == PointerTracker::kLeave && control.OnMouseLeave) control.OnMouseLeave(control);
    if (e == PointerTracker::kClick && control.OnClick) control.OnClick(control);
    return e;
}
