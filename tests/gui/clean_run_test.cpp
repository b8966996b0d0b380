#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <set>

#include "app/settings.h"
#include "gui/gui_support.h"
#include "model/result_rows.h"
#include "model/scan_session.h"
#include "platform/registry.h"
#include "platform/wide.h"
#include "tools/seeder/seeder.h"
#include "ui/frm_main.h"

namespace {

// Items in the recycle bin (the throwaway HOME's trash under Wine).
long long BinItems() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(SHQueryRecycleBinW(nullptr, &info))) return -1;
    return info.i64NumItems;
}

// Sends a new file to the recycle bin.
void RecycleAFile() {
    const std::wstring path = ToWide(TempFolder() + "sorvanda-bin-test.txt");
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    const std::wstring from = path + L'\0';  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationW(&op);
}

class CleanRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenMainWindow(form);
    }
    void TearDown() override {
        form.reset();
        ClearTraces({});
        Pump();
    }
    // Scans only the given category (-1: all of them).
    void ScanOnly(int category) {
        for (int c = 0; c < kCategoryCount; ++c)
            if (category >= 0 && c != category && !form->ScanPage.ItemTree.IsHidden(kCatalogCategories[c].node))
                TickByClicks(form->ScanPage.tvItemsList, form->ScanPage.ItemTree, kCatalogCategories[c].node, false);
        Click(form->ScanPage.ScanNowBtn.hwnd());
    }
    int ResultNodeOf(const std::string& caption) const {
        for (int i = 0; i < form->ResultPage.ResultTree.Count(); ++i)
            if (form->ResultPage.ResultTree.At(i).caption == caption) return i;
        return -1;
    }
    // A left press on the tick box of a row of the result list.
    void ClickRowTick(int row) {
        RECT r{};
        ListView_GetItemRect(form->ResultPage.ResultListView.hwnd(), row, &r, LVIR_BOUNDS);
        const int y = (r.top + r.bottom) / 2;
        for (int x = 0; x < 40; ++x)
            if (form->ResultPage.ResultListView.HitTest(x, y).onStateImage) {
                Press(form->ResultPage.ResultListView.hwnd(), WM_LBUTTONDOWN, x + 2, y);
                return;
            }
        ADD_FAILURE() << "no tick box in row " << row;
    }
    std::unique_ptr<TFrm_Main> form;
    DialogScope scope;
};

}  // namespace

TEST_F(CleanRunTest, CleanBeforeAnyScanDoesNothing) {
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_TRUE(scope.dialogs.messages.empty());
    EXPECT_TRUE(form->ResultPage.CleanBtn.Visible());
    EXPECT_FALSE(form->ResultPage.FinishBtn.Visible());
}

TEST_F(CleanRunTest, OnlySoftwareFindingsLeaveTheBinAlone) {
    SeedOptions o;
    o.items = {"Paint"};
    SeedTraces(o);
    RecycleAFile();
    const long long before = BinItems();
    ASSERT_GE(before, 1);
    ScanOnly(1);
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_EQ(BinItems(), before);
    ASSERT_EQ(scope.dialogs.messages.size(), 1u);
    EXPECT_EQ(scope.dialogs.messages[0].text, "Evidences were successfully cleaned!");
    EXPECT_EQ(scope.dialogs.messages[0].flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_FALSE(form->ResultPage.CleanBtn.Visible());
    EXPECT_TRUE(form->ResultPage.FinishBtn.Visible());
    EXPECT_EQ(form->ResultPage.abHintStr.Caption(), "");
    RegKey k;
    EXPECT_FALSE(k.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List") &&
                 !k.ValueNames().empty());
}

// The bin is the user's own: emptied only when the scan found recycle-bin
// traces and at least one of them is ticked.
TEST_F(CleanRunTest, TheBinIsEmptiedOnlyWhenItsTracesAreTicked) {
    SeedOptions o;
    o.items = {"TrayNotify", "RecycleBin"};
    SeedTraces(o);
    RecycleAFile();
    const long long before = BinItems();
    ASSERT_GE(before, 1);
    ScanOnly(2);
    const int bin = ResultNodeOf("RecycleBin");
    ASSERT_GE(bin, 0);
    const POINT p = TickBoxPoint(form->ResultPage.ResultTreeView, bin);  // untick the recycle bin's traces
    Press(form->ResultPage.ResultTreeView.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_EQ(BinItems(), before);
    for (int i = 0; i < form->Session.SystemResults.Count(); ++i) {
        const TResultContentItem& r = std::as_const(form->Session.SystemResults).Item(i);
        EXPECT_EQ(r.Deleted, r.CleanName == "Clean RecycleBin" ? 0 : 1) << r.ValueName;
    }
    // Ticked, it is emptied (Wine's bin keeps folders other tests sent there, so: fewer, not none).
    // The untick was the user's choice and stays: the item is ticked again by hand.
    Click(form->ResultPage.FinishBtn.hwnd());
    SeedTraces(o);
    RecycleAFile();
    const long long full = BinItems();
    EXPECT_FALSE(form->ScanPage.ItemTree.IsTicked(FindCatalogItemByName("RecycleBin")->node));
    TickByClicks(form->ScanPage.tvItemsList, form->ScanPage.ItemTree, FindCatalogItemByName("RecycleBin")->node, true);
    ScanOnly(2);
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_LT(BinItems(), full);
}

// Unticking one Open With row keeps that value; the message then says what
// stayed instead of announcing success.
TEST_F(CleanRunTest, AnUntickedOpenWithRowStaysAndTheMessageSaysSo) {
    SeedOptions o;
    o.items = {"Windows Explorer Open With History", "Paint"};
    SeedTraces(o);
    ScanOnly(-1);
    const int openWith = ResultNodeOf("Windows Explorer Open With History");
    ASSERT_GE(openWith, 0);
    Press(form->ResultPage.ResultTreeView.hwnd(), WM_LBUTTONDOWN,
          RightOfLabelPoint(form->ResultPage.ResultTreeView, openWith).x,
          RightOfLabelPoint(form->ResultPage.ResultTreeView, openWith).y);
    ASSERT_EQ(form->ResultPage.ResultListView.RowCount(), 3);
    ClickRowTick(0);  // seedapp1.exe
    // One Paint value vanishes between the scan and the clean: it cannot be removed.
    RegKey paint;
    ASSERT_TRUE(paint.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"));
    ASSERT_TRUE(paint.DeleteValue("File1"));
    Click(form->ResultPage.CleanBtn.hwnd());
    RegKey k;
    ASSERT_TRUE(k.Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\otherFolder"));
    EXPECT_EQ(k.ValueNames(), (std::vector<std::string>{"seedapp1.exe"}));
    ASSERT_EQ(scope.dialogs.messages.size(), 1u);
    const std::string text = scope.dialogs.messages[0].text;
    EXPECT_EQ(text.find("successfully"), std::string::npos) << text;
    EXPECT_NE(text.find("traces were removed; 1 trace could not be removed:"), std::string::npos) << text;
    EXPECT_NE(text.find("C:\\seed\\picture1.bmp (not found)"), std::string::npos) << text;
    EXPECT_EQ(scope.dialogs.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
}

TEST_F(CleanRunTest, OneUndeletableValueOfFourStopsTheGaugeAt75) {
    SeedOptions o;
    o.items = {"Paint"};
    o.count = 4;
    SeedTraces(o);
    ScanOnly(1);
    ASSERT_EQ(form->Session.SoftwareResults.Count(), 4);
    RegKey k;  // one value vanishes between scan and clean
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"));
    ASSERT_TRUE(k.DeleteValue(std::as_const(form->Session.SoftwareResults).Item(2).ValueName));
    k.Close();
    int gauge = -1;
    form->ResultPage.onCleanFinished = [&] { gauge = form->ResultPage.cdGauge.Progress(); };
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_EQ(gauge, 75);
    EXPECT_FALSE(form->ResultPage.cdGauge.Visible());
    int deletedRows = 0;
    for (int row = 0; row < form->ResultPage.ResultListView.RowCount(); ++row)
        deletedRows += form->ResultPage.ResultListView.CellText(row, 3) == "Deleted";
    EXPECT_EQ(deletedRows, 3);

    // Finish drops what went, recounts and returns to the Scan page.
    Click(form->ResultPage.FinishBtn.hwnd());
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageScan);
    EXPECT_TRUE(form->ResultPage.CleanBtn.Visible());
    EXPECT_FALSE(form->ResultPage.FinishBtn.Visible());
    EXPECT_EQ(form->Session.SoftwareResults.Count(), 1);
    EXPECT_EQ(form->ScanPage.ItemTree.CountOf(12), 1);  // Paint
    EXPECT_EQ(form->ScanPage.ItemTree.CountOf(11), 1);
    EXPECT_EQ(form->ScanPage.ItemTree.CountOf(0), 1);
    // The Result page shows what is left, with the same counts.
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), 1);
    EXPECT_EQ(form->ResultPage.ResultTree.CountOf(0), 1);
    EXPECT_EQ(form->ResultPage.abResultCount.Caption(), "1");

    // The next run starts its gauge from 0: two records, one removable, gives 50.
    o.count = 2;
    SeedTraces(o);
    form->ResultPage.onCleanFinished = [&] { gauge = form->ResultPage.cdGauge.Progress(); };
    Click(form->ScanBtn.hwnd());
    ScanOnly(1);
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"));
    k.DeleteValue(std::as_const(form->Session.SoftwareResults).Item(0).ValueName);
    k.Close();
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_EQ(gauge, 50);
}

TEST_F(CleanRunTest, RowsBuiltBeforeFinishChangeNoOtherRecord) {
    SeedOptions o;
    o.items = {"Paint"};
    o.count = 3;
    SeedTraces(o);
    ScanOnly(1);
    // Keep the last record, remove the first two.
    form->Session.SoftwareResults.Item(2).Checked = 0;
    const TResultContentItem* kept = &std::as_const(form->Session.SoftwareResults).Item(2);
    Click(form->ResultPage.CleanBtn.hwnd());
    ASSERT_EQ(form->Session.ResultRows.size(), 3u);
    EXPECT_EQ(form->Session.ResultRows[0].Source, &std::as_const(form->Session.SoftwareResults).Item(0));
    Click(form->ResultPage.FinishBtn.hwnd());
    ASSERT_EQ(form->Session.SoftwareResults.Count(), 1);
    ASSERT_EQ(&std::as_const(form->Session.SoftwareResults).Item(0), kept);
    // The rows were built from records that are gone: they went with them, and the list shows what is left.
    ASSERT_EQ(form->Session.ResultRows.size(), 1u);
    EXPECT_EQ(form->Session.ResultRows[0].Source, kept);
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), 1);
}

// After a partial clean each row says what became of its trace; Check again
// scans the same choice and shows exactly what is still there.
TEST_F(CleanRunTest, StatusSaysWhyAndCheckAgainShowsWhatIsLeft) {
    ClearTraces({});  // nothing but what this test makes
    SeedOptions o;
    o.items = {"Windows Explorer Open With History", "Paint"};
    SeedTraces(o);
    ScanOnly(-1);
    ListView& list = form->ResultPage.ResultListView;
    form->ResultPage.ResultTree.Select(ResultNodeOf("Windows Explorer Open With History"));
    ClickRowTick(0);  // seedapp1.exe stays unticked
    RegKey paint;  // one Paint value vanishes between the scan and the clean
    ASSERT_TRUE(paint.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List"));
    ASSERT_TRUE(paint.DeleteValue("File1"));
    EXPECT_FALSE(form->ResultPage.CheckAgainBtn.Visible());
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_TRUE(form->ResultPage.CheckAgainBtn.Visible());
    form->ResultPage.ResultTree.Select(ResultNodeOf("Paint"));
    std::multiset<std::string> status;
    for (int row = 0; row < list.RowCount(); ++row) status.insert(list.CellText(row, 3));
    EXPECT_EQ(status, (std::multiset<std::string>{"Deleted", "Deleted", "not found"}));
    // The column is as wide as its longest text, and Name takes the rest.
    EXPECT_GE(list.ColumnWidth(3), list.CellWidth("not found"));

    Click(form->ResultPage.CheckAgainBtn.hwnd());
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageResult);
    EXPECT_FALSE(form->ResultPage.CheckAgainBtn.Visible());
    EXPECT_TRUE(form->ResultPage.CleanBtn.Visible());
    EXPECT_EQ(ResultNodeOf("Paint"), -1);
    ASSERT_GE(ResultNodeOf("Windows Explorer Open With History"), 0);
    form->ResultPage.ResultTree.Select(0);
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.CellText(0, 1), "seedapp1.exe");
    EXPECT_EQ(list.CellText(0, 3), "");
    // The user unticked it to keep it: the new scan leaves it unticked.
    EXPECT_EQ(form->Session.ResultRows[0].Checked, 0);

    // Ticked and cleaned too, nothing is left: the tree of the last scan goes and the page says so.
    ClickRowTick(0);
    Click(form->ResultPage.CleanBtn.hwnd());
    Click(form->ResultPage.CheckAgainBtn.hwnd());
    EXPECT_EQ(form->ResultPage.ResultTree.Count(), 0);
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(form->ResultPage.abHintStr.Caption(), "Nothing is left that a clean could remove.");
}

// Nothing goes for good without the user's word: Cancel keeps every trace;
// Clean with "Don't ask again" is kept in the settings and asks no more.
TEST_F(CleanRunTest, CleanAsksFirstAndCancelKeepsEverything) {
    SeedOptions o;
    o.items = {"Paint"};
    o.count = 3;
    SeedTraces(o);
    ScanOnly(1);
    TickByClicks(form->ResultPage.ResultTreeView, form->ResultPage.ResultTree, 0, false);
    const int paint = ResultNodeOf("Paint");
    ASSERT_GE(paint, 0);
    TickByClicks(form->ResultPage.ResultTreeView, form->ResultPage.ResultTree, paint, true);
    auto paintValues = [] {
        RegKey k;
        return k.Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List")
                   ? k.ValueNames().size()
                   : 0u;
    };
    ASSERT_EQ(paintValues(), 3u);
    scope.dialogs.confirmAnswers = {IDCANCEL};
    Click(form->ResultPage.CleanBtn.hwnd());
    ASSERT_EQ(scope.dialogs.confirms.size(), 1u);
    EXPECT_EQ(scope.dialogs.confirms[0].text,
              "3 traces of 1 item will be removed for good. A clean cannot be undone.\n\nClean now?");
    EXPECT_EQ(scope.dialogs.confirms[0].action, "Clean");
    EXPECT_EQ(scope.dialogs.confirms[0].caption, "Ormatek Sorvanda");
    EXPECT_TRUE(scope.dialogs.messages.empty());  // no clean ran
    EXPECT_TRUE(form->ResultPage.CleanBtn.Visible());
    EXPECT_EQ(paintValues(), 3u);
    EXPECT_TRUE(AskBeforeClean());

    scope.dialogs.dontAskAgain = true;
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_EQ(scope.dialogs.confirms.size(), 2u);
    EXPECT_EQ(paintValues(), 0u);
    EXPECT_FALSE(AskBeforeClean());
    Click(form->ResultPage.FinishBtn.hwnd());
    SeedTraces(o);
    ScanOnly(1);
    Click(form->ResultPage.CleanBtn.hwnd());
    EXPECT_EQ(scope.dialogs.confirms.size(), 2u);  // not asked again
    EXPECT_EQ(paintValues(), 0u);
}

// An item that knows how far it is moves the gauge within its own part: a
// history of many rows, or a registry list of many values, the only item
// ticked, passes through the middle.
TEST_F(CleanRunTest, TheGaugeMovesWithinAnItemThatKnowsItsRows) {
    for (const char* name : {"Chrome History", "Run History"}) {
        SCOPED_TRACE(name);
        SeedOptions o;
        o.items = {name};
        o.count = 3000;
        SeedTraces(o);
        Click(form->ResultBtn.hwnd());
        Click(form->ScanBtn.hwnd());  // the Scan page again: Chrome has a profile now
        TreeModel& items = form->ScanPage.ItemTree;
        TickByClicks(form->ScanPage.tvItemsList, items, 0, false);
        const int item = FindCatalogItemByName(name)->node;
        ASSERT_FALSE(items.IsHidden(item));
        TickByClicks(form->ScanPage.tvItemsList, items, item, true);
        std::set<int> seen;  // the gauge as the scanner's loops come to each entry
        form->Session.LoopEntryHook = [&] { seen.insert(form->ScanPage.ScanGauge.Progress()); };
        Click(form->ScanPage.ScanNowBtn.hwnd());
        form->Session.LoopEntryHook = nullptr;
        EXPECT_EQ(form->ScanPage.ScanGauge.MaxValue(), TScanPage::kGaugeStepsPerItem);
        EXPECT_EQ(form->ScanPage.ScanGauge.Progress(), TScanPage::kGaugeStepsPerItem);
        ASSERT_FALSE(seen.empty());
        EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int at) { return at > 20 && at < 80; }))
            << "gauge only at " << *seen.begin() << " .. " << *seen.rbegin();
        EXPECT_GE(form->ScanPage.FoundTotal, 3000);
    }
}
