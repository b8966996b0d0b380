// The Scan page: the catalog's item tree with its ticks, the gauge, Scan Now
// and Abort, and the scan run itself.
#pragma once

#include <functional>

#include "model/item_tree.h"
#include "model/result_session.h"
#include "model/tree_model.h"
#include "ui/gauge.h"
#include "ui/image_ex.h"
#include "ui/label.h"
#include "ui/page_host.h"
#include "ui/panel.h"
#include "ui/tree_view.h"

class TScanPage {
public:
    explicit TScanPage(PageHost& host) : host_(host) {}
    TScanPage(const TScanPage&) = delete;
    TScanPage& operator=(const TScanPage&) = delete;

    // Creates the page's controls on its notebook page.
    void Create(HWND page);
    // The page opens: the tree shows the catalog ticked as the user left it
    // (in this run or an earlier one), else by the defaults; the counts of the
    // last scan stay.
    void ShowCatalog();
    // The items' ticks changed (here or on the result tree, which shares
    // them): the user's choices are kept in the settings.
    void KeepTicks();

    // Handlers.
    // keepUnticked: traces that come out of this scan unticked (Check again
    // keeps what the user unticked before).
    void ScanNowBtnClick(const TraceSet* keepUnticked = nullptr);
    void AbortBtnClick();
    // A click on a node's tick box; an item with a warning asks first.
    void TickBoxClicked(int node);
    // What the rule file's reading has to say ("winapp2.ini: 3 lines ignored"), shown while no scan runs.
    void SetRulesNotice(const std::string& text);
    bool tvItemsListMouseDown(const MouseEvent& e, const TreeHit& hit);

    int FoundTotal = 0;
    static constexpr int kGaugeStepsPerItem = 100;
    // Called as the run comes to each ticked item (tests use it to press Abort).
    std::function<void(int node)> onScanItem;

    Panel ScanFrame, ScanStrip;
    TreeView tvItemsList;
    TreeModel ItemTree;
    TGauge ScanGauge;
    Label RulesNotice;
    TImageEx ScanNowBtn, AbortBtn;

private:
    PageHost& host_;
    TickChoices keptTicks_;
    bool ticksRead_ = false;
};
