#include "ui/gdi_util.h"

UniqueFont MakeFont(const FontSpec& font) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(font.points, dpi, 72);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynA(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectA(&lf));
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE sz{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
    return sz.cx;
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    UniqueBrush b(CreateSolidBrush(color));
    FillRect(dc, &r, b.get());
}

void FrameSolid(HDC dc, const RECT& r, COLORREF color) {
    UniqueBrush b(CreateSolidBrush(color));
    FrameRect(dc, &r, b.get());
}
