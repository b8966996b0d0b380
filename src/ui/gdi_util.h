// Fonts and small drawing helpers shared by the controls.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

struct FontSpec {
    std::string face = "Tahoma";
    int points = 8;
    bool bold = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

UniqueFont MakeFont(const FontSpec& font);
// Width of text in the given font on the screen DC.
int TextWidth(HDC dc, const std::string& text);
void FillSolid(HDC dc, const RECT& r, COLORREF color);
void FrameSolid(HDC dc, const RECT& r, COLORREF color);
