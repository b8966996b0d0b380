#include "ui/frm_main.h"

#include <algorithm>
#include <tuple>

#include "app/data_module.h"
#include "app/help.h"
#include "app/settings.h"
#include "exclude/exclude_store.h"
#include "ui/frm_about.h"
#include "ui/skin.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Layout of the window: banner 92 high, strips 389 high, bottom bar 38 high.
constexpr int kTopH = 92, kMidH = 389, kBottomH = 38, kLeftW = 178, kRightW = 16;
constexpr int kMainW = TFrm_Main::kWidth - kLeftW - kRightW;  // 546
static_assert(kMainW == kPageWidth && kMidH == kPageHeight, "the notebook's pages fill the middle strip");

}  // namespace

TFrm_Main::~TFrm_Main() {
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
    FormCreate();
    return true;
}

void TFrm_Main::FormCreate() {
    // The pictures at the scale the window is laid out at (an earlier window may have taken its monitor's).
    if (DM) DM->Rescale(ScreenDpi());
    ApplyRoundedOutline(hwnd());
    CreateFrame();
    ScanPage.Create(DataNotebook.Page(kPageScan).hwnd());
    ResultPage.Create(DataNotebook.Page(kPageResult).hwnd());
    ExcludePage.Create(DataNotebook.Page(kPageExclude).hwnd());
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
    LoadExcludeItems(Session.ExcludeList);
    ScanBtnClick();
}

void TFrm_Main::MakePicture(TImageEx& p, HWND parent, const Bounds& bounds, const char* name) {
    p.Create({parent, bounds});
    // Frame pictures lie beneath the controls placed on them.
    SetWindowPos(p.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    LoadButtonPicture(p, name);
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

void TFrm_Main::CreateAdvancedPage() {
    HWND page = DataNotebook.Page(kPageAdvanced).hwnd();
    AdvancedPanel.Create(PanelArgs(page, {0, 0, kMainW, kMidH}));
}

void TFrm_Main::ScaleChanged(int, int newDpi) {
    if (DM) DM->Rescale(newDpi);  // before the trees and the list set their pictures again
}

void TFrm_Main::FormResize() { ExcludePage.FitColumns(); }

LRESULT TFrm_Main::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        FormResize();
        break;
    case WM_CLOSE:
        // Closed during a scan: the scan stops at its next entry instead of
        // going on without a window.
        Session.RequestAbort();
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

void TFrm_Main::ShowPageButtons(TImageEx& shown) {
    for (TImageEx* b : PageButtons()) LoadButtonPicture(*b, b == &shown ? b->SkinName : b->SkinName + "1");
}

bool TFrm_Main::SwitchPage(Page page, TImageEx& button) {
    if (Session.ScanState == kScanRunning) return false;
    for (TImageEx* b : PageButtons())
        if (b != &button) b->Tag = 0;
    ShowPageButtons(button);
    button.Tag = 1;
    (void)page;
    return true;
}

void TFrm_Main::ScanBtnClick() {
    if (!SwitchPage(kPageScan, ScanBtn)) return;
    ResultPage.LeaveCleanedResults();
    ScanPage.ShowCatalog();
    DataNotebook.SetPageIndex(kPageScan);
}

void TFrm_Main::ResultBtnClick() {
    if (!SwitchPage(kPageResult, ResultBtn)) return;
    DataNotebook.SetPageIndex(kPageResult);
}

void TFrm_Main::ExcludeBtnClick() {
    if (!SwitchPage(kPageExclude, ExcludeBtn)) return;
    ExcludePage.Reload();
    DataNotebook.SetPageIndex(kPageExclude);
}

void TFrm_Main::AdvancedBtnClick() {
    if (!SwitchPage(kPageAdvanced, AdvancedBtn)) return;
    if (!AdvancedShredForm) {
        AdvancedShredForm = std::make_unique<TAdvancedShredForm>();
        const Bounds b = AdvancedPanel.GetBounds();
        AdvancedShredForm->Create(AdvancedPanel.hwnd(), b.w, b.h, Session);
    }
    AdvancedShredForm->Show(true);
    DataNotebook.SetPageIndex(kPageAdvanced);
}

bool TFrm_Main::PreTranslate(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;  // keys only
    if (!hwnd() || (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
        HelpBtnClick();
        return true;
    }
    if (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))) {  // with Alt held
        for (TImageEx* b : PageButtons())
            if (!b->SkinName.empty() && static_cast<WPARAM>(static_cast<unsigned char>(b->SkinName[0])) == msg.wParam) {
                b->OnClick(*b);
                return true;
            }
    }
    return IsDialogMessageW(hwnd(), &msg) != FALSE;
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
