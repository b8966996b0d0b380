#include "ui/frm_start.h"

#include "app/settings.h"
#include "ui/skin.h"

bool TFrm_Start::Create() {
    CreateArgs a;
    a.clientWidth = kWidth;
    a.clientHeight = kHeight;
    a.caption = kAppTitle;
    if (!CreateForm(a)) return false;
    ApplyRoundedOutline(hwnd());
    Image1.Create({hwnd(), {0, 0, kWidth, kHeight}});
    LoadButtonPicture(Image1, "Splash");
    return true;
}
