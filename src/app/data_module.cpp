#include "app/data_module.h"

#include <commctrl.h>

#include "app/settings.h"
#include "app/update_check.h"
#include "ui/frm_main.h"
#include "ui/window.h"

TDM* DM = nullptr;

TDM::TDM() {
    EvidenceTimer.OnTimer = [this] { EvidenceTimerTimer(); };
    DM = this;
    // The pictures are one strip of fifteen; magenta is transparent.
    treeImages_.reset(ImageList_LoadImageW(AppInstance(), L"TREEIMAGES", 16, 0, RGB(255, 0, 255), IMAGE_BITMAP,
                                           LR_CREATEDIBSECTION));
    // DataModuleCreate: the update check, when the settings ask for it.
    if (CheckUpdate) CheckForUpdate();
}

void TDM::EvidenceTimerTimer() {
    if (EvidenceFrame > kImageScanLast) EvidenceFrame = kImageScanFirst;
    if (Frm_Main) Frm_Main->ItemTree.SetImage(EvidenceNode, EvidenceFrame);
    ++EvidenceFrame;
}
