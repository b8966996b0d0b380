// The Result page: the result tree and the virtual list of the traces found,
// ticking on both, the counters and the summary line, the Exclude command of
// the list, and the clean run with Clean and Finish.
#pragma once

#include <functional>
#include <string>

#include "model/result_rows.h"
#include "model/tree_model.h"
#include "platform/handles.h"
#include "ui/gauge.h"
#include "ui/image_ex.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/page_host.h"
#include "ui/panel.h"
#include "ui/tree_view.h"

class TResultPage {
public:
    explicit TResultPage(PageHost& host) : host_(host) {}
    TResultPage(const TResultPage&) = delete;
    TResultPage& operator=(const TResultPage&) = delete;

    // Creates the page's controls on its notebook page.
    void Create(HWND page);

    // A scan is starting: the list lets go of the last scan's rows.
    void ClearRows();
    // The scan has ended: the tree and list show what it found, or the
    // counters say that it found nothing.
    void ShowScanResults(int found);
    // Leaving the page after a clean: the removed records go and Clean comes back.
    void LeaveCleanedResults();

    // Scan results.
    void BuildResultTree();
    void ShowSummary();
    // The summary line where the step line is, as wide as its text.
    void FitSummary();

    // Clean run.
    void CleanBtnClick();
    void FinishBtnClick();
    // After a clean: scans the same selection again and shows what is still there.
    void CheckAgainBtnClick();
    void RunClean();
    // Called when the engine has finished, before the gauge is hidden (tests read it).
    std::function<void()> onCleanFinished;

    // The Exclude command of the list's menu.
    void Exclude1Click();
    UniqueMenu pmExclude;

    // Result views.
    void BuildResultList(int category, int item, bool append);
    void ResultTreeViewChange(int node);
    bool ResultTreeViewMouseDown(const MouseEvent& e, const TreeHit& hit);
    bool ResultListViewMouseDown(const MouseEvent& e, const ListView::Hit& hit);
    // A node's tick box clicked, or Space on it.
    void TickTreeNode(int node);
    // A row's tick box clicked, or Space on it.
    void TickRow(int row);
    // A click on a header: the rows by that column, the other way round on a second click.
    void SortRows(int column);
    std::string ResultListViewData(int row, int column) const;

    Panel ResultTreeFrame, ResultListFrame, ResultStrip;
    TreeView ResultTreeView;
    TreeModel ResultTree;
    ListView ResultListView;
    TGauge cdGauge;
    Label abStepMsg, abHintStr, lblItemsFound, abResultCount, lblSize, abResultSpace, panResultSpace;
    TImageEx CleanBtn, FinishBtn, CheckAgainBtn;
    // The Status column of a row: "Deleted", or why its trace stayed after a clean.
    static std::string StatusOf(const TResultItem& row);
    // Name takes the width the other columns leave, Status as much as its texts need.
    void FitColumns();

private:
    // Drops the removed records and the rows built from them.
    void PurgeDeletedResults();

    PageHost& host_;
    bool checkingAgain_ = false;  // the scan under way was asked for by Check again
    int sortColumn_ = -1;         // the column the rows are sorted by (-1: as found)
    bool sortDescending_ = false;
};
