#include "ui/label.h"

#include "ui/image_ex.h"

bool Label::Create(const CreateArgs& args) {
    args_ = args;
    font_ = MakeFont(args_.font);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0);
    return CreateOwn(L"OrmatekSorvanda.Label", style, 0, args.parent, args.bounds, args.text);
}

void Label::SetCaption(const std::string& text) {
    if (text == args_.text) return;
    args_.text = text;
    SetText(text);
    Invalidate();
}

int Label::CaptionWidth() const {
    HDC dc = GetDC(hwnd());
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc, font_.get());
    const int width = TextWidth(dc, args_.text);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    return width;
}

void Label::SetFont(const FontSpec& font) {
    if (font == args_.font) return;
    args_.font = font;
    font_ = MakeFont(font);
    Invalidate();
}

void Label::SetColor(COLORREF color) {
    args_.color = color;
    Invalidate();
}

LRESULT Label::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (pointer_.Handle(hwnd(), msg, lp)) {
    case PointerTracker::kEnter:
        if (OnMouseEnter) OnMouseEnter(*this);
        return 0;
    case PointerTracker::kLeave:
        if (OnMouseLeave) OnMouseLeave(*this);
        return 0;
    case PointerTracker::kClick:
        if (OnClick) OnClick(*this);
        return 0;
    case PointerTracker::kOther:
        return 0;
    default:
        break;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        RECT r;
        GetClientRect(hwnd(), &r);
        if (args_.backdrop && args_.backdrop->Picture()) {
            MemoryDC mem(dc);
            SelectGuard sel(mem.get(), args_.backdrop->Picture());
            BitBlt(dc, 0, 0, r.right, r.bottom, mem.get(), args_.backdropOffset.x, args_.backdropOffset.y, SRCCOPY);
        } else {
            FillSolid(dc, r, args_.background);
        }
        if (args_.outlined) FrameSolid(dc, r, args_.outlineColor);
        SelectGuard sel(dc, font_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, args_.color);
        DrawTextUtf8(dc, args_.text, r, args_.align | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            SetCursor(SystemCursor(args_.handCursor ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return Default(msg, wp, lp);
}
