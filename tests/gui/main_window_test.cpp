#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <set>
#include <memory>

#include "app/data_module.h"
#include "app/help.h"
#include "app/settings.h"
#include "gui/gui_support.h"
#include "model/scan_session.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "scan/community_scanner.h"
#include "ui/frm_about.h"
#include "ui/frm_main.h"
#include "ui/frm_start.h"
#include "ui/gdi_util.h"
#include "tools/seeder/seeder.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow(form);
    }
    void TearDown() override {
        form.reset();
        Pump();
    }
    // Where a control lies in the main window's client area.
    POINT InForm(const Window& w) const {
        RECT r;
        GetWindowRect(w.hwnd(), &r);
        POINT p{r.left, r.top};
        ScreenToClient(form->hwnd(), &p);
        return p;
    }
    SIZE SizeOf(const Window& w) const {
        RECT r;
        GetWindowRect(w.hwnd(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    std::unique_ptr<TFrm_Main> form;
};

void ExpectPlace(const MainWindowTest*, POINT at, SIZE size, int x, int y, int w, int h, const char* what) {
    EXPECT_EQ(at.x, x) << what;
    EXPECT_EQ(at.y, y) << what;
    EXPECT_EQ(size.cx, w) << what;
    EXPECT_EQ(size.cy, h) << what;
}

}  // namespace

TEST_F(MainWindowTest, BorderlessRoundedWindowWithControlsInPlace) {
    RECT client;
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(client.right, 740);
    EXPECT_EQ(client.bottom, 519);
    const LONG style = GetWindowLongW(form->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(GetClassLongPtrW(form->hwnd(), GCLP_HICON), 0);  // the program's icon in the taskbar
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form->hwnd(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));      // corners are cut
    EXPECT_FALSE(PtInRegion(rgn, 739, 518));
    EXPECT_TRUE(PtInRegion(rgn, 8, 0));
    EXPECT_TRUE(PtInRegion(rgn, 370, 260));
    DeleteObject(rgn);

    struct Want { const Window* w; int x, y, cx, cy; const char* name; };
    const Want wants[] = {
        {&form->TopPanel, 0, 0, 740, 92, "TopPanel"},
        {&form->MinimizeBtn, 667, 0, 27, 18, "MinimizeBtn"},
        {&form->CloseBtn, 694, 0, 27, 18, "CloseBtn"},
        {&form->LeftPanel, 0, 92, 178, 389, "LeftPanel"},
        {&form->ScanBtn, 17, 92, 153, 49, "ScanBtn"},
        {&form->ResultBtn, 17, 145, 153, 49, "ResultBtn"},
        {&form->ExcludeBtn, 17, 199, 153, 49, "ExcludeBtn"},
        {&form->AdvancedBtn, 17, 252, 153, 49, "AdvancedBtn"},
        {&form->MainPanel, 178, 92, 546, 389, "MainPanel"},
        {&form->RightPanel, 724, 92, 16, 389, "RightPanel"},
        {&form->BottonPanel, 0, 481, 740, 38, "BottonPanel"},
        {&form->HelpIcon, 16, 499, 14, 14, "HelpIcon"},
        {&form->AboutIcon, 72, 499, 14, 14, "AboutIcon"},
        {&form->HelpBtn, 33, 499, 30, 16, "HelpBtn"},
        {&form->AboutBtn, 89, 499, 36, 16, "AboutBtn"},
        {&form->ScanPage.tvItemsList, 178 + 11, 92 + 11, 524, 292, "tvItemsList"},
        {&form->ScanPage.ScanGauge, 178 + 15, 92 + 310 + 16, 281, 22, "ScanGauge"},
        {&form->ScanPage.ScanNowBtn, 178 + 343 + 6, 92 + 310 + 4, 187, 65, "ScanNowBtn"},
        {&form->ScanPage.AbortBtn, 178 + 343 + 93, 92 + 310 + 19, 98, 22, "AbortBtn"},
        {&form->ResultPage.ResultTreeView, 178 + 11, 92 + 11, 524, 144, "ResultTreeView"},
        {&form->ResultPage.ResultListView, 178 + 11, 92 + 166, 524, 152, "ResultListView"},
        {&form->ResultPage.CleanBtn, 178 + 386 + 50, 92 + 322 + 25, 98, 22, "CleanBtn"},
        {&form->ExcludePage.tvExclude, 178 + 11, 92 + 11, 524, 144, "tvExclude"},
        {&form->ExcludePage.ExcludeListView, 178 + 11, 92 + 166, 524, 152, "ExcludeListView"},
    };
    for (const Want& w : wants) ExpectPlace(this, InForm(*w.w), SizeOf(*w.w), w.x, w.y, w.cx, w.cy, w.name);
    EXPECT_EQ(form->HelpBtn.Caption(), "Help");
    EXPECT_EQ(form->AboutBtn.Caption(), "About");
    // Hidden until used.
    EXPECT_FALSE(form->ScanPage.AbortBtn.Visible());
    EXPECT_FALSE(form->ScanPage.ScanGauge.Visible());
    EXPECT_FALSE(form->ResultPage.FinishBtn.Visible());
    EXPECT_FALSE(form->ResultPage.cdGauge.Visible());
    EXPECT_TRUE(form->ResultPage.CleanBtn.Visible());
    // The exclusion list's second column fills the list.
    EXPECT_EQ(form->ExcludePage.ExcludeListView.ColumnWidth(1), 524 - 140 - 20);
    // The result list's Name takes what Item (140), Size (60) and Status leave of its width.
    const ListView& results = form->ResultPage.ResultListView;
    EXPECT_EQ(results.ColumnWidth(0), 140);
    EXPECT_EQ(results.ColumnWidth(2), 60);
    EXPECT_EQ(results.ColumnWidth(0) + results.ColumnWidth(1) + results.ColumnWidth(2) + results.ColumnWidth(3),
              results.ClientWidth());
}

// Moved to a monitor of another scale, the window lays everything out again at
// that scale, and moved back it is as it was, to the pixel.
TEST_F(MainWindowTest, AMoveToAnotherMonitorsScaleLaysTheWindowOutAgain) {
    const int before = ScreenDpi();
    ASSERT_EQ(before, 96);
    auto moveTo = [&](int dpi) {
        RECT place;
        GetWindowRect(form->hwnd(), &place);
        place.left += 10;
        SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
        Pump();
    };
    auto iconSize = [](HIMAGELIST list) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        return cx;
    };
    auto fontHeight = [](HWND w) {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf.lfHeight;
    };
    const TreeView& tree = form->ScanPage.tvItemsList;
    const ListView& list = form->ResultPage.ResultListView;
    const int treeFont = fontHeight(tree.hwnd());
    const int rowHeight = TreeView_GetItemHeight(tree.hwnd());
    RECT window;
    GetWindowRect(form->hwnd(), &window);

    moveTo(144);
    EXPECT_EQ(ScreenDpi(), 144);
    RECT client, now;
    GetClientRect(form->hwnd(), &client);
    GetWindowRect(form->hwnd(), &now);
    EXPECT_EQ(client.right, 1110);
    EXPECT_EQ(client.bottom, 779);
    EXPECT_EQ(now.left, window.left + 10);  // where Windows put it
    ExpectPlace(this, InForm(form->ScanBtn), SizeOf(form->ScanBtn), 26, 138, 230, 74, "ScanBtn at 144");
    ExpectPlace(this, InForm(tree), SizeOf(tree), 284, 155, 786, 438, "tvItemsList at 144");
    EXPECT_EQ(TreeView_GetItemHeight(tree.hwnd()), 28);  // 19 x 1.5, made even by the control
    EXPECT_EQ(iconSize(DM->TreeImageList()), 24);
    EXPECT_EQ(iconSize(DM->StateImageList()), 24);
    EXPECT_EQ(ImageList_GetImageCount(DM->StateImageList()), ImageList_GetImageCount(DM->TreeImageList()));
    EXPECT_EQ(TreeView_GetImageList(tree.hwnd(), TVSIL_STATE), DM->StateImageList());
    EXPECT_EQ(fontHeight(tree.hwnd()), MulDiv(treeFont, 144, 96));
    EXPECT_EQ(fontHeight(list.hwnd()), -16);  // 8 points at 144 dpi
    EXPECT_EQ(list.ColumnWidth(0), 210);
    EXPECT_EQ(list.ColumnWidth(2), 90);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form->hwnd(), rgn), ERROR);
    EXPECT_TRUE(PtInRegion(rgn, 1100, 770));  // the outline follows the size
    EXPECT_FALSE(PtInRegion(rgn, 1109, 778));
    DeleteObject(rgn);

    moveTo(96);
    EXPECT_EQ(ScreenDpi(), 96);
    GetClientRect(form->hwnd(), &client);
    EXPECT_EQ(client.right, 740);
    EXPECT_EQ(client.bottom, 519);
    ExpectPlace(this, InForm(form->ScanBtn), SizeOf(form->ScanBtn), 17, 92, 153, 49, "ScanBtn back at 96");
    ExpectPlace(this, InForm(tree), SizeOf(tree), 189, 103, 524, 292, "tvItemsList back at 96");
    EXPECT_EQ(TreeView_GetItemHeight(tree.hwnd()), rowHeight);
    EXPECT_EQ(iconSize(DM->TreeImageList()), 16);
    EXPECT_EQ(fontHeight(tree.hwnd()), treeFont);
    EXPECT_EQ(list.ColumnWidth(0), 140);
    EXPECT_EQ(list.ColumnWidth(2), 60);
}

TEST_F(MainWindowTest, OpensOnTheScanPageWithDefaultTicksAndZeroCounts) {
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageScan);
    EXPECT_TRUE(form->DataNotebook.Page(0).Visible());
    EXPECT_FALSE(form->DataNotebook.Page(1).Visible());
    EXPECT_EQ(form->ScanBtn.Tag, 1);
    EXPECT_EQ(form->ScanBtn.PictureName(), "ScanBtn");
    EXPECT_EQ(form->ResultBtn.PictureName(), "ResultBtn1");
    EXPECT_EQ(form->ExcludeBtn.PictureName(), "ExcludeBtn1");
    EXPECT_EQ(form->AdvancedBtn.PictureName(), "AdvancedBtn1");
    const TreeModel& tree = form->ScanPage.ItemTree;
    ASSERT_EQ(tree.Count(), TreeNodeCount());
    for (int i = 0; i < tree.Count(); ++i) {
        EXPECT_EQ(tree.CountOf(i), 0);
        if (tree.IsHidden(i)) continue;  // a browser with no profile in this prefix
        const CatalogItem* item = FindCatalogItemByNode(i);
        int want = !item || item->ticked ? kStateTicked : kStateUnticked;
        if (!item && !tree.Children(i).empty()) {  // a category or the root: as what is below it
            bool all = true, none = true;
            for (const CatalogItem& it : kCatalogItems)
                if (!tree.IsHidden(it.node) && (i == 0 || tree.Parent(it.node) == i)) (it.ticked ? none : all) = false;
            want = all ? kStateTicked : none ? kStateUnticked : kStatePartial;
        }
        EXPECT_EQ(ControlStateImage(form->ScanPage.tvItemsList, i), want) << tree.At(i).caption;
    }
}

TEST_F(MainWindowTest, PageButtonsSwitchPagesAndMoveTheHighlight) {
    Click(form->ResultBtn.hwnd());
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageResult);
    EXPECT_EQ(form->ResultBtn.Tag, 1);
    EXPECT_EQ(form->ScanBtn.Tag, 0);
    EXPECT_EQ(form->ResultBtn.PictureName(), "ResultBtn");
    EXPECT_EQ(form->ScanBtn.PictureName(), "ScanBtn1");
    Click(form->ExcludeBtn.hwnd());
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageExclude);
    Click(form->AdvancedBtn.hwnd());
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageAdvanced);
    EXPECT_TRUE(form->DataNotebook.Page(3).Visible());
    EXPECT_FALSE(form->DataNotebook.Page(2).Visible());
    EXPECT_EQ(form->AdvancedBtn.PictureName(), "AdvancedBtn");
    EXPECT_EQ(form->ExcludeBtn.PictureName(), "ExcludeBtn1");
    Click(form->ScanBtn.hwnd());
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageScan);
    int tagged = 0;
    for (TImageEx* b : {&form->ScanBtn, &form->ResultBtn, &form->ExcludeBtn, &form->AdvancedBtn}) tagged += b->Tag;
    EXPECT_EQ(tagged, 1);
}

TEST_F(MainWindowTest, PageButtonsDoNothingWhileAScanRuns) {
    form->Session.ScanState = kScanRunning;
    for (TImageEx* b : {&form->ResultBtn, &form->ExcludeBtn, &form->AdvancedBtn, &form->ScanBtn}) {
        Click(b->hwnd());
        EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageScan);
        EXPECT_EQ(form->ScanBtn.Tag, 1);
        EXPECT_EQ(form->ScanBtn.PictureName(), "ScanBtn");
        EXPECT_EQ(form->ResultBtn.Tag, 0);
        EXPECT_EQ(form->ResultBtn.PictureName(), "ResultBtn1");
    }
    // Abort asked: switching works again.
    form->Session.ScanState = kScanAbort;
    Click(form->ResultBtn.hwnd());
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageResult);
}

TEST_F(MainWindowTest, HoverFollowsThePointerExceptOnTheShownPageButton) {
    Hover(form->ScanBtn.hwnd());
    EXPECT_EQ(form->ScanBtn.PictureName(), "ScanBtn");
    Unhover(form->ScanBtn.hwnd());
    EXPECT_EQ(form->ScanBtn.PictureName(), "ScanBtn");  // the lock keeps the highlight
    Hover(form->ResultBtn.hwnd());
    EXPECT_EQ(form->ResultBtn.PictureName(), "ResultBtn");
    Unhover(form->ResultBtn.hwnd());
    EXPECT_EQ(form->ResultBtn.PictureName(), "ResultBtn1");
    for (TImageEx* b : {&form->ScanPage.ScanNowBtn, &form->CloseBtn, &form->MinimizeBtn, &form->ResultPage.CleanBtn,
                        &form->ExcludePage.ModifyBtn, &form->ExcludePage.RemoveBtn}) {
        Hover(b->hwnd());
        EXPECT_EQ(b->PictureName(), b->SkinName);
        Unhover(b->hwnd());
        EXPECT_EQ(b->PictureName(), b->SkinName + "1");
    }
}

TEST_F(MainWindowTest, TicksFollowTheRulesShowPartsAndStayTheUsers) {
    TreeView& tv = form->ScanPage.tvItemsList;
    TreeModel& tree = form->ScanPage.ItemTree;
    const int ie = kCatalogCategories[0].node, system = kCatalogCategories[2].node;
    const int favorites = FindCatalogItemByName("Favorites")->node, telnet = FindCatalogItemByName("Telnet Menu History")->node;
    auto press = [&](int node) {
        const POINT p = TickBoxPoint(tv, node);
        Press(tv.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
    };
    auto every = [&](int look) {
        for (int i = 0; i < tree.Count(); ++i) {
            if (!tree.IsHidden(i)) {
                EXPECT_EQ(ControlStateImage(tv, i), look) << tree.At(i).caption;
            }
        }
    };
    // Favorites is not ticked by default: its category and the root say so.
    EXPECT_EQ(ControlStateImage(tv, favorites), kStateUnticked);
    EXPECT_EQ(ControlStateImage(tv, ie), kStatePartial);
    EXPECT_EQ(ControlStateImage(tv, 0), kStatePartial);

    press(telnet);
    EXPECT_EQ(tree.Selected(), telnet);  // the click selects the node it acts on
    EXPECT_EQ(ControlStateImage(tv, telnet), kStateUnticked);
    EXPECT_EQ(tree.Data(telnet)->Ticked, 0);
    EXPECT_EQ(ControlStateImage(tv, system), kStatePartial);
    // A partly ticked category ticks all its items; a wholly ticked one unticks them.
    press(system);
    for (int child : tree.Children(system)) EXPECT_EQ(ControlStateImage(tv, child), kStateTicked);
    EXPECT_EQ(ControlStateImage(tv, system), kStateTicked);
    press(system);
    for (int child : tree.Children(system)) EXPECT_EQ(ControlStateImage(tv, child), kStateUnticked);
    EXPECT_EQ(ControlStateImage(tv, system), kStateUnticked);
    EXPECT_EQ(ControlStateImage(tv, 0), kStatePartial);
    // Space ticks the selected node as its box does.
    tree.Select(telnet);
    SendMessageW(tv.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(ControlStateImage(tv, telnet), kStateTicked);
    EXPECT_EQ(ControlStateImage(tv, system), kStatePartial);
    // The root likewise, over everything.
    press(0);
    every(kStateTicked);
    press(0);
    every(kStateUnticked);
    for (int i = 0; i < tree.Count(); ++i) EXPECT_EQ(tree.Data(i)->Ticked, 0) << i;
    press(0);
    every(kStateTicked);

    // Right of a label only selects.
    const POINT p = RightOfLabelPoint(tv, 40);
    Press(tv.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
    EXPECT_EQ(tree.Selected(), 40);
    EXPECT_EQ(ControlStateImage(tv, 40), kStateTicked);

    // The ticks are the user's: leaving the page, and closing the program, keep them.
    press(telnet);
    Click(form->ResultBtn.hwnd());
    Click(form->ScanBtn.hwnd());
    EXPECT_EQ(ControlStateImage(tv, favorites), kStateTicked);
    EXPECT_EQ(ControlStateImage(tv, telnet), kStateUnticked);
    EXPECT_EQ(ControlStateImage(tv, system), kStatePartial);
    form.reset();
    form = std::make_unique<TFrm_Main>();
    ASSERT_TRUE(form->Create());
    form->ShowFirst();
    Pump();
    TreeView& again = form->ScanPage.tvItemsList;
    EXPECT_EQ(ControlStateImage(again, favorites), kStateTicked);
    EXPECT_EQ(ControlStateImage(again, telnet), kStateUnticked);
    EXPECT_EQ(ControlStateImage(again, ie), kStateTicked);
    // Only the choices that differ from the defaults are kept.
    const std::map<std::string, bool> kept = ReadKeptTicks();
    EXPECT_EQ(kept, TickChoicesOf(form->Session.Catalogs()));
    EXPECT_EQ(kept.at("Telnet Menu History"), false);
    EXPECT_EQ(kept.at("Favorites"), true);
    EXPECT_EQ(kept.count("Run History"), 0u);
}

TEST_F(MainWindowTest, HelpOpensTheFileBesideTheProgramElseThePage) {
    DialogScope scope;
    const std::string file = ExeDirectory() + kHelpFileName;
    DeleteFileW(ToWide(file).c_str());
    Click(form->HelpBtn.hwnd());
    ASSERT_EQ(scope.dialogs.opens.size(), 1u);
    EXPECT_EQ(scope.dialogs.opens[0].target, std::string(kVendorSite) + "/products/security/ormatek-sorvanda/help/");
    EXPECT_EQ(scope.dialogs.opens[0].show, SW_SHOWNORMAL);

    { std::ofstream(file) << "help"; }
    Click(form->HelpBtn.hwnd());
    DeleteFileW(ToWide(file).c_str());
    ASSERT_EQ(scope.dialogs.opens.size(), 2u);
    EXPECT_EQ(scope.dialogs.opens[1].target, file);
    EXPECT_TRUE(scope.dialogs.messages.empty());

    // The pages beside the program: under Wine (these tests) they come before the help file,
    // which Wine's viewer may not show.
    const std::string folder = ExeDirectory() + kHelpPagesFolder, pages = folder + "\\index.html";
    CreateDirectoryW(ToWide(folder).c_str(), nullptr);
    { std::ofstream(file) << "help"; }
    { std::ofstream(pages) << "<html></html>"; }
    Click(form->HelpBtn.hwnd());
    DeleteFileW(ToWide(pages).c_str());
    DeleteFileW(ToWide(file).c_str());
    RemoveDirectoryW(ToWide(folder).c_str());
    ASSERT_EQ(scope.dialogs.opens.size(), 3u);
    // Wine knows no program for a page on disk: its browser command takes it to the desktop's.
    EXPECT_EQ(scope.dialogs.opens[2].target, "winebrowser.exe");
    EXPECT_EQ(scope.dialogs.opens[2].params, "\"" + pages + "\"");
}

TEST_F(MainWindowTest, HelpAndAboutLabelsUnderlineUnderThePointer) {
    EXPECT_FALSE(form->HelpBtn.Font().underline);
    Hover(form->HelpBtn.hwnd());
    EXPECT_TRUE(form->HelpBtn.Font().underline);
    Unhover(form->HelpBtn.hwnd());
    EXPECT_FALSE(form->HelpBtn.Font().underline);
    Hover(form->AboutBtn.hwnd());
    EXPECT_TRUE(form->AboutBtn.Font().underline);
    Unhover(form->AboutBtn.hwnd());
    EXPECT_FALSE(form->AboutBtn.Font().underline);
}

TEST_F(MainWindowTest, AboutBoxIsModalAndClosesWithOk) {
    bool shown = false;
    form->onAboutShown = [&](TFrm_About& about) {
        shown = true;
        RECT r;
        GetClientRect(about.hwnd(), &r);
        EXPECT_EQ(r.right, 493);
        EXPECT_EQ(r.bottom, 350);
        EXPECT_FALSE(IsWindowEnabled(form->hwnd()));  // modal: the main window waits
        EXPECT_EQ(about.Image1.PictureName(), "About");
        const Bounds ok = about.OKBtn.GetBounds();
        EXPECT_EQ(ok.x, 331);
        EXPECT_EQ(ok.y, 249);
        EXPECT_EQ(ok.w, 95);
        EXPECT_EQ(ok.h, 25);
        Hover(about.OKBtn.hwnd());
        EXPECT_EQ(about.OKBtn.PictureName(), "OK");
        Unhover(about.OKBtn.hwnd());
        EXPECT_EQ(about.OKBtn.PictureName(), "OK1");
        Click(about.OKBtn.hwnd());
    };
    Click(form->AboutBtn.hwnd());
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
}

// Escape and Enter close the About box, as its OK does (the modal loop takes them).
TEST_F(MainWindowTest, EscapeAndEnterCloseTheAboutBox) {
    for (const WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_RETURN}}) {
        int shown = 0;
        form->onAboutShown = [&](TFrm_About& about) {
            ++shown;
            PostMessageW(about.hwnd(), WM_KEYDOWN, key, 0);
        };
        Click(form->AboutBtn.hwnd());  // returns once the box is closed
        EXPECT_EQ(shown, 1);
        EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
    }
}

// What the mouse does on the page buttons the keyboard does too.
TEST_F(MainWindowTest, TheKeyboardReachesThePagesTheHelpAndTheButtons) {
    DialogScope scope;
    // A key as the program's loop hands it on: first to the window, else to its control.
    auto key = [&](HWND to, UINT message, WPARAM wp, LPARAM lp = 0) {
        MSG m{to, message, wp, lp, 0, {}};
        if (!form->PreTranslate(m)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Pump();
    };
    HWND tree = form->ScanPage.tvItemsList.hwnd();
    const LPARAM alt = 1 << 29;
    key(tree, WM_SYSKEYDOWN, 'R', alt);
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageResult);
    key(tree, WM_SYSKEYDOWN, 'E', alt);
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageExclude);
    key(tree, WM_SYSKEYDOWN, 'S', alt);
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageScan);
    key(tree, WM_KEYDOWN, VK_F1);
    EXPECT_EQ(scope.dialogs.opens.size(), 1u);
    // Tab walks from the tree through Scan Now and the page buttons.
    SetFocus(tree);
    ASSERT_EQ(GetFocus(), tree);
    std::set<HWND> reached;
    for (int k = 0; k < 12; ++k) {
        key(GetFocus(), WM_KEYDOWN, VK_TAB);
        reached.insert(GetFocus());
    }
    for (const TImageEx* b : {&form->ScanPage.ScanNowBtn, &form->ResultBtn, &form->ExcludeBtn, &form->AdvancedBtn})
        EXPECT_EQ(reached.count(b->hwnd()), 1u) << b->SkinName;
    EXPECT_EQ(reached.count(tree), 1u);  // and back round
    // Enter presses the button with the focus.
    SetFocus(form->ExcludeBtn.hwnd());
    key(GetFocus(), WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageExclude);
}

TEST_F(MainWindowTest, OnlyTheLeftButtonDragsTheWindow) {
    static std::vector<HWND> drags;
    drags.clear();
    auto saved = BeginWindowDrag;
    BeginWindowDrag = [](HWND h) { drags.push_back(h); };
    Press(form->Image1.hwnd(), WM_RBUTTONDOWN, 10, 10);
    EXPECT_TRUE(drags.empty());
    Press(form->Image1.hwnd(), WM_LBUTTONDOWN, 10, 10);
    Press(form->Image2.hwnd(), WM_LBUTTONDOWN, 300, 10);
    Press(form->Image3.hwnd(), WM_LBUTTONDOWN, 5, 300);
    Press(form->Image4.hwnd(), WM_LBUTTONDOWN, 5, 300);
    Press(form->DataNotebook.Page(0).hwnd(), WM_LBUTTONDOWN, 540, 320);
    BeginWindowDrag = saved;
    EXPECT_EQ(drags, std::vector<HWND>(5, form->hwnd()));
}

TEST_F(MainWindowTest, MinimizeAndClose) {
    Click(form->MinimizeBtn.hwnd());
    EXPECT_TRUE(IsIconic(form->hwnd()));
    ShowWindow(form->hwnd(), SW_RESTORE);
    HWND h = form->hwnd();
    Click(form->CloseBtn.hwnd());
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(MainWindowTest, ExcludePageCountsEntriesPerItemAndInTheRoot) {
    form->Session.ExcludeList.Clear();
    auto add = [this](const char* item, const char* location) {
        TExcludeContentItem& e = form->Session.ExcludeList.Item(form->Session.ExcludeList.AddNew());
        e.ItemName = item;
        e.Location = location;
    };
    add("Cache", "http://a/");
    add("Cache", "http://b/");
    add("Run History", "HKEY_CURRENT_USER\\x");
    add("FireFox Cookies", "c:\\cookies.txt");  // in no category
    Click(form->ExcludeBtn.hwnd());
    const TreeModel& t = form->ExcludePage.ExcludeTree;
    ASSERT_EQ(t.Count(), TreeNodeCount() - 1);  // no rule file read: no rules category
    EXPECT_EQ(t.CountOf(0), 4);
    EXPECT_EQ(t.CountOf(1), 2);
    EXPECT_EQ(t.CountOf(2), 2);   // Cache
    EXPECT_EQ(t.CountOf(28), 1);
    EXPECT_EQ(t.CountOf(29), 1);  // Run History
    EXPECT_EQ(t.CountOf(44), 0);
    EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 4);  // root: every entry
    form->ExcludePage.ExcludeTree.Select(1);
    EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 2);
    EXPECT_EQ(form->ExcludePage.ExcludeListView.CellText(0, 1), "http://a/");
    // Found counts of the catalog are left alone.
    EXPECT_EQ(form->ScanPage.ItemTree.CountOf(0), 0);
    form->Session.ExcludeList.Clear();
}

TEST(SplashWindow, PictureFillsARoundedWindow) {
    TFrm_Start splash;
    ASSERT_TRUE(splash.Create());
    RECT r;
    GetClientRect(splash.hwnd(), &r);
    EXPECT_EQ(r.right, 452);
    EXPECT_EQ(r.bottom, 252);
    EXPECT_EQ(splash.Image1.PictureName(), "Splash");
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(splash.hwnd(), rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 226, 126));
    DeleteObject(rgn);
}

TEST(DataModule, SharedPicturesTimerAndHttpSettings) {
    ASSERT_NE(DM, nullptr);
    ASSERT_NE(DM->TreeImageList(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(DM->TreeImageList()), kTreeImageCount);
    int w = 0, h = 0;
    ImageList_GetIconSize(DM->TreeImageList(), &w, &h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    // The lists of a closed main window leave the shared pictures alone.
    { TFrm_Main form; ASSERT_TRUE(form.Create()); }
    Pump();
    EXPECT_EQ(ImageList_GetImageCount(DM->TreeImageList()), kTreeImageCount);
    EXPECT_EQ(DM->EvidenceTimer.Interval(), 20u);
    EXPECT_FALSE(DM->EvidenceTimer.Enabled());
    EXPECT_EQ(DM->IdHTTP1.readTimeoutMs, 5000);
    EXPECT_EQ(DM->IdHTTP1.userAgent, "Mozilla/3.0 (compatible; Indy Library)");
}

// A browser with no profile here adds nothing to the Scan page's tree; once
// it has one, the next visit of the page shows its category with its items.
TEST_F(MainWindowTest, ABrowserWithoutAProfileIsNotInTheTree) {
    const std::string vivaldi = ShellFolder("Local AppData") + "\\Vivaldi";
    DeleteFolderTree(vivaldi);
    const int category = kCatalogCategories[FindCatalogItemByName("Vivaldi History")->category].node;
    Click(form->ResultBtn.hwnd());
    Click(form->ScanBtn.hwnd());
    const TreeView& tv = form->ScanPage.tvItemsList;
    EXPECT_TRUE(form->ScanPage.ItemTree.IsHidden(category));
    EXPECT_EQ(tv.Handle(category), nullptr);
    EXPECT_EQ(tv.Handle(category + 1), nullptr);
    SeedOptions o;
    o.items = {"Vivaldi History"};
    o.count = 1;
    SeedTraces(o);
    Click(form->ResultBtn.hwnd());
    Click(form->ScanBtn.hwnd());
    EXPECT_FALSE(form->ScanPage.ItemTree.IsHidden(category));
    EXPECT_NE(tv.Handle(category + 1), nullptr);
    EXPECT_EQ(ControlStateImage(tv, category + 1), 6);
    DeleteFolderTree(vivaldi);
}

TEST(CommunityRulesWindow, AWarnedRuleIsTickedOnlyOnceTheUserAgrees) {
    const std::string file = TempFolder() + "gui-winapp2.ini";
    {
        std::ofstream out(file, std::ios::binary);
        out << "[Gui Quiet *]\r\nFileKey1=%Temp%\\SorvandaGuiRules|*.tmp\r\n"
               "[Gui Loud *]\r\nWarning=Removes the saved sessions.\r\nFileKey1=%Temp%\\SorvandaGuiRules|*.log\r\n"
               "garbage\r\n";
    }
    const RulesLoad load = LoadCommunityRules(file);
    std::unique_ptr<TFrm_Main> form;
    OpenMainWindow(form);
    form->ScanPage.SetRulesNotice(RulesNotice(load));
    EXPECT_TRUE(form->ScanPage.RulesNotice.Visible());
    EXPECT_EQ(form->ScanPage.RulesNotice.Caption(), "winapp2.ini: 1 line ignored");

    TreeView& tv = form->ScanPage.tvItemsList;
    const TreeModel& tree = form->ScanPage.ItemTree;
    const int category = kCatalogCategories[kRulesCategory].node;
    const int loud = category + 1, quiet = category + 2;
    ASSERT_FALSE(tree.IsHidden(category));
    EXPECT_EQ(tree.At(loud).caption, "Gui Loud");
    EXPECT_EQ(ControlStateImage(tv, loud), 7);
    {
        DialogScope scope;
        scope.dialogs.answers = {IDCANCEL, IDOK};
        POINT p = TickBoxPoint(tv, loud);
        Press(tv.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
        ASSERT_EQ(scope.dialogs.messages.size(), 1u);
        EXPECT_NE(scope.dialogs.messages[0].text.find("Gui Loud: Removes the saved sessions."), std::string::npos);
        EXPECT_EQ(ControlStateImage(tv, loud), 7);  // not agreed: stays unticked
        Press(tv.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
        EXPECT_EQ(scope.dialogs.messages.size(), 2u);
        EXPECT_EQ(ControlStateImage(tv, loud), 6);
        p = TickBoxPoint(tv, quiet);
        Press(tv.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
        EXPECT_EQ(scope.dialogs.messages.size(), 2u);  // no warning, no question
        EXPECT_EQ(ControlStateImage(tv, quiet), 6);
    }
    form.reset();
    Pump();
    LoadCommunityRules("");
    DeleteFileW(ToWide(file).c_str());
}
