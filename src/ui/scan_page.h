// The Scan page: the catalog's item tree with its ticks, the gauge, Scan Now
// and Abort, and the scan run itself.
#pragma once

#include <functional>

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
    // The page opens: the tree shows the catalog with its default ticks again
    // (the counts of the last scan stay).
    void ShowCatalog();

    // Handlers.
    void ScanNowBtnClick();
    void AbortBtnClick();
    // A click on a node's tick box; an item with a warning asks first.
    void TickBoxClicked(int node);
    // What the rule file's reading has to say ("winapp2.ini: 3 lines ignored"), shown while no scan runs.
    void SetRulesNotice(const std::string& text);
    bool tvItemsListMouseDown(const MouseEvent& e, const TreeHit& hit);

    int FoundTotal = 0;
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
};
