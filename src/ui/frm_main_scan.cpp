// The scan run of the main window: Scan Now, Abort, the animation and gauge,
// the result tree and the summary line.
#include "app/data_module.h"
#include "app/settings.h"
#include "exclude/exclude_store.h"
#include "model/result_rows.h"
#include "model/result_session.h"
#include "model/shared_state.h"
#include "model/summary.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/processes.h"
#include "platform/user_dialogs.h"
#include "scan/scan_run.h"
#include "ui/frm_main.h"

namespace {

// Shows the data module's scanning animation on a tree for as long as it lives.
class AnimationOn {
public:
    explicit AnimationOn(TreeModel& tree) {
        if (DM) DM->OnEvidenceFrame = [&tree](int node, int frame) { tree.SetImage(node, frame); };
    }
    ~AnimationOn() {
        if (DM) DM->OnEvidenceFrame = nullptr;
    }
    AnimationOn(const AnimationOn&) = delete;
    AnimationOn& operator=(const AnimationOn&) = delete;
};

}  // namespace

void TFrm_Main::ScanNowBtnClick() {
    if (ScanState != kScanIdle) return;
    if (IsProcessRunning("firefox.exe")) {
        Dialogs().Message(hwnd(), "Mozilla Firefox is running, please close Firefox!", kAppTitle,
                          MB_ICONWARNING | MB_OK);
        return;
    }
    if (ExcludeList.FileUnread && !ReadExcludeItemsAgain())
        Dialogs().Message(hwnd(),
                          "The exclusion list could not be read: this scan also lists the traces it excludes. "
                          "Untick them before you clean.",
                          kAppTitle, MB_ICONWARNING | MB_OK);
    ScanNowBtn.Show(false);
    AbortBtn.Show(true);
    ScanState = kScanRunning;
    ScanGauge.SetProgress(0);
    ScanGauge.Show(true);
    ScanGauge.SetMaxValue(CountTickedItems(ItemTree));
    ClearResultRows();
    ResultListView.SetRowCount(0);

    ScanRunView view;
    view.beforeItem = [] { ProcessMessagesNow(); };
    view.categoryStarting = [](int) {
        if (!DM) return;
        DM->EvidenceFrame = kImageScanFirst;
        DM->EvidenceTimer.SetEnabled(true);
    };
    view.categoryDone = [](int) {
        if (DM) DM->EvidenceTimer.SetEnabled(false);
    };
    view.itemStarting = [this](int node) {
        if (DM) DM->EvidenceNode = node;
        if (onScanItem) onScanItem(node);
    };
    view.itemDone = [this](int) { ScanGauge.AddProgress(1); };
    {
        AnimationOn animation(ItemTree);
        FoundTotal = RunScan(ItemTree, view);
    }

    if (FoundTotal <= 0) {
        abResultCount.SetCaption("0");
        abResultSpace.SetCaption("0");
        ClearResultRows();
        ResultListView.SetRowCount(0);
    } else {
        BuildResultTree();
    }
    ScanGauge.Show(false);
    ScanNowBtn.Show(true);
    AbortBtn.Show(false);
    ScanState = kScanIdle;
    ResultBtnClick();
}

void TFrm_Main::AbortBtnClick() {
    if (ScanState == kScanRunning) ScanState = kScanAbort;
}

void TFrm_Main::BuildResultTree() {
    ::BuildResultTree(ItemTree, ResultTree);
    ShowSummary();
}

void TFrm_Main::ShowSummary() {
    const std::string text = CheckedSummary(LocaleDecimalSeparator());
    abHintStr.SetCaption(text);
    if (!text.empty()) {
        const Bounds step = abStepMsg.GetBounds();
        Bounds hint = abHintStr.GetBounds();
        hint.x = step.x;
        hint.y = step.y;
        abHintStr.SetBounds(hint);
    }
    abHintStr.Show(true);
}
