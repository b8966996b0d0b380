#include "app/data_module.h"

#include "app/settings.h"
#include "app/update_check.h"
#include "model/tree_model.h"
#include "platform/resources.h"

TDM* DM = nullptr;

namespace {
// The pictures are one strip; magenta is transparent. Shown at the given
// scale: 16 pixels at 96 dpi.
UniqueImageList TreePictures(int dpi) { return LoadImageStrip("TREEIMAGES", 16, RGB(255, 0, 255), 16 * dpi / 96); }
}  // namespace

TDM::TDM() {
    EvidenceTimer.OnTimer = [this] { EvidenceTimerTimer(); };
    DM = this;
    shownDpi_ = ScreenDotsPerInch();
    treeImages_ = TreePictures(shownDpi_);
    stateImages_ = CopyWithPictureAt(treeImages_.get(), kStatePartial, kImagePartial);
    // DataModuleCreate: the update check, when the settings ask for it.
    if (CheckUpdate) CheckForUpdate();
}

void TDM::Rescale(int dpi) {
    if (dpi <= 0 || dpi == shownDpi_) return;
    const UniqueImageList tree = TreePictures(dpi);
    if (!tree) return;
    const UniqueImageList state = CopyWithPictureAt(tree.get(), kStatePartial, kImagePartial);
    ReplaceImages(treeImages_.get(), tree.get());
    ReplaceImages(stateImages_.get(), state.get());
    shownDpi_ = dpi;
}

void TDM::EvidenceTimerTimer() {
    if (EvidenceFrame > kImageScanLast) EvidenceFrame = kImageScanFirst;
    if (OnEvidenceFrame && EvidenceNode >= 0) OnEvidenceFrame(EvidenceNode, EvidenceFrame);
    ++EvidenceFrame;
}
