// The clean run of the main window: Clean, the engine over every category
// shown, the recycle bin, and Finish.
#include "app/settings.h"
#include "clean/clean_engine.h"
#include "model/item_tree.h"
#include "model/result_items.h"
#include "model/result_rows.h"
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
    int removed = 0;
    std::vector<std::string> stayed;
    for (int c = 0; c < kCategoryCount; ++c) {
        const TResultContents& results = *ResultsOf(c);
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            if (!r.Checked) continue;
            if (r.Deleted) ++removed;
            else stayed.push_back(ShownNameOf(c, r) + " (" + StayReasonText(r.Reason) + ")");
        }
    }
    Dialogs().Message(hwnd(), CleanOutcomeText(removed, stayed), kAppTitle,
                      (stayed.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION) | MB_OK);
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
    for (int c = 0; c < kCategoryCount; ++c) RemoveDeletedResults(*ResultsOf(c));
    // The rows were built from records that may be gone: start the list afresh.
    ClearResultRows();
    ResultListView.SetRowCount(0);
    abResultCount.SetCaption("0");
}

void TFrm_Main::RecountItems() {
    for (int i = 0; i < ItemTree.Count(); ++i) {
        if (ItemTree.Level(i) != 2) continue;
        TSectionRec* rec = ItemTree.Data(i);
        const CatalogItem* item = rec ? FindCatalogItem(rec->CategoryIndex, rec->ItemIndex) : nullptr;
        if (!item) continue;
        rec->FoundCount = 0;
        const TResultContents& results = *ResultsOf(item->category);
        for (int r = 0; r < results.Count(); ++r)
            if (BelongsTo(*item, results.Item(r))) ++rec->FoundCount;
    }
    ItemTree.Repaint();
}

void TFrm_Main::FinishBtnClick() {
    PurgeDeletedResults();
    RecountItems();
    CleanBtn.Show(true);
    FinishBtn.Show(false);
    ScanBtnClick();
}
