// Fonts and small drawing helpers shared by the controls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/handles.h"

struct FontSpec {
    std::string face = "Tahoma";
    int points = 8;
    bool bold = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

// The dots per inch the windows are laid out at (96 at 100 %): the screen's at
// start, then the main window's monitor's as it moves. The windows lay
// themselves out in 96-dpi units, scaled by this.
int ScreenDpi();
void SetScreenDpi(int dpi);
// The dots per inch of the monitor a window is on (Windows 10 and later);
// elsewhere the screen's.
int WindowDpi(HWND hwnd);
inline int Scaled(int v) { return MulDiv(v, ScreenDpi(), 96); }
inline int Unscaled(int v) { return MulDiv(v, 96, ScreenDpi()); }
// Copies a picture's part (x, y, w, h in its own pixels) onto dc at the
// screen's scale, smoothed when scaled.
void DrawScaled(HDC dc, int dx, int dy, HDC picture, int x, int y, int w, int h);
// A font at ScreenDpi().
UniqueFont MakeFont(const FontSpec& font);
// The font of every direct child of parent that shows old becomes now.
void ReplaceChildFont(HWND parent, HFONT old, HFONT now);
// Width of UTF-8 text in the font selected into the DC.
int TextWidth(HDC dc, std::string_view text);
// DrawText of UTF-8 text (single or multiple lines, as format says).
void DrawTextUtf8(HDC dc, std::string_view text, RECT& r, UINT format);
void FillSolid(HDC dc, const RECT& r, COLORREF color);
// The whole client area of a window filled with a color (its WM_ERASEBKGND).
void FillClient(HWND hwnd, HDC dc, COLORREF color);
void FrameSolid(HDC dc, const RECT& r, COLORREF color);
