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

bool Form::CreateForm(const CreateArgs& args) {
    args_ = args;
    int x = 0, y = 0;
    RECT area{};
    if (args.centerOn) {
        GetWindowRect(args.centerOn, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | (args.appWindow ? (WS_SYSMENU | WS_MINIMIZEBOX) : 0);
    DWORD ex = args.appWindow ? WS_EX_APPWINDOW : 0;
    if (args.dialogFrame) {
        style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        ex |= WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    }
    RECT frame{0, 0, Scaled(args.clientWidth), Scaled(args.clientHeight)};  // the client area has the given size (96-dpi units)
    AdjustWindowRectEx(&frame, style, FALSE, ex);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    x = area.left + ((area.right - area.left) - w) / 2;
    y = area.top + ((area.bottom - area.top) - h) / 2;
    return CreateOwn(L"OrmatekSorvanda.Form", style, ex, args.owner, {x, y, w, h}, args.caption);
}

void Form::ShowNow() {
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
}

int Form::ShowModal() {
    HWND owner = args_.owner;
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
    default:
        break;
    }
    return Default(msg, wp, lp);
}
