// The picture control of every skinned button and frame picture: shows one
// picture at its natural size and reports the pointer entering and leaving.
#pragma once

#include <string>

#include "platform/handles.h"
#include "ui/pointer_tracker.h"
#include "ui/window.h"

class TImageEx : public Window {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        Bounds bounds;
        bool handCursor = false;
        bool visible = true;
        bool focusable = false;  // a button: Tab reaches it, Enter and Space press it
    };
    bool Create(const CreateArgs& args);

    // Replaces the picture. pictureName records where it came from.
    void SetPicture(UniqueBitmap bitmap, const std::string& pictureName);
    const std::string& PictureName() const { return pictureName_; }
    HBITMAP Picture() const { return bitmap_.get(); }

    // Picture lock: LoadButtonPicture leaves the control alone while Tag is 1.
    int Tag = 0;
    // Resource name of a picture button's highlighted picture; "1" appended
    // names its normal picture.
    std::string SkinName;

    std::function<void(TImageEx&)> OnMouseEnter;
    std::function<void(TImageEx&)> OnMouseLeave;
    std::function<void(TImageEx&)> OnClick;
    std::function<void(TImageEx&, const MouseEvent&)> OnMouseDown;

    bool PointerInside() const { return pointer_.Inside(); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    UniqueBitmap bitmap_;
    std::string pictureName_;
    bool handCursor_ = false;
    PointerTracker pointer_;
};
