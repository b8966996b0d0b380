#include "ui/panel.h"

#include "ui/gdi_util.h"

bool Panel::Create(const CreateArgs& args) {
    args_ = args;
    DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0);
    // Tab and the arrow keys of the keyboard walk into what the panel holds.
    return CreateOwn(L"OrmatekSorvanda.Panel", style, WS_EX_CONTROLPARENT, args.parent, args.bounds);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT reflected = 0;
    if (ReflectToChild(msg, wp, lp, reflected)) return reflected;
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd(), &r);
        HDC dc = reinterpret_cast<HDC>(wp);
        FillSolid(dc, r, args_.color);
        if (args_.outlined) FrameSolid(dc, r, args_.outlineColor);
        return 1;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (onMouseDown) onMouseDown(*this, MouseFrom(msg, lp));
        return 0;
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CONTEXTMENU:
        // Unhandled notifications travel up, where the form may want them.
        if (HWND parent = GetParent(hwnd())) return SendMessageW(parent, msg, wp, lp);
        break;
    default:
        break;
    }
    return Default(msg, wp, lp);
}

bool Notebook::Create(HWND parent, const Bounds& bounds, int pageCount) {
    if (!CreateOwn(L"OrmatekSorvanda.Notebook", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, bounds))
        return false;
    for (int i = 0; i < pageCount; ++i) {
        auto page = std::make_unique<Panel>();
        Panel::CreateArgs a;
        a.parent = hwnd();
        a.bounds = {0, 0, bounds.w, bounds.h};
        a.visible = i == 0;
        page->Create(a);
        pages_.push_back(std::move(page));
    }
    return true;
}

void Notebook::SetPageIndex(int i) {
    if (i < 0 || i >= PageCount()) return;
    pageIndex_ = i;
    for (int p = 0; p < PageCount(); ++p)
        if (p != i) pages_[static_cast<size_t>(p)]->Show(false);
    pages_[static_cast<size_t>(i)]->Show(true);
}

LRESULT Notebook::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND: return 1;  // the pages cover it
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CONTEXTMENU:
        if (HWND parent = GetParent(hwnd())) return SendMessageW(parent, msg, wp, lp);
        break;
    default: break;
    }
    return Default(msg, wp, lp);
}
