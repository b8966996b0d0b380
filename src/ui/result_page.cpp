#include "ui/result_page.h"

#include <algorithm>
#include <set>
#include <utility>

#include "app/data_module.h"
#include "base/text.h"
#include "app/settings.h"
#include "clean/clean_engine.h"
#include "exclude/exclude_store.h"
#include "model/item_tree.h"
#include "model/result_rows.h"
#include "model/result_session.h"
#include "model/summary.h"
#include "platform/files.h"
#include "platform/user_dialogs.h"

namespace {
constexpr UINT kExclude1 = 1001;  // the Exclude command of the result list's menu
}

void TResultPage::Create(HWND page) {
    MakeFramedTree(ResultTreeFrame, ResultTreeView, ResultTree, page, {10, 10, 526, 146},
                   [this](const MouseEvent& e, const TreeHit& hit) { return ResultTreeViewMouseDown(e, hit); });
    ResultTree.onChange = [this](int node) { ResultTreeViewChange(node); };
    ResultTreeView.OnSpace = [this](TreeView&, int node) { TickTreeNode(node); };

    ResultListFrame.Create(PanelArgs(page, {10, 165, 526, 154}, true));
    ListView::CreateArgs l;
    l.parent = ResultListFrame.hwnd();
    l.bounds = {1, 1, 524, 152};
    l.columns = {{"Item", 140}, {"Name", 260}, {"Size", 60, LVCFMT_RIGHT}, {"Status", 60, LVCFMT_CENTER}};
    l.virtualRows = true;
    l.stateImages = DM ? DM->StateImageList() : nullptr;
    ResultListView.Create(l);
    ResultListView.OnGetText = [this](int row, int column) { return ResultListViewData(row, column); };
    // The whole name (and what became of the trace) while the pointer rests on a row.
    ResultListView.OnGetTip = [this](int row) -> std::string {
        const std::vector<TResultItem>& rows = host_.HostSession().ResultRows;
        if (row < 0 || row >= static_cast<int>(rows.size())) return {};
        const TResultItem& r = rows[static_cast<size_t>(row)];
        const std::string status = StatusOf(r);
        return status.empty() ? r.ShownName : r.ShownName + "\n" + status;
    };
    ResultListView.OnGetStateImage = [this](int row) {
        const std::vector<TResultItem>& rows = host_.HostSession().ResultRows;
        return row >= 0 && row < static_cast<int>(rows.size()) && rows[static_cast<size_t>(row)].Checked
                   ? kStateTicked
                   : kStateUnticked;
    };
    ResultListView.OnMouseDown = [this](ListView&, const MouseEvent& e, const ListView::Hit& hit) {
        return ResultListViewMouseDown(e, hit);
    };
    ResultListView.OnSpace = [this](ListView&, int row) { TickRow(row); };
    ResultListView.OnColumnClick = [this](ListView&, int column) { SortRows(column); };
    pmExclude.reset(CreatePopupMenu());
    AppendMenuText(pmExclude.get(), kExclude1, "Exclude");
    ResultListView.OnContextMenu = [this](ListView&, POINT at) {
        if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // from the keyboard
        const UINT cmd = TrackPopupMenu(pmExclude.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                        host_.HostWindow(), nullptr);
        if (cmd == kExclude1) Exclude1Click();
    };

    const int stripH = 67;
    ResultStrip.Create(PanelArgs(page, {0, kPageHeight - stripH, kPageWidth, stripH}));
    ResultStrip.onMouseDown = [this](Panel&, const MouseEvent& e) { host_.PageBackgroundMouseDown(e); };
    HWND strip = ResultStrip.hwnd();
    auto label = [strip](Label& lb, const Bounds& b, const char* text, bool visible = true, bool bold = false,
                         COLORREF color = RGB(0, 0, 0)) {
        Label::CreateArgs a;
        a.parent = strip;
        a.bounds = b;
        a.text = text;
        a.font = {"Tahoma", 8, bold, false};
        a.color = color;
        a.visible = visible;
        lb.Create(a);
    };
    label(abStepMsg, {15, 4, 360, 16}, "", false);
    label(abHintStr, {15, 26, 360, 16}, "", false, true, RGB(220, 0, 0));
    TGauge::CreateArgs g;
    g.parent = strip;
    g.bounds = {15, 22, 324, 22};
    g.foreColor = RGB(158, 183, 161);
    g.visible = false;
    cdGauge.Create(g);
    // The counters line: each caption as wide as its text in the font at
    // hand (fonts standing in for Tahoma differ), the values after them.
    int x = 15;
    auto next = [&](Label& lb, const char* text, int valueWidth, bool bold) {
        label(lb, {x, 46, valueWidth, 16}, text, true, bold);
        const int w = valueWidth ? valueWidth : lb.CaptionWidth() + 4;
        lb.SetBounds({x, 46, w, 16});
        x += w;
    };
    next(lblItemsFound, "Items found:", 0, false);
    next(abResultCount, "0", 60, true);
    next(lblSize, "Size:", 0, false);
    next(abResultSpace, "0", 60, true);
    next(panResultSpace, "KB", 30, false);
    const int right = kPageWidth - 160;
    MakeButton(FinishBtn, strip, {right + 50, 25, 98, 22}, "FinishBtn", false);
    MakeButton(CleanBtn, strip, {right + 50, 25, 98, 22}, "CleanBtn");
    MakeButton(CheckAgainBtn, strip, {right + 50 - 98 - 8, 25, 98, 22}, "CheckAgainBtn", false);
    CleanBtn.OnClick = [this](TImageEx&) { CleanBtnClick(); };
    FinishBtn.OnClick = [this](TImageEx&) { FinishBtnClick(); };
    CheckAgainBtn.OnClick = [this](TImageEx&) { CheckAgainBtnClick(); };
    FitColumns();
}

void TResultPage::ClearRows() {
    host_.HostSession().ClearRows();
    ResultListView.SetRowCount(0);
}

void TResultPage::ShowScanResults(int found) {
    const bool again = std::exchange(checkingAgain_, false);
    if (found <= 0) {
        abResultCount.SetCaption("0");
        abResultSpace.SetCaption("0");
        ClearRows();
        // The tree of an earlier scan would show counts of traces no longer listed.
        ResultTree.Clear();
        ResultTree.Commit();
        abHintStr.SetCaption(again ? "Nothing is left that a clean could remove." : "");
        abHintStr.Show(again);
    } else {
        BuildResultTree();
    }
    // Partial results say so: what was not reached was not looked at.
    if (host_.HostSession().LastScanStopped) {
        host_.HostSession().LastScanStopped = false;
        abHintStr.SetCaption(found > 0 ? "The scan was stopped: " + abHintStr.Caption()
                                       : "The scan was stopped before it found anything.");
        FitSummary();
        abHintStr.Show(true);
    }
}

void TResultPage::LeaveCleanedResults() {
    if (!FinishBtn.Visible()) return;
    PurgeDeletedResults();
    // The counts are of what is left, everywhere: the item tree's and this page's.
    RecountItems(host_.HostSession(), host_.ItemTree());
    TotalFoundCounts(host_.ItemTree());
    CleanBtn.Show(true);
    FinishBtn.Show(false);
    CheckAgainBtn.Show(false);
    ShowScanResults(host_.ItemTree().Count() > 0 ? host_.ItemTree().CountOf(0) : 0);
}

void TResultPage::BuildResultTree() {
    ::BuildResultTree(host_.ItemTree(), ResultTree);
    ShowSummary();
}

void TResultPage::ShowSummary() {
    const std::string text = CheckedSummary(host_.HostSession(), LocaleDecimalSeparator());
    abHintStr.SetCaption(text);
    if (!text.empty()) FitSummary();
    abHintStr.Show(true);
}

void TResultPage::FitSummary() {
    // Where the step line is, as wide as its text: the line above the buttons is free.
    const Bounds step = abStepMsg.GetBounds();
    Bounds hint = abHintStr.GetBounds();
    hint.x = step.x;
    hint.y = step.y;
    hint.w = std::max(hint.w, std::min(abHintStr.CaptionWidth() + 4, kPageWidth - 2 * step.x));
    abHintStr.SetBounds(hint);
}

void TResultPage::CleanBtnClick() {
    if (ResultTree.Count() == 0) return;  // no scan yet
    // Nothing goes for good without the user's word, unless they said not to ask.
    const std::string question = CleanQuestion(host_.HostSession());
    if (!question.empty() && AskBeforeClean()) {
        bool dontAskAgain = false;
        if (Dialogs().Confirm(host_.HostWindow(), question, kAppTitle, "Clean", dontAskAgain) != IDOK) return;
        if (dontAskAgain) SetAskBeforeClean(false);
    }
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
    const CleanOutcome outcome = OutcomeOfClean(host_.HostSession());
    Dialogs().Message(host_.HostWindow(), outcome.text, kAppTitle,
                      (outcome.allRemoved ? MB_ICONINFORMATION : MB_ICONEXCLAMATION) | MB_OK);
    CleanBtn.Show(false);
    FinishBtn.Show(true);
    CheckAgainBtn.Show(true);
    BuildResultTree();
    abHintStr.SetCaption("");
}

void TResultPage::RunClean() {
    if (ResultTree.Count() == 0) return;
    CleanRunView view;
    view.owner = host_.HostWindow();
    view.caption = kAppTitle;
    view.onStep = [this](const std::string& text) {
        abStepMsg.SetCaption(text);
        if (abStepMsg.hwnd()) UpdateWindow(abStepMsg.hwnd());
    };
    view.onGauge = [this](int percent) { cdGauge.SetProgress(percent); };
    ::RunClean(host_.HostSession(), view);
}

void TResultPage::PurgeDeletedResults() {
    ::PurgeDeletedResults(host_.HostSession());
    ResultListView.SetRowCount(0);
    abResultCount.SetCaption("0");
}

void TResultPage::FinishBtnClick() {
    LeaveCleanedResults();
    host_.ShowScanPage();
}

void TResultPage::CheckAgainBtnClick() {
    LeaveCleanedResults();
    checkingAgain_ = true;
    host_.ScanAgain();
}

void TResultPage::Exclude1Click() {
    ScanSession& session = host_.HostSession();
    const int selected = ResultListView.SelectedRow();
    if (selected < 0 || selected >= static_cast<int>(session.ResultRows.size())) return;
    const TResultItem& row = session.ResultRows[static_cast<size_t>(selected)];
    // The fields the trace's scanner tests, so that the entry keeps it out of later scans.
    AddExcludeItem(session.ExcludeList, ExclusionOfRow(row));
    // The user asked to keep this trace: its record leaves the results, so
    // that a clean of them never removes it (also when the entry was there).
    const CatalogItem* item = row.Source->Item;
    WithdrawRow(session, selected);
    LowerCountsAfterExclusion(ResultTree, ResultTree.Selected(), item);
    ResultListView.SetRowCount(static_cast<int>(session.ResultRows.size()));
    ResultListView.SelectRow(-1);
    abResultCount.SetCaption(std::to_string(session.ResultRows.size()));
    ShowSummary();
}

void TResultPage::BuildResultList(int category, int item, bool append) {
    ScanSession& session = host_.HostSession();
    BuildResultRows(session, category, item, append);
    abResultCount.SetCaption(std::to_string(session.ResultRows.size()));
    const SizeLabel size = SizeLabelOf(session.SizeTotal, LocaleDecimalSeparator());
    abResultSpace.SetCaption(size.value);
    panResultSpace.SetCaption(size.unit);
    ResultListView.SetRowCount(static_cast<int>(session.ResultRows.size()));
    sortColumn_ = -1;  // a new list comes in the order found
    FitColumns();
    ResultListView.ScrollToTop();
}

void TResultPage::SortRows(int column) {
    std::vector<TResultItem>& rows = host_.HostSession().ResultRows;
    if (column < 0 || column > 3 || rows.empty()) return;
    // The same header again turns the order round.
    sortDescending_ = column == sortColumn_ ? !sortDescending_ : false;
    sortColumn_ = column;
    // Each row's key once (texts without regard to letter case), then the rows in its order.
    std::vector<std::string> keys(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys[i] = AsciiLower(column == 0 ? rows[i].ItemName : column == 1 ? rows[i].ShownName : StatusOf(rows[i]));
    std::vector<size_t> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (sortDescending_) std::swap(a, b);
        return column == 2 ? rows[a].Size < rows[b].Size : keys[a] < keys[b];
    });
    std::vector<TResultItem> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order) sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
    ResultListView.SelectRow(-1);
    ResultListView.Invalidate();
    ResultListView.ScrollToTop();
}

std::string TResultPage::StatusOf(const TResultItem& row) {
    if (row.Deleted) return "Deleted";
    return StayReasonText(row.Reason);
}

void TResultPage::FitColumns() {
    if (!ResultListView.hwnd()) return;
    std::set<StayReason> reasons;
    for (const TResultItem& row : host_.HostSession().ResultRows)
        if (!row.Deleted) reasons.insert(row.Reason);
    int status = std::max(ResultListView.CellWidth("Status"), ResultListView.CellWidth("Deleted"));
    for (StayReason why : reasons) status = std::max(status, ResultListView.CellWidth(StayReasonText(why)));
    // Item as wide as its longest name (within reason), Status as its texts.
    std::set<std::string> items;
    for (const TResultItem& row : host_.HostSession().ResultRows) items.insert(row.ItemName);
    int item = 0;
    for (const std::string& name : items) item = std::max(item, ResultListView.CellWidth(name));
    item = std::max(Scaled(140), std::min(item, ResultListView.ClientWidth() / 3));  // 140 at the least
    ResultListView.SetColumnWidth(0, item);
    const int size = ResultListView.ColumnWidth(2);
    const int name = std::max(80, ResultListView.ClientWidth() - item - size - status);
    ResultListView.SetColumnWidth(3, status);
    ResultListView.SetColumnWidth(1, name);
}

void TResultPage::ResultTreeViewChange(int node) {
    if (!ResultTree.Valid(node)) return;
    const TSectionRec* rec = ResultTree.Data(node);
    switch (ResultTree.Level(node)) {
    case 0: {
        bool append = false;
        for (int cat : ResultTree.Children(node)) {
            BuildResultList(ResultTree.Data(cat)->CategoryIndex, 0, append);
            append = true;
        }
        break;
    }
    case 1:
        BuildResultList(rec->CategoryIndex, 0, false);
        break;
    case 2:
        BuildResultList(rec->CategoryIndex, rec->ItemIndex, false);
        break;
    default:
        break;
    }
}

bool TResultPage::ResultTreeViewMouseDown(const MouseEvent&, const TreeHit& hit) {
    if (hit.node < 0) return false;
    if (hit.where == TreeHit::RightOfLabel) {
        ResultTree.Select(hit.node);
        return true;
    }
    if (hit.where != TreeHit::StateIcon) return false;
    // The node acted on is the selected one (a left press has just selected it).
    TickTreeNode(ResultTree.Selected());
    return true;
}

void TResultPage::TickTreeNode(int node) {
    if (!ResultTree.Valid(node)) return;
    TickResultNode(host_.HostSession(), ResultTree, node, !ResultTree.IsTicked(node));
    host_.TicksChanged();
    ResultTreeViewChange(node);
    ShowSummary();
}

void TResultPage::TickRow(int row) {
    if (FlipRowTick(host_.HostSession(), row)) ResultListView.Invalidate();
    ShowSummary();
}

bool TResultPage::ResultListViewMouseDown(const MouseEvent& e, const ListView::Hit& hit) {
    if (e.button != MouseButton::Left) return false;  // the right button opens the menu
    if (hit.onStateImage) {
        TickRow(hit.row);
        return true;  // a press on the tick box only ticks
    }
    ShowSummary();
    return false;
}

std::string TResultPage::ResultListViewData(int row, int column) const {
    const std::vector<TResultItem>& rows = host_.HostSession().ResultRows;
    if (row < 0 || row >= static_cast<int>(rows.size())) return {};
    const TResultItem& r = rows[static_cast<size_t>(row)];
    switch (column) {
    case 0: return r.ItemName;
    case 1: return r.ShownName;
    case 2: {
        // With its unit, as the counters below show sizes.
        const SizeLabel size = SizeLabelOf(r.Size, LocaleDecimalSeparator());
        return size.value + " " + size.unit;
    }
    case 3: return StatusOf(r);
    case 4: return r.ValueName;
    case 5: return r.ValueData;
    case 6: return r.Location;
    default: return {};
    }
}
