#include "ui/form.h"

#include "ui/gdi_util.h"

void SystemWindowDrag(HWND hwnd) {
    ReleaseCapture();
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);  // 61458
    ReleaseCapture();
}

void (*BeginWindowDrag)(HWND hwnd) = SystemWindowDrag;

void ApplyRoundedOutline(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    HRGN rgn = CreateRoundRectRgn(0, 0, r.right + 1, r.bottom + 1, Scaled(16), Scaled(16));
    if (rgn && !SetWindowRgn(hwnd, rgn, TRUE)) DeleteObject(rgn);  // on success the system owns it
}

DWORD Form::FrameStyle() const {
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | (args_.appWindow ? (WS_SYSMENU | WS_MINIMIZEBOX) : 0);
    if (args_.dialogFrame) style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    return style;
}

DWORD Form::FrameExStyle() const {
    DWORD ex = args_.appWindow ? WS_EX_APPWINDOW : 0;
    if (args_.dialogFrame) ex |= WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    return ex;
}

bool Form::CreateForm(const CreateArgs& args) {
    args_ = args;
    int x = 0, y = 0;
    RECT area{};
    if (args.centerOn) {
        GetWindowRect(args.centerOn, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    const DWORD style = FrameStyle(), ex = FrameExStyle();
    const SIZE size = FrameSize();
    x = area.left + (area.right - area.left - size.cx) / 2;
    y = area.top + (area.bottom - area.top - size.cy) / 2;
    if (!CreateOwn(L"OrmatekSorvanda.Form", style, ex, args.owner, {x, y, size.cx, size.cy}, args.caption))
        return false;
    // A monitor of another scale than the screen's first one (Windows 10 and
    // later): the program's first window takes its scale before anything is in it.
    const int dpi = WindowDpi(hwnd());
    if (args.appWindow && dpi != ScreenDpi()) {
        const int old = ScreenDpi();
        SetScreenDpi(dpi);
        ScaleChanged(old, dpi);
        const SIZE now = FrameSize();
        SetWindowPos(hwnd(), nullptr, x + (size.cx - now.cx) / 2, y + (size.cy - now.cy) / 2, now.cx, now.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return true;
}

SIZE Form::FrameSize() const {
    const DWORD style = hwnd() ? static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE)) : FrameStyle();
    const DWORD ex = hwnd() ? static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)) : FrameExStyle();
    // The client area has the given size (96-dpi units).
    RECT frame{0, 0, Scaled(args_.clientWidth), Scaled(args_.clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, ex);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form::FollowScale(int dpi, const RECT* suggested) {
    const int old = ScreenDpi();
    if (dpi <= 0 || dpi == old || !hwnd()) return;
    SetScreenDpi(dpi);
    ScaleChanged(old, dpi);
    RescaleChildren(hwnd(), old, dpi);
    // Windows suggests where the window goes; its size is ours, exact.
    RECT r;
    GetWindowRect(hwnd(), &r);
    if (suggested) r = *suggested;
    const SIZE size = FrameSize();
    SetWindowPos(hwnd(), nullptr, r.left, r.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    RECT outline;
    if (GetWindowRgnBox(hwnd(), &outline) != ERROR) ApplyRoundedOutline(hwnd());
    // Everything painted again: no old picture is kept at its old size.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Form::ShowNow() {
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
}

int Form::ShowModal() {
    HWND owner = args_.owner;
    // The owner stays where it is meanwhile: its scale holds again afterwards,
    // wherever this form was moved to.
    const int ownerDpi = ScreenDpi();
    modal_ = true;
    modalDone_ = false;
    modalResult_ = 0;
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    if (OnShownModal) OnShownModal(*this);
    MSG msg;
    while (!modalDone_ && hwnd()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: end the modal loop and leave it for the main loop
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
    SetScreenDpi(ownerDpi);
    modal_ = false;
    return modalResult_;
}

bool Form::PreTranslate(MSG& msg) {
    return args_.dialogFrame && IsDialogMessageW(hwnd(), &msg);  // Tab, Enter, Escape
}

void Form::RunMainLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Form::CloseModal(int result) {
    modalResult_ = result;
    modalDone_ = true;
    if (hwnd()) PostMessageW(hwnd(), WM_NULL, 0, 0);  // wake the modal loop
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT handled = 0;
    if (WhiteContainerMessage(msg, wp, lp, handled)) return handled;
    switch (msg) {
    case WM_CLOSE:
        if (modal_) {
            CloseModal(IDCANCEL);
            return 0;
        }
        break;
    case WM_DPICHANGED:  // moved to a monitor of another scale
        FollowScale(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
    default:
        break;
    }
    return Default(msg, wp, lp);
}
