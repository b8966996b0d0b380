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
    WindowDC dc(hwnd());
    if (!dc.get()) return 0;
    SelectGuard font(dc.get(), font_.get());
    return TextWidth(dc.get(), args_.text);
}

void Label::SetFont(const FontSpec& font) {
    if (font == args_.font) return;
    args_.font = font;
    font_ = MakeFont(font);
    Invalidate();
}

void Label::ScaleChanged(int, int) {
    font_ = MakeFont(args_.font);
    Invalidate();
}

void Label::SetColor(COLORREF color) {
    args_.color = color;
    Invalidate();
}

LRESULT Label::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT painted = 0;
    if (PaintMessage(msg, painted)) return painted;
    if (DispatchPointer(pointer_, *this, msg, lp) != PointerTracker::kNone) return 0;
    switch (msg) {
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

void Label::Paint(HDC dc, const RECT& r) {
    if (args_.backdrop && args_.backdrop->Picture()) {
        MemoryDC mem(dc);
        SelectGuard sel(mem.get(), args_.backdrop->Picture());
        DrawScaled(dc, 0, 0, mem.get(), args_.backdropOffset.x, args_.backdropOffset.y, Unscaled(r.right) + 1,
                   Unscaled(r.bottom) + 1);
    } else {
        FillSolid(dc, r, args_.background);
    }
    if (args_.outlined) FrameSolid(dc, r, args_.outlineColor);
    SelectGuard sel(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, args_.color);
    RECT text = r;
    DrawTextUtf8(dc, args_.text, text, args_.align | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
}
