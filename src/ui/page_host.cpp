#include "ui/page_host.h"

#include <string>

#include "ui/skin.h"

Panel::CreateArgs PanelArgs(HWND parent, const Bounds& b, bool outlined) {
    Panel::CreateArgs a;
    a.parent = parent;
    a.bounds = b;
    a.color = RGB(255, 255, 255);
    a.outlined = outlined;
    a.outlineColor = RGB(160, 196, 209);
    return a;
}

void MakeButton(TImageEx& b, HWND parent, const Bounds& bounds, const char* name, bool visible) {
    b.Create({parent, bounds, true, visible});
    SetWindowPos(b.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    b.SkinName = name;
    LoadButtonPicture(b, std::string(name) + "1");
    b.OnMouseEnter = [](TImageEx& s) { ScanNowBtnMouseEnter(s); };
    b.OnMouseLeave = [](TImageEx& s) { ScanNowBtnMouseLeave(s); };
}

void ScanNowBtnMouseEnter(TImageEx& sender) { LoadButtonPicture(sender, sender.SkinName); }

void ScanNowBtnMouseLeave(TImageEx& sender) { LoadButtonPicture(sender, sender.SkinName + "1"); }
