#include "ui/image_ex.h"

#include "ui/gdi_util.h"

bool TImageEx::Create(const CreateArgs& args) {
    handCursor_ = args.handCursor;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0) | (args.focusable ? WS_TABSTOP : 0);
    return CreateOwn(L"OrmatekSorvanda.ImageEx", style, 0, args.parent, args.bounds);
}

void TImageEx::SetPicture(UniqueBitmap bitmap, const std::string& pictureName) {
    bitmap_ = std::move(bitmap);
    pictureName_ = pictureName;
    if (hwnd()) {
        InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

LRESULT TImageEx::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT painted = 0;
    if (PaintMessage(msg, painted)) return painted;
    const PointerTracker::Event pointer = DispatchPointer(pointer_, *this, msg, lp);
    if (pointer == PointerTracker::kOther && msg == WM_LBUTTONDOWN && OnMouseDown) OnMouseDown(*this, MouseFrom(msg, lp));
    if (pointer != PointerTracker::kNone) return 0;
    switch (msg) {
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            SetCursor(SystemCursor(handCursor_ ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown) OnMouseDown(*this, MouseFrom(msg, lp));
        return 0;
    case WM_GETDLGCODE:
        // Enter presses the focused button rather than going to the window.
        if (const MSG* m = reinterpret_cast<const MSG*>(lp); m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        return 0;
    case WM_KEYDOWN:
        if ((wp == VK_RETURN || wp == VK_SPACE) && OnClick && IsWindowVisible(hwnd())) {
            OnClick(*this);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, FALSE);  // the focus frame comes and goes
        break;
    default:
        break;
    }
    return Default(msg, wp, lp);
}

void TImageEx::Paint(HDC dc, const RECT& client) {
    if (bitmap_) {
        MemoryDC mem(dc);
        SelectGuard sel(mem.get(), bitmap_.get());
        BITMAP bm{};
        GetObjectW(bitmap_.get(), sizeof bm, &bm);
        DrawScaled(dc, 0, 0, mem.get(), 0, 0, bm.bmWidth, bm.bmHeight);
        bm.bmWidth = Scaled(bm.bmWidth);  // what the picture covers on the screen
        bm.bmHeight = Scaled(bm.bmHeight);
        // Anything the picture does not cover stays white.
        if (bm.bmWidth < client.right) {
            RECT r{bm.bmWidth, 0, client.right, client.bottom};
            FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        if (bm.bmHeight < client.bottom) {
            RECT r{0, bm.bmHeight, bm.bmWidth, client.bottom};
            FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
    } else {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    if (GetFocus() == hwnd()) {
        RECT focus = client;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}
