#include "ui/window.h"

#include <windowsx.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/wide.h"
#include "ui/gdi_util.h"

namespace {

constexpr wchar_t kWrapperProp[] = L"OrmatekSorvanda.Wrapper";
constexpr UINT_PTR kSubclassId = 0x534F5256;  // "SORV"

bool EnsureClass(const wchar_t* name, HCURSOR cursor, WNDPROC proc) {
    static std::set<std::wstring> registered;
    if (registered.count(name)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = AppInstance();
    wc.hCursor = cursor ? cursor : SystemCursor(IDC_ARROW);
    // The program's icon for the taskbar and task switching (none in test programs).
    wc.hIcon = LoadIconW(AppInstance(), L"MAINICON");
    wc.hIconSm = static_cast<HICON>(LoadImageW(AppInstance(), L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    registered.insert(name);
    return true;
}

// The wrapper being created; the first message of the new window binds it.
thread_local Window* g_creating = nullptr;

}  // namespace

HINSTANCE AppInstance() { return GetModuleHandleW(nullptr); }

void InitControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
}

Window::~Window() {
    if (hwnd_) {
        HWND h = hwnd_;
        RemovePropW(h, kWrapperProp);
        if (subclassed_) RemoveWindowSubclass(h, SubclassProc, kSubclassId);
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

Window* Window::FromHwnd(HWND hwnd) {
    return hwnd ? static_cast<Window*>(GetPropW(hwnd, kWrapperProp)) : nullptr;
}

bool Window::CreateOwn(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const Bounds& b,
                       std::string_view text, HCURSOR cursor) {
    if (!EnsureClass(className, cursor, OwnProc)) return false;
    g_creating = this;
    const Bounds s = (style & WS_CHILD) ? ToScreenScale(b) : b;  // a child's place is in 96-dpi units
    HWND h = CreateWindowExW(exStyle, className, ToWide(text).c_str(), style, s.x, s.y, s.w, s.h, parent, nullptr,
                             AppInstance(), nullptr);
    g_creating = nullptr;
    return h != nullptr && hwnd_ == h;
}

bool Window::CreateSystem(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const Bounds& b,
                          int id) {
    const Bounds s = (style & WS_CHILD) ? ToScreenScale(b) : b;
    HWND h = CreateWindowExW(exStyle, className, L"", style, s.x, s.y, s.w, s.h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    if (!h) return false;
    hwnd_ = h;
    SetPropW(h, kWrapperProp, this);
    subclassed_ = SetWindowSubclass(h, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    return true;
}

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
    if (subclassed_) return DefSubclassProc(hwnd_, msg, wp, lp);
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

bool Window::PaintMessage(UINT msg, LRESULT& result) {
    if (msg == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    if (msg != WM_PAINT) return false;
    PaintDC paint(hwnd());
    RECT client;
    GetClientRect(hwnd(), &client);
    Paint(paint.get(), client);
    result = 0;
    return true;
}

bool Window::WhiteContainerMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (ReflectToChild(msg, wp, lp, result)) return true;
    if (msg != WM_ERASEBKGND) return false;
    FillClient(hwnd(), reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
    result = 1;
    return true;
}

bool Window::HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool Window::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND from = nullptr;
    switch (msg) {
    case WM_NOTIFY: from = reinterpret_cast<NMHDR*>(lp)->hwndFrom; break;
    case WM_COMMAND: from = reinterpret_cast<HWND>(lp); break;
    case WM_DRAWITEM: from = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem; break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: from = reinterpret_cast<HWND>(lp); break;
    default: return false;
    }
    Window* child = FromHwnd(from);
    return child && child->HandleReflected(msg, wp, lp, result);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = 0;
    try {
        r = HandleMessage(msg, wp, lp);
    } catch (...) {
        r = 0;  // a failed handler must not take the window down
    }
    if (msg == WM_NCDESTROY) {
        HWND h = hwnd_;
        RemovePropW(h, kWrapperProp);
        if (subclassed_) RemoveWindowSubclass(h, SubclassProc, kSubclassId);
        hwnd_ = nullptr;
        subclassed_ = false;
        try { OnDestroyed(); } catch (...) {}
    }
    return r;
}

LRESULT CALLBACK Window::OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* w = FromHwnd(hwnd);
    if (!w && g_creating) {
        w = std::exchange(g_creating, nullptr);
        w->hwnd_ = hwnd;
        SetPropW(hwnd, kWrapperProp, w);
    }
    if (!w) return DefWindowProcW(hwnd, msg, wp, lp);
    return w->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    Window* w = reinterpret_cast<Window*>(ref);
    if (!w || w->hwnd_ != hwnd) return DefSubclassProc(hwnd, msg, wp, lp);
    return w->Dispatch(msg, wp, lp);
}

Bounds ToScreenScale(const Bounds& b) { return {Scaled(b.x), Scaled(b.y), Scaled(b.w), Scaled(b.h)}; }
Bounds FromScreenScale(const Bounds& b) { return {Unscaled(b.x), Unscaled(b.y), Unscaled(b.w), Unscaled(b.h)}; }

void Window::Show(bool visible) {
    if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool Window::Visible() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void Window::SetBounds(const Bounds& logical) {
    if (!hwnd_) return;
    const Bounds b = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) ? ToScreenScale(logical) : logical;
    SetWindowPos(hwnd_, nullptr, b.x, b.y, b.w, b.h, SWP_NOZORDER | SWP_NOACTIVATE);
}

Bounds Window::GetBounds() const {
    Bounds b;
    if (!hwnd_) return b;
    RECT r;
    GetWindowRect(hwnd_, &r);
    HWND parent = GetParent(hwnd_);
    const bool child = parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD);
    if (child) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    b = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return child ? FromScreenScale(b) : b;
}

void RescaleChildren(HWND parent, int oldDpi, int newDpi) {
    if (!parent || oldDpi <= 0 || newDpi <= 0 || oldDpi == newDpi) return;
    // Every place is taken before any moves: a parent's new size may lay its
    // children out again, and each child's place then comes from its own old one.
    struct Place {
        HWND hwnd;
        RECT r;
    };
    std::vector<Place> places;
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM lp) -> BOOL {
            RECT r;
            GetWindowRect(h, &r);
            MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
            reinterpret_cast<std::vector<Place>*>(lp)->push_back({h, r});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&places));
    auto scale = [&](LONG v) { return MulDiv(v, newDpi, oldDpi); };
    // Place and size each scaled alone, as a window is made: a move there and
    // back gives the same pixels.
    for (const Place& p : places)
        SetWindowPos(p.hwnd, nullptr, scale(p.r.left), scale(p.r.top), scale(p.r.right - p.r.left),
                     scale(p.r.bottom - p.r.top), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    for (const Place& p : places)
        if (Window* w = Window::FromHwnd(p.hwnd)) w->ScaleChanged(oldDpi, newDpi);
}

void Window::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string Window::Text() const { return hwnd_ ? WindowText(hwnd_) : std::string(); }

void Window::SetText(const std::string& text) {
    if (hwnd_) SetWindowTextUtf8(hwnd_, text);
}

std::string WindowText(HWND hwnd) {
    std::wstring s(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(hwnd, s.data(), static_cast<int>(s.size()))));
    return FromWide(s);
}

void SetWindowTextUtf8(HWND hwnd, std::string_view text) { SetWindowTextW(hwnd, ToWide(text).c_str()); }

HWND CreateControl(HWND parent, const wchar_t* className, std::string_view text, DWORD style, const Bounds& b,
                   int id, HFONT font) {
    const Bounds s = ToScreenScale(b);
    HWND c = CreateWindowExW(0, className, ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, s.x, s.y, s.w, s.h,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    if (c) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

void AppendMenuText(HMENU menu, UINT id, std::string_view text) {
    AppendMenuW(menu, MF_STRING, id, ToWide(text).c_str());
}

HCURSOR SystemCursor(LPCSTR id) {
    // The cursor ids are numbers; the wide call takes the same number.
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(LOWORD(reinterpret_cast<ULONG_PTR>(id))));
}

MouseEvent MouseFrom(UINT msg, LPARAM lp) {
    MouseEvent e;
    e.x = GET_X_LPARAM(lp);
    e.y = GET_Y_LPARAM(lp);
    switch (msg) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: e.button = MouseButton::Right; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: e.button = MouseButton::Middle; break;
    default: e.button = MouseButton::Left; break;
    }
    return e;
}

bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
           msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}
