#include "ui/frm_about.h"

#include "app/settings.h"
#include "ui/skin.h"

bool TFrm_About::PreTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_ESCAPE && msg.wParam != VK_RETURN)) return false;
    if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
    CloseModal(msg.wParam == VK_RETURN ? IDOK : IDCANCEL);
    return true;
}

bool TFrm_About::Create(HWND owner) {
    CreateArgs a;
    a.owner = owner;
    a.centerOn = owner;
    a.clientWidth = kWidth;
    a.clientHeight = kHeight;
    a.caption = std::string("About ") + kAppTitle;
    if (!CreateForm(a)) return false;
    ApplyRoundedOutline(hwnd());
    Image1.Create({hwnd(), {0, 0, kWidth, kHeight}});
    LoadButtonPicture(Image1, "About");
    Image1.OnMouseDown = [this](TImageEx&, const MouseEvent& e) {
        if (e.button == MouseButton::Left) BeginWindowDrag(hwnd());
    };
    OKBtn.Create({hwnd(), {331, 249, 95, 25}, true});
    SetWindowPos(OKBtn.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    LoadButtonPicture(OKBtn, "OK1");
    OKBtn.OnMouseEnter = [](TImageEx& b) { LoadButtonPicture(b, "OK"); };
    OKBtn.OnMouseLeave = [](TImageEx& b) { LoadButtonPicture(b, "OK1"); };
    OKBtn.OnClick = [this](TImageEx&) { CloseModal(IDOK); };
    return true;
}
