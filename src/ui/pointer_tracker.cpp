#include "ui/pointer_tracker.h"

#include <windowsx.h>

PointerTracker::Event PointerTracker::Handle(HWND hwnd, UINT msg, LPARAM lp) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (inside_) return kOther;
        inside_ = true;
        {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&t);
        }
        return kEnter;
    case WM_MOUSELEAVE:
        inside_ = false;
        return kLeave;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        return kOther;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        RECT r;
        GetClientRect(hwnd, &r);
        const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        return wasPressed && PtInRect(&r, pt) ? kClick : kOther;
    }
    default:
        return kNone;
    }
}
