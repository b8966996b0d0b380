// The clean run of the main window: Clean, the engine over every category
// shown, the recycle bin, and Finish.
#include "app/settings.h"
#include "clean/clean_engine.h"
#include "model/item_tree.h"
#include "model/result_items.h"
#include "model/result_rows.h"
#include "model/result_session.h"
#include "model/shared_state.h"
#include "model/summary.h"
#include "platform/user_dialogs.h"
#include "ui/frm_main.h"

void TFrm_Main::CleanBtnClick() {
    if (ResultTree.Count() == 0) return;  // no scan yet
    abStepMsg.SetCaption("");
    abHintStr.SetCaption("");
    cdGauge.SetMaxValue(100);
    cdGauge.SetProgress(0);
    cdGauge.Show(true);
    RunClean();
    if (onCleanFinished) onCleanFinished();
    cdGauge.SetProgress(0);
    cdGauge.Show(false);
    abStepMsg.SetCaption("");
    abHintStr.SetCaption("");
    // Say what happened: success only when every ticked trace went.
    const CleanOutcome outcome = OutcomeOfClean();
    Dialogs().Message(hwnd(), outcome.text, kAppTitle,
                      (outcome.allRemoved ? MB_ICONINFORMATION : MB_ICONEXCLAMATION) | MB_OK);
    CleanBtn.Show(false);
    FinishBtn.Show(true);
    BuildResultTree();
    abHintStr.SetCaption("");
}

void TFrm_Main::RunClean() {
    CleanProgress progress;
    progress.total = CountChecked();
    progress.onStep = [this](const std::string& text) {
        abStepMsg.SetCaption(text);
        if (abStepMsg.hwnd()) UpdateWindow(abStepMsg.hwnd());
    };
    progress.onGauge = [this](int percent) { cdGauge.SetProgress(percent); };
    if (ResultTree.Count() == 0) return;
    for (int cat : ResultTree.Children(0)) {
        const int category = ResultTree.Data(cat)->CategoryIndex;
        if (TResultContents* results = ResultsOf(category)) CleanEvidences(*results, progress);
        // The bin is emptied only when the scan found it and it is ticked.
        if (category == 2 && RecycleBinTicked(SystemResults)) EmptyRecycleBin(hwnd());
    }
}

void TFrm_Main::PurgeDeletedResults() {
    ::PurgeDeletedResults();
    ResultListView.SetRowCount(0);
    abResultCount.SetCaption("0");
}

void TFrm_Main::RecountItems() { ::RecountItems(ItemTree); }

void TFrm_Main::FinishBtnClick() {
    PurgeDeletedResults();
    RecountItems();
    CleanBtn.Show(true);
    FinishBtn.Show(false);
    ScanBtnClick();
}
