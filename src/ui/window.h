// Thin, non-owning wrappers over windows. One trampoline per window kind finds
// the wrapper of a window and dispatches to it inside try/catch, so that no
// exception crosses the API boundary. Containers hand notifications back to the
// control that raised them (reflection).
//
// Every window here is a wide (UTF-16) window: classes, creation, texts and
// messages go through the W functions, and text crosses in and out through
// ToWide / FromWide, so names outside any code page survive.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

// The control macros of <commctrl.h> and <windowsx.h> (ListView_*, TreeView_*,
// ...) send through the wide function like every other call of the program.
#undef SNDMSG
#define SNDMSG ::SendMessageW

// A place in a parent, in 96-dpi units (a child window's bounds; they are
// scaled to the screen's dots per inch where the window is made or moved).
struct Bounds {
    int x = 0, y = 0, w = 0, h = 0;
};
Bounds ToScreenScale(const Bounds& b);
Bounds FromScreenScale(const Bounds& b);

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    MouseButton button = MouseButton::Left;
    int x = 0, y = 0;
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    static Window* FromHwnd(HWND hwnd);

    void Show(bool visible);
    bool Visible() const;
    void SetBounds(const Bounds& b);
    Bounds GetBounds() const;  // relative to the parent's client area
    void Invalidate();
    std::string Text() const;
    void SetText(const std::string& text);
    // The layout's dots per inch changed (the window moved to another monitor)
    // and this window has been moved to its place at the new scale: a control
    // remakes here what it made at the old one (fonts, row heights, widths).
    virtual void ScaleChanged(int oldDpi, int newDpi) {}

protected:
    // Creates a window of one of our own classes.
    bool CreateOwn(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const Bounds& b,
                   std::string_view text = {}, HCURSOR cursor = nullptr);
    // Creates a system control (tree, list, ...) and subclasses it.
    bool CreateSystem(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, const Bounds& b,
                      int id = 0);

    // Message handler; the default passes the message on.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

    // A notification this control raised, handed back by its parent.
    virtual bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // For containers: hands WM_NOTIFY, WM_COMMAND and colour queries back to the
    // child that sent them. True when the child handled it.
    static bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    // For a control that draws all of itself in Paint: its background is never
    // erased, and WM_PAINT hands Paint the DC and the client rectangle. True
    // when the message was one of the two; result is what it then returns.
    bool PaintMessage(UINT msg, LRESULT& result);
    virtual void Paint(HDC dc, const RECT& client) {}
    // For a white container (a form, a page): notifications go back to the
    // child that raised them and the background is white. True when handled.
    bool WhiteContainerMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    // Called after the window is gone; the wrapper then holds no handle.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
};

// Moves and sizes every window below parent from oldDpi to newDpi, then lets
// each of them remake what it made at the old scale (ScaleChanged).
void RescaleChildren(HWND parent, int oldDpi, int newDpi);

// Module instance handle of the program (or test) executable.
HINSTANCE AppInstance();

// Registers the classes of the common controls the windows use (trees, lists
// and the standard controls); once, before the first window.
void InitControls();

// A window's text as UTF-8, and UTF-8 text set as a window's text.
std::string WindowText(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);

// A plain system control (edit, button, list box, ...) that its parent's
// messages drive directly, with the given font.
HWND CreateControl(HWND parent, const wchar_t* className, std::string_view text, DWORD style, const Bounds& b,
                   int id, HFONT font);

// A menu command with UTF-8 text.
void AppendMenuText(HMENU menu, UINT id, std::string_view text);

// One of the system's cursors (IDC_ARROW, IDC_HAND, ...).
HCURSOR SystemCursor(LPCSTR id);

// Mouse helpers shared by the controls.
MouseEvent MouseFrom(UINT msg, LPARAM lp);
bool IsButtonDown(UINT msg);
