#include "ui/gdi_util.h"

#include "platform/resources.h"
#include "platform/wide.h"

namespace {
int g_dpi = 0;  // 0: not asked yet
}  // namespace

int ScreenDpi() {
    if (g_dpi <= 0) g_dpi = ScreenDotsPerInch();
    return g_dpi;
}

void SetScreenDpi(int dpi) {
    if (dpi > 0) g_dpi = dpi;
}

int WindowDpi(HWND hwnd) {
    // Asked by name: Windows 7 and 8 have no such call.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto ask = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = ask && hwnd ? ask(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDotsPerInch();
}

void DrawScaled(HDC dc, int dx, int dy, HDC picture, int x, int y, int w, int h) {
    if (ScreenDpi() == 96) {
        BitBlt(dc, dx, dy, w, h, picture, x, y, SRCCOPY);
        return;
    }
    const int mode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, dx, dy, Scaled(w), Scaled(h), picture, x, y, w, h, SRCCOPY);
    SetStretchBltMode(dc, mode);
}

UniqueFont MakeFont(const FontSpec& font) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(font.points, ScreenDpi(), 72);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, ToWide(font.face).c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

void ReplaceChildFont(HWND parent, HFONT old, HFONT now) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)) == old)
            SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(now), TRUE);
}

int TextWidth(HDC dc, std::string_view text) {
    const std::wstring wide = ToWide(text);
    SIZE sz{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &sz);
    return sz.cx;
}

void DrawTextUtf8(HDC dc, std::string_view text, RECT& r, UINT format) {
    const std::wstring wide = ToWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, format);
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    UniqueBrush b(CreateSolidBrush(color));
    FillRect(dc, &r, b.get());
}

void FrameSolid(HDC dc, const RECT& r, COLORREF color) {
    UniqueBrush b(CreateSolidBrush(color));
    FrameRect(dc, &r, b.get());
}

void FillClient(HWND hwnd, HDC dc, COLORREF color) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillSolid(dc, r, color);
}
