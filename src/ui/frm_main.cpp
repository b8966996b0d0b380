#include "ui/frm_main.h"

#include <algorithm>
#include <tuple>

#include "app/data_module.h"
#include "app/help.h"
#include "app/settings.h"
#include "exclude/exclude_store.h"
#include "model/item_tree.h"
#include "model/result_rows.h"
#include "model/shared_state.h"
#include "ui/advanced_shred_form.h"
#include "ui/frm_about.h"
#include "ui/skin.h"

TFrm_Main* Frm_Main = nullptr;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT kExclude1 = 1001;  // the Exclude command of the result list's menu
constexpr COLORREF kFrameColor = RGB(160, 196, 209);

// Layout of the window: banner 92 high, strips 389 high, bottom bar 38 high.
constexpr int kTopH = 92, kMidH = 389, kBottomH = 38, kLeftW = 178, kRightW = 16;
constexpr int kMainW = TFrm_Main::kWidth - kLeftW - kRightW;  // 546

Panel::CreateArgs PanelArgs(HWND parent, const Bounds& b, bool outlined = false) {
    Panel::CreateArgs a;
    a.parent = parent;
    a.bounds = b;
    a.color = kWhite;
    a.outlined = outlined;
    a.outlineColor = kFrameColor;
    return a;
}

}  // namespace

TFrm_Main::TFrm_Main() = default;

TFrm_Main::~TFrm_Main() {
    if (Frm_Main == this) Frm_Main = nullptr;
    // The shred form's window goes with this window; its wrapper first.
    AdvancedShredForm.reset();
}

bool TFrm_Main::Create() {
    CreateArgs a;
    a.clientWidth = kWidth;
    a.clientHeight = kHeight;
    a.caption = kAppTitle;
    a.appWindow = true;
    if (!CreateForm(a)) return false;
    Frm_Main = this;
    FormCreate();
    return true;
}

void TFrm_Main::FormCreate() {
    ApplyRoundedOutline(hwnd());
    for (int c = 0; c < kCategoryCount; ++c) ResultsOf(c)->Clear();
    ExcludeList.Clear();
    ClearResultRows();
    BuildCatalog(AllCatalogs);
    CreateFrame();
    CreateScanPage();
    CreateResultPage();
    CreateExcludePage();
    CreateAdvancedPage();
    FormResize();
}

void TFrm_Main::ShowFirst() {
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    ShowNow();
}

void TFrm_Main::FormShow() {
    LoadExcludeItems();
    ScanBtnClick();
}

void TFrm_Main::MakePicture(TImageEx& p, HWND parent, const Bounds& bounds, const char* name) {
    p.Create({parent, bounds});
    // Frame pictures lie beneath the controls placed on them.
    SetWindowPos(p.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    LoadButtonPicture(p, name);
}

void TFrm_Main::MakeButton(TImageEx& b, HWND parent, const Bounds& bounds, const char* name, bool visible) {
    b.Create({parent, bounds, true, visible});
    SetWindowPos(b.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    b.SkinName = name;
    LoadButtonPicture(b, std::string(name) + "1");
    b.OnMouseEnter = [this](TImageEx& s) { ScanNowBtnMouseEnter(s); };
    b.OnMouseLeave = [this](TImageEx& s) { ScanNowBtnMouseLeave(s); };
}

void TFrm_Main::CreateFrame() {
    HWND self = hwnd();
    TopPanel.Create(PanelArgs(self, {0, 0, kWidth, kTopH}));
    LeftPanel.Create(PanelArgs(self, {0, kTopH, kLeftW, kMidH}));
    MainPanel.Create(PanelArgs(self, {kLeftW, kTopH, kMainW, kMidH}));
    RightPanel.Create(PanelArgs(self, {kWidth - kRightW, kTopH, kRightW, kMidH}));
    BottonPanel.Create(PanelArgs(self, {0, kHeight - kBottomH, kWidth, kBottomH}));

    MakePicture(Image1, TopPanel.hwnd(), {0, 0, kWidth, kTopH}, "Banner");
    MakeButton(MinimizeBtn, TopPanel.hwnd(), {667, 0, 27, 18}, "MinimizeBtn");
    MakeButton(CloseBtn, TopPanel.hwnd(), {694, 0, 27, 18}, "CloseBtn");
    MinimizeBtn.OnClick = [this](TImageEx&) { MinimizeBtnClick(); };
    CloseBtn.OnClick = [this](TImageEx&) { CloseBtnClick(); };

    MakePicture(Image3, LeftPanel.hwnd(), {0, 0, kLeftW, kMidH}, "LeftStrip");
    MakeButton(ScanBtn, LeftPanel.hwnd(), {17, 0, 153, 49}, "ScanBtn");
    MakeButton(ResultBtn, LeftPanel.hwnd(), {17, 53, 153, 49}, "ResultBtn");
    MakeButton(ExcludeBtn, LeftPanel.hwnd(), {17, 107, 153, 49}, "ExcludeBtn");
    MakeButton(AdvancedBtn, LeftPanel.hwnd(), {17, 160, 153, 49}, "AdvancedBtn");
    ScanBtn.OnClick = [this](TImageEx&) { ScanBtnClick(); };
    ResultBtn.OnClick = [this](TImageEx&) { ResultBtnClick(); };
    ExcludeBtn.OnClick = [this](TImageEx&) { ExcludeBtnClick(); };
    AdvancedBtn.OnClick = [this](TImageEx&) { AdvancedBtnClick(); };

    MakePicture(Image4, RightPanel.hwnd(), {0, 0, kRightW, kMidH}, "RightStrip");

    MakePicture(Image2, BottonPanel.hwnd(), {0, 0, kWidth, kBottomH}, "BottomStrip");
    for (auto [icon, x, name] : {std::tuple{&HelpIcon, 16, "HelpIcon"}, std::tuple{&AboutIcon, 72, "AboutIcon"}}) {
        icon->Create({BottonPanel.hwnd(), {x, 18, 14, 14}});
        SetWindowPos(icon->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        LoadButtonPicture(*icon, name);
    }
    auto makeLink = [this](Label& l, const Bounds& b, const char* text) {
        Label::CreateArgs a;
        a.parent = BottonPanel.hwnd();
        a.bounds = b;
        a.text = text;
        a.font = {"Arial", 8, false, false};
        a.color = kWhite;
        a.backdrop = &Image2;
        a.backdropOffset = {b.x, b.y};
        a.handCursor = true;
        l.Create(a);
        SetWindowPos(l.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        l.OnMouseEnter = [](Label& s) { FontSpec f = s.Font(); f.underline = true; s.SetFont(f); };
        l.OnMouseLeave = [](Label& s) { FontSpec f = s.Font(); f.underline = false; s.SetFont(f); };
    };
    makeLink(HelpBtn, {33, 18, 30, 16}, "Help");
    makeLink(AboutBtn, {89, 18, 36, 16}, "About");
    HelpBtn.OnClick = [this](Label&) { HelpBtnClick(); };
    AboutBtn.OnClick = [this](Label&) { AboutBtnClick(); };

    auto drag = [this](TImageEx&, const MouseEvent& e) { Image1MouseDown(e); };
    Image1.OnMouseDown = drag;
    Image2.OnMouseDown = drag;
    Image3.OnMouseDown = drag;
    Image4.OnMouseDown = drag;

    DataNotebook.Create(MainPanel.hwnd(), {0, 0, kMainW, kMidH}, 4);
    for (int p = 0; p < DataNotebook.PageCount(); ++p)
        DataNotebook.Page(p).onMouseDown = [this](Panel&, const MouseEvent& e) { Image1MouseDown(e); };
    MainPanel.onMouseDown = [this](Panel&, const MouseEvent& e) { Image1MouseDown(e); };
}

void TFrm_Main::CreateScanPage() {
    HWND page = DataNotebook.Page(kPageScan).hwnd();
    ScanFrame.Create(PanelArgs(page, {10, 10, 526, 294}, true));
    TreeView::CreateArgs t;
    t.parent = ScanFrame.hwnd();
    t.bounds = {1, 1, 524, 292};
    t.images = DM ? DM->TreeImageList() : nullptr;
    tvItemsList.Create(t);
    tvItemsList.Attach(&ItemTree);
    tvItemsList.OnMouseDown = [this](TreeView&, const MouseEvent& e, const TreeHit& hit) {
        return tvItemsListMouseDown(e, hit);
    };

    ScanStrip.Create(PanelArgs(page, {0, kMidH - 79, kMainW, 79}));
    ScanStrip.onMouseDown = [this](Panel&, const MouseEvent& e) { Image1MouseDown(e); };
    TGauge::CreateArgs g;
    g.parent = ScanStrip.hwnd();
    g.bounds = {15, 16, 281, 22};
    g.foreColor = RGB(158, 183, 161);
    g.visible = false;
    ScanGauge.Create(g);
    const int right = kMainW - 203;
    MakeButton(AbortBtn, ScanStrip.hwnd(), {right + 93, 19, 98, 22}, "AbortBtn", false);
    MakeButton(ScanNowBtn, ScanStrip.hwnd(), {right + 6, 4, 187, 65}, "ScanNowBtn");
    AbortBtn.OnClick = [this](TImageEx&) { AbortBtnClick(); };
    ScanNowBtn.OnClick = [this](TImageEx&) { ScanNowBtnClick(); };
}

void TFrm_Main::CreateResultPage() {
    HWND page = DataNotebook.Page(kPageResult).hwnd();
    ResultTreeFrame.Create(PanelArgs(page, {10, 10, 526, 146}, true));
    TreeView::CreateArgs t;
    t.parent = ResultTreeFrame.hwnd();
    t.bounds = {1, 1, 524, 144};
    t.images = DM ? DM->TreeImageList() : nullptr;
    ResultTreeView.Create(t);
    ResultTreeView.Attach(&ResultTree);
    ResultTree.onChange = [this](int node) { ResultTreeViewChange(node); };
    ResultTreeView.OnMouseDown = [this](TreeView&, const MouseEvent& e, const TreeHit& hit) {
        return ResultTreeViewMouseDown(e, hit);
    };

    ResultListFrame.Create(PanelArgs(page, {10, 165, 526, 154}, true));
    ListView::CreateArgs l;
    l.parent = ResultListFrame.hwnd();
    l.bounds = {1, 1, 524, 152};
    l.columns = {{"Item", 140}, {"Name", 400}, {"Size", 60, LVCFMT_RIGHT}, {"Status", 60, LVCFMT_CENTER}};
    l.virtualRows = true;
    l.stateImages = DM ? DM->TreeImageList() : nullptr;
    ResultListView.Create(l);
    ResultListView.OnGetText = [this](int row, int column) { return ResultListViewData(row, column); };
    ResultListView.OnGetStateImage = [](int row) {
        return row >= 0 && row < static_cast<int>(ResultRows.size()) && ResultRows[static_cast<size_t>(row)].Checked
                   ? kStateTicked
                   : kStateUnticked;
    };
    ResultListView.OnMouseDown = [this](ListView&, const MouseEvent& e, const ListView::Hit& hit) {
        return ResultListViewMouseDown(e, hit);
    };
    pmExclude.reset(CreatePopupMenu());
    AppendMenuText(pmExclude.get(), kExclude1, "Exclude");
    ResultListView.OnContextMenu = [this](ListView&, POINT at) {
        if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // from the keyboard
        const UINT cmd = TrackPopupMenu(pmExclude.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
        if (cmd == kExclude1) Exclude1Click();
    };

    const int stripH = 67;
    ResultStrip.Create(PanelArgs(page, {0, kMidH - stripH, kMainW, stripH}));
    ResultStrip.onMouseDown = [this](Panel&, const MouseEvent& e) { Image1MouseDown(e); };
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
    const int right = kMainW - 160;
    MakeButton(FinishBtn, strip, {right + 50, 25, 98, 22}, "FinishBtn", false);
    MakeButton(CleanBtn, strip, {right + 50, 25, 98, 22}, "CleanBtn");
    CleanBtn.OnClick = [this](TImageEx&) { CleanBtnClick(); };
    FinishBtn.OnClick = [this](TImageEx&) { FinishBtnClick(); };
}

void TFrm_Main::CreateExcludePage() {
    HWND page = DataNotebook.Page(kPageExclude).hwnd();
    ExcludeTreeFrame.Create(PanelArgs(page, {10, 10, 526, 146}, true));
    TreeView::CreateArgs t;
    t.parent = ExcludeTreeFrame.hwnd();
    t.bounds = {1, 1, 524, 144};
    t.images = DM ? DM->TreeImageList() : nullptr;
    tvExclude.Create(t);
    tvExclude.Attach(&ExcludeTree);
    tvExclude.OnMouseDown = [this](TreeView&, const MouseEvent& e, const TreeHit& hit) {
        return tvExcludeMouseDown(e, hit);
    };
    ExcludeTree.onChange = [this](int node) { tvExcludeChange(node); };

    ExcludeListFrame.Create(PanelArgs(page, {10, 165, 526, 154}, true));
    ListView::CreateArgs l;
    l.parent = ExcludeListFrame.hwnd();
    l.bounds = {1, 1, 524, 152};
    l.columns = {{"Item", 140}, {"Name", 500}};
    ExcludeListView.Create(l);

    const int stripH = 49;
    ExcludeStrip.Create(PanelArgs(page, {0, kMidH - stripH, kMainW, stripH}));
    ExcludeStrip.onMouseDown = [this](Panel&, const MouseEvent& e) { Image1MouseDown(e); };
    Label::CreateArgs warning;
    warning.parent = ExcludeStrip.hwnd();
    warning.bounds = {12, 16, kMainW - 240, 18};
    warning.text = "The exclusion list could not be read.";
    warning.font = {"Tahoma", 8, true, false};
    warning.color = RGB(220, 0, 0);
    warning.visible = false;
    abExcludeWarning.Create(warning);
    MakeButton(ModifyBtn, ExcludeStrip.hwnd(), {kMainW - 218, 14, 98, 22}, "ModifyBtn");
    MakeButton(RemoveBtn, ExcludeStrip.hwnd(), {kMainW - 110, 14, 98, 22}, "RemoveBtn");
    ModifyBtn.OnClick = [this](TImageEx&) { ModifyBtnClick(); };
    RemoveBtn.OnClick = [this](TImageEx&) { RemoveBtnClick(); };
}

void TFrm_Main::CreateAdvancedPage() {
    HWND page = DataNotebook.Page(kPageAdvanced).hwnd();
    AdvancedPanel.Create(PanelArgs(page, {0, 0, kMainW, kMidH}));
}

void TFrm_Main::FormResize() {
    if (!ExcludeListView.hwnd()) return;
    RECT r;
    GetClientRect(ExcludeListView.hwnd(), &r);
    const Bounds b = ExcludeListView.GetBounds();
    ExcludeListView.SetColumnWidth(1, b.w - ExcludeListView.ColumnWidth(0) - 20);
}

LRESULT TFrm_Main::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        FormResize();
        break;
    case WM_CLOSE:
        // Closed during a scan: the scan stops at its next entry instead of
        // going on without a window.
        if (ScanState == kScanRunning) ScanState = kScanAbort;
        DestroyWindow(hwnd());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Form::HandleMessage(msg, wp, lp);
}

void TFrm_Main::CloseBtnClick() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

void TFrm_Main::MinimizeBtnClick() { ShowWindow(hwnd(), SW_MINIMIZE); }

void TFrm_Main::ScanNowBtnMouseEnter(TImageEx& sender) { LoadButtonPicture(sender, sender.SkinName); }

void TFrm_Main::ScanNowBtnMouseLeave(TImageEx& sender) { LoadButtonPicture(sender, sender.SkinName + "1"); }

void TFrm_Main::ShowPageButtons(TImageEx& shown) {
    for (TImageEx* b : PageButtons()) LoadButtonPicture(*b, b == &shown ? b->SkinName : b->SkinName + "1");
}

bool TFrm_Main::SwitchPage(Page page, TImageEx& button) {
    if (ScanState == kScanRunning) return false;
    for (TImageEx* b : PageButtons())
        if (b != &button) b->Tag = 0;
    ShowPageButtons(button);
    button.Tag = 1;
    (void)page;
    return true;
}

void TFrm_Main::ScanBtnClick() {
    if (!SwitchPage(kPageScan, ScanBtn)) return;
    if (FinishBtn.Visible()) {
        PurgeDeletedResults();
        CleanBtn.Show(true);
        FinishBtn.Show(false);
    }
    BuildItemTree(ItemTree, AllCatalogs);
    DataNotebook.SetPageIndex(kPageScan);
}

void TFrm_Main::ResultBtnClick() {
    if (!SwitchPage(kPageResult, ResultBtn)) return;
    DataNotebook.SetPageIndex(kPageResult);
}

void TFrm_Main::ExcludeBtnClick() {
    if (!SwitchPage(kPageExclude, ExcludeBtn)) return;
    ReadExcludeItemsAgain();  // a file that could not be read at start-up may be readable now
    abExcludeWarning.Show(ExcludeList.FileUnread);
    BuildExcludeTree();
    DataNotebook.SetPageIndex(kPageExclude);
}

void TFrm_Main::AdvancedBtnClick() {
    if (!SwitchPage(kPageAdvanced, AdvancedBtn)) return;
    if (!AdvancedShredForm) {
        AdvancedShredForm = std::make_unique<TAdvancedShredForm>();
        const Bounds b = AdvancedPanel.GetBounds();
        AdvancedShredForm->Create(AdvancedPanel.hwnd(), b.w, b.h);
    }
    AdvancedShredForm->Show(true);
    DataNotebook.SetPageIndex(kPageAdvanced);
}

void TFrm_Main::Image1MouseDown(const MouseEvent& e) {
    if (e.button == MouseButton::Left) BeginWindowDrag(hwnd());
}

void TFrm_Main::HelpBtnClick() { ShowHelp(hwnd()); }

void TFrm_Main::AboutBtnClick() {
    TFrm_About about;
    if (!about.Create(hwnd())) return;
    if (onAboutShown) about.OnShownModal = [this, &about](Form&) { onAboutShown(about); };
    about.ShowModal();
}

bool TFrm_Main::tvItemsListMouseDown(const MouseEvent&, const TreeHit& hit) {
    if (hit.node < 0) return false;
    if (hit.where == TreeHit::StateIcon) {
        ItemTree.Select(hit.node);
        ClickTickBox(ItemTree, ItemTree.Selected());
        return true;
    }
    if (hit.where == TreeHit::RightOfLabel) {
        ItemTree.Select(hit.node);
        return true;
    }
    return false;
}

