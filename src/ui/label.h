// A text label painted over a solid colour or over the part of a picture it
// lies on, so that captions sit cleanly on the skin.
#pragma once

#include <string>

#include "platform/handles.h"
#include "ui/gdi_util.h"
#include "ui/pointer_tracker.h"
#include "ui/window.h"

class TImageEx;

class Label : public Window {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        Bounds bounds;
        std::string text;
        FontSpec font;
        COLORREF color = RGB(0, 0, 0);
        COLORREF background = RGB(255, 255, 255);
        const TImageEx* backdrop = nullptr;   // paint this picture behind the text
        POINT backdropOffset{0, 0};           // label's top-left in the picture
        UINT align = DT_LEFT;
        bool outlined = false;                // a one-pixel frame in outlineColor
        COLORREF outlineColor = RGB(160, 196, 209);
        bool handCursor = false;
        bool visible = true;
    };
    bool Create(const CreateArgs& args);

    void SetCaption(const std::string& text);
    const std::string& Caption() const { return args_.text; }
    void SetFont(const FontSpec& font);
    const FontSpec& Font() const { return args_.font; }
    void SetColor(COLORREF color);
    // Width in pixels of the caption in the label's font.
    int CaptionWidth() const;

    std::function<void(Label&)> OnMouseEnter;
    std::function<void(Label&)> OnMouseLeave;
    std::function<void(Label&)> OnClick;

protected:
    void ScaleChanged(int oldDpi, int newDpi) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    CreateArgs args_;
    UniqueFont font_;
    PointerTracker pointer_;
};
