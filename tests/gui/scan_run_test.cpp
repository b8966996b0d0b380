#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <set>

#include "app/data_module.h"
#include "base/text.h"
#include "gui/gui_support.h"
#include "support/entry_hook.h"
#include "model/result_rows.h"
#include "model/scan_session.h"
#include "model/summary.h"
#include "platform/files.h"
#include "platform/wide.h"
#include "tools/seeder/seeder.h"
#include "ui/frm_main.h"

namespace {

class ScanRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SeedOptions o;
        o.count = 2;
        report = new SeedReport(SeedTraces(o));
    }
    static void TearDownTestSuite() {
        ClearTraces({});
        delete report;
    }
    void SetUp() override {
        OpenMainWindow(form);
    }
    void TearDown() override {
        form.reset();
        Pump();
    }
    void ClickTick(TreeView& tree, int node) {
        const POINT p = TickBoxPoint(tree, node);
        Press(tree.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
    }
    int Made(const std::string& item) const { return static_cast<int>(report->made.at(item).size()); }
    int ResultNodeOf(const std::string& caption) const {
        for (int i = 0; i < form->ResultPage.ResultTree.Count(); ++i)
            if (form->ResultPage.ResultTree.At(i).caption == caption) return i;
        return -1;
    }
    static SeedReport* report;
    std::unique_ptr<TFrm_Main> form;
};

SeedReport* ScanRunTest::report = nullptr;

int CheckedIn(const ScanSession& session, int category) {
    int n = 0;
    for (int i = 0; i < session.ResultsOf(category)->Count(); ++i) n += session.ResultsOf(category)->Item(i).Checked;
    return n;
}

}  // namespace

TEST_F(ScanRunTest, AFullScanFillsTheResultTreeAndList) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    EXPECT_EQ(form->Session.ScanState, kScanIdle);
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageResult);
    EXPECT_TRUE(form->ScanPage.ScanNowBtn.Visible());
    EXPECT_FALSE(form->ScanPage.AbortBtn.Visible());
    EXPECT_FALSE(form->ScanPage.ScanGauge.Visible());
    int ticked = 0;  // by default: all but Favorites and what a browser keeps beyond history, cookies and cache
    for (const CatalogItem& item : kCatalogItems) ticked += item.ticked;
    EXPECT_EQ(form->ScanPage.ScanGauge.MaxValue(), ticked * TScanPage::kGaugeStepsPerItem);
    EXPECT_EQ(form->ScanPage.ScanGauge.Progress(), ticked * TScanPage::kGaugeStepsPerItem);
    int total = 0;
    for (const CatalogItem& item : kCatalogItems) {
        const std::string name(item.name);
        const int want = item.ticked ? Made(name) : 0;  // unticked by default: nothing found
        total += want;
        EXPECT_EQ(form->ScanPage.ItemTree.Data(item.node)->FoundCount, want) << name;
        const int node = ResultNodeOf(name);
        if (want == 0) {
            EXPECT_EQ(node, -1) << name;
        } else {
            ASSERT_GE(node, 0) << name;
            EXPECT_EQ(form->ResultPage.ResultTree.CountOf(node), want);
            EXPECT_EQ(form->ResultPage.ResultTree.At(node).image, kImageItem);
        }
    }
    EXPECT_EQ(form->ScanPage.FoundTotal, total);
    const auto& cats = form->ResultPage.ResultTree.Children(0);
    // Every built-in category found something; no rule file was read, so no rules category.
    ASSERT_EQ(cats.size(), static_cast<size_t>(kRulesCategory));
    for (int i = 0; i < kRulesCategory; ++i)
        EXPECT_EQ(form->ResultPage.ResultTree.At(cats[static_cast<size_t>(i)]).image, CategoryImage(i));
    // The root is selected: the list holds every record, category by category.
    EXPECT_EQ(form->ResultPage.ResultTree.Selected(), 0);
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), total);
    EXPECT_EQ(form->ResultPage.abResultCount.Caption(), std::to_string(total));
    EXPECT_EQ(form->Session.ResultRows.front().CategoryIndex, 0);
    EXPECT_EQ(form->Session.ResultRows.back().CategoryIndex, kProgramsCategory);
    int64_t count = 0, bytes = 0;
    CheckedTotals(form->Session, count, bytes);
    EXPECT_EQ(count, total);
    EXPECT_EQ(form->ResultPage.abHintStr.Caption(), SummaryText(count, bytes, LocaleDecimalSeparator()));
    EXPECT_TRUE(form->ResultPage.abHintStr.Visible());
    // Rows show what the item table says.
    for (const TResultItem& row : form->Session.ResultRows)
        if (row.ItemName == "Run History" && row.ValueName == "a") { EXPECT_EQ(row.ShownName, "notepad C:\\seed\\note1.txt\\1"); }
    // Opening the Scan page again keeps the counts of the scan.
    Click(form->ScanBtn.hwnd());
    EXPECT_EQ(form->ScanPage.ItemTree.CountOf(0), total);
}

TEST_F(ScanRunTest, NothingTickedFindsNothing) {
    TickByClicks(form->ScanPage.tvItemsList, form->ScanPage.ItemTree, 0, false);  // untick everything
    Click(form->ScanPage.ScanNowBtn.hwnd());
    EXPECT_EQ(form->ScanPage.ScanGauge.MaxValue(), 0);
    EXPECT_EQ(form->ScanPage.FoundTotal, 0);
    EXPECT_EQ(form->ResultPage.abResultCount.Caption(), "0");
    EXPECT_EQ(form->ResultPage.abResultSpace.Caption(), "0");
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), 0);
    EXPECT_EQ(form->ResultPage.ResultTree.Count(), 0);  // not rebuilt
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageResult);
}

TEST_F(ScanRunTest, AbortDuringWindowsSoftwareKeepsWhatWasFound) {
    const int office = 17;
    form->ScanPage.onScanItem = [&](int node) {
        if (node == office) Click(form->ScanPage.AbortBtn.hwnd());
    };
    Click(form->ScanPage.ScanNowBtn.hwnd());
    EXPECT_EQ(form->Session.ScanState, kScanIdle);
    int ie = 0;
    for (int pos = 1; pos <= 9; ++pos)
        if (FindCatalogItem(0, pos)->ticked) ie += Made(std::string(FindCatalogItem(0, pos)->name));
    EXPECT_EQ(form->Session.IEResults.Count(), ie);
    int software = 0;
    for (int pos = 1; pos <= 5; ++pos) software += Made(std::string(FindCatalogItem(1, pos)->name));
    EXPECT_EQ(form->Session.SoftwareResults.Count(), software);  // the items before Office
    EXPECT_EQ(form->Session.SystemResults.Count(), 0);
    EXPECT_EQ(form->Session.InternetResults.Count(), 0);
    EXPECT_EQ(form->ScanPage.ItemTree.CountOf(office), 0);
    EXPECT_EQ(form->ScanPage.FoundTotal, ie + software);
    ASSERT_EQ(form->ResultPage.ResultTree.Children(0).size(), 2u);
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), ie + software);
    EXPECT_TRUE(form->ScanPage.ScanNowBtn.Visible());
    EXPECT_EQ(form->ScanPage.ItemTree.At(office).image, kImageItem);
    // The page says the results are partial; a whole scan afterwards says nothing of the kind.
    EXPECT_EQ(form->ResultPage.abHintStr.Caption().rfind("The scan was stopped: ", 0), 0u)
        << form->ResultPage.abHintStr.Caption();
    form->ScanPage.onScanItem = nullptr;
    Click(form->ScanBtn.hwnd());
    Click(form->ScanPage.ScanNowBtn.hwnd());
    EXPECT_EQ(form->ResultPage.abHintStr.Caption().find("stopped"), std::string::npos);
}

TEST_F(ScanRunTest, ClosingTheWindowDuringAScanEndsTheScan) {
    const int office = 17;
    int scannedAfterClose = 0;
    bool closed = false;
    form->ScanPage.onScanItem = [&](int node) {
        if (closed) ++scannedAfterClose;
        if (node == office) {
            Click(form->CloseBtn.hwnd());  // the close is seen at the scan's next look at the queue
            closed = true;
        }
    };
    Click(form->ScanPage.ScanNowBtn.hwnd());
    EXPECT_EQ(form->hwnd(), nullptr);  // the window is gone
    EXPECT_EQ(form->Session.ScanState, kScanIdle);
    EXPECT_LE(scannedAfterClose, 1);
    EXPECT_EQ(form->Session.SystemResults.Count(), 0);
    EXPECT_EQ(form->Session.InternetResults.Count(), 0);
}

TEST_F(ScanRunTest, ACategoryWearsItsOwnPictureWhereverItIsShown) {
    for (int c = 0; c < kCategoryCount; ++c)
        if (c != 2 && !form->ScanPage.ItemTree.IsHidden(kCatalogCategories[c].node))
            TickByClicks(form->ScanPage.tvItemsList, form->ScanPage.ItemTree, kCatalogCategories[c].node, false);
    Click(form->ScanPage.ScanNowBtn.hwnd());
    ASSERT_EQ(form->ResultPage.ResultTree.Children(0).size(), 1u);
    const int only = form->ResultPage.ResultTree.Children(0)[0];
    EXPECT_EQ(form->ResultPage.ResultTree.At(only).caption, "Windows System");
    EXPECT_EQ(form->ResultPage.ResultTree.At(only).image, CategoryImage(2));  // first shown, its own picture
    EXPECT_EQ(ControlImage(form->ResultPage.ResultTreeView, only), CategoryImage(2));
}

TEST_F(ScanRunTest, TickingInTheResultTreeSetsExactlyTheRightRecords) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    TreeView& tv = form->ResultPage.ResultTreeView;
    TickByClicks(tv, form->ResultPage.ResultTree, 0, false);  // root: everything off
    for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(CheckedIn(form->Session, c), 0) << c;
    for (int i = 0; i < form->ResultPage.ResultTree.Count(); ++i) EXPECT_EQ(ControlStateImage(tv, i), kStateUnticked);
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), form->ScanPage.FoundTotal);  // each record once
    EXPECT_EQ(form->ResultPage.abHintStr.Caption(), "");
    const int system = ResultNodeOf("Windows System");
    ClickTick(tv, system);  // a category: its items and its records on
    EXPECT_EQ(CheckedIn(form->Session, 2), form->Session.SystemResults.Count());
    EXPECT_EQ(CheckedIn(form->Session, 0) + CheckedIn(form->Session, 1) + CheckedIn(form->Session, 3), 0);
    for (int child : form->ResultPage.ResultTree.Children(system)) EXPECT_EQ(ControlStateImage(tv, child), kStateTicked);
    EXPECT_EQ(ControlStateImage(tv, 0), kStatePartial);  // the root shows that part of it is ticked
    const int paint = ResultNodeOf("Paint");
    ClickTick(tv, paint);  // one item of an unticked category
    EXPECT_EQ(CheckedIn(form->Session, 1), Made("Paint"));
    EXPECT_EQ(ControlStateImage(tv, ResultNodeOf("Windows Software")), kStatePartial);
    EXPECT_EQ(static_cast<int>(form->Session.ResultRows.size()), Made("Paint"));  // the list shows the item
    for (const TResultItem& row : form->Session.ResultRows) EXPECT_EQ(row.ItemName, "Paint");
    // The item ticks are shared with the Scan page and stay when it opens.
    Click(form->ScanBtn.hwnd());
    EXPECT_EQ(ControlStateImage(form->ScanPage.tvItemsList, FindCatalogItemByName("Paint")->node), kStateTicked);
    EXPECT_EQ(ControlStateImage(form->ScanPage.tvItemsList, FindCatalogItemByName("WordPad")->node), kStateUnticked);
}

TEST_F(ScanRunTest, ARowFlipChangesOneRecordAndARightClickNothing) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    ListView& list = form->ResultPage.ResultListView;
    RECT r{};
    ListView_GetItemRect(list.hwnd(), 2, &r, LVIR_BOUNDS);
    int x = 0;
    for (; x < 40; ++x)
        if (list.HitTest(x, (r.top + r.bottom) / 2).onStateImage) break;
    ASSERT_LT(x, 40) << "no tick box in the row";
    const int y = (r.top + r.bottom) / 2;
    const int before = CheckedIn(form->Session, 0);
    // A press on the row's texts only selects it; Space then flips its tick, twice back.
    Press(list.hwnd(), WM_LBUTTONDOWN, 200, y);
    EXPECT_EQ(list.SelectedRow(), 2);
    EXPECT_EQ(form->Session.ResultRows[2].Checked, 1);
    Press(list.hwnd(), WM_LBUTTONDOWN, r.right - 4, y);  // far right, past every text
    EXPECT_EQ(form->Session.ResultRows[2].Checked, 1);
    SendMessageW(list.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(form->Session.ResultRows[2].Checked, 0);
    SendMessageW(list.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(form->Session.ResultRows[2].Checked, 1);
    EXPECT_EQ(CheckedIn(form->Session, 0), before);
    // The right button opens the Exclude menu; a timer sees it open and closes it.
    static bool menuSeen;
    menuSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        if (FindWindowW(L"#32768", nullptr)) {
            menuSeen = true;
            EndMenu();
        }
    });
    PostMessageW(list.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(x + 2, y));  // the release that follows the press
    Press(list.hwnd(), WM_RBUTTONDOWN, x + 2, y);
    Pump();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(menuSeen);
    EXPECT_EQ(CheckedIn(form->Session, 0), before);
    EXPECT_EQ(form->Session.ResultRows[2].Checked, 1);
    Press(list.hwnd(), WM_LBUTTONDOWN, x + 2, y);
    EXPECT_EQ(form->Session.ResultRows[2].Checked, 0);
    EXPECT_EQ(CheckedIn(form->Session, 0), before - 1);
    EXPECT_EQ(form->Session.ResultRows[2].Source->Checked, 0);
    int64_t count = 0, bytes = 0;
    CheckedTotals(form->Session, count, bytes);
    EXPECT_EQ(form->ResultPage.abHintStr.Caption(), SummaryText(count, bytes, LocaleDecimalSeparator()));
    Press(list.hwnd(), WM_LBUTTONDOWN, x + 2, y);
    EXPECT_EQ(CheckedIn(form->Session, 0), before);
}

TEST_F(ScanRunTest, SummaryAndSizeForms) {
    form->Session.ClearResults();
    TResultContentItem& r = form->Session.SystemResults.Item(form->Session.SystemResults.AddNew());
    r.Checked = 1;
    r.CleanName = "Clean RecycleBin";
    const std::pair<int64_t, const char*> cases[] = {
        {0, "1 items found."},
        {1023, "1 items that can free 1023 Bytes hard disk space found."},
        {1024, "1 items that can free 1.00 KB hard disk space found."},
        {1048576, "1 items that can free 1.00 MB hard disk space found."},
    };
    for (const auto& [size, text] : cases) {
        form->Session.SystemResults.Item(0).Size = size;
        form->ResultPage.ShowSummary();
        EXPECT_EQ(form->ResultPage.abHintStr.Caption(), text);
    }
    form->Session.SystemResults.Item(0).Size = 1536;
    form->ResultPage.BuildResultList(2, 0, false);
    EXPECT_EQ(form->ResultPage.ResultListView.CellText(0, 2), "1.50 KB");  // with its unit
    EXPECT_EQ(form->ResultPage.abResultSpace.Caption(), "1.50");
    EXPECT_EQ(form->ResultPage.panResultSpace.Caption(), "KB");
    form->Session.SystemResults.Item(0).Size = 1023;
    form->ResultPage.BuildResultList(2, 0, false);
    EXPECT_EQ(form->ResultPage.abResultSpace.Caption(), "1023");
    EXPECT_EQ(form->ResultPage.panResultSpace.Caption(), "B");
    form->Session.SystemResults.Item(0).Size = 5LL << 30;  // over 2 GiB
    form->ResultPage.BuildResultList(2, 0, false);
    EXPECT_EQ(form->ResultPage.abResultSpace.Caption(), "5120.00");
    EXPECT_EQ(form->ResultPage.panResultSpace.Caption(), "MB");
    form->Session.SystemResults.Item(0).Checked = 0;
    form->ResultPage.ShowSummary();
    EXPECT_EQ(form->ResultPage.abHintStr.Caption(), "");
    form->Session.SystemResults.Item(0).Checked = 1;
    form->Session.SystemResults.Item(0).Size = 312;
    form->ResultPage.BuildResultList(2, 0, false);
    EXPECT_EQ(form->ResultPage.ResultListView.CellText(0, 2), "312 B");
    // A long summary is shown whole: its label is as wide as its text.
    form->Session.SystemResults.Item(0).Size = int64_t{1} << 40;
    for (int k = 0; k < 99999; ++k) form->Session.SystemResults.Item(form->Session.SystemResults.AddNew()).Checked = 1;
    form->ResultPage.ShowSummary();
    EXPECT_EQ(form->ResultPage.abHintStr.Caption(),
              "100000 items that can free 1048576.00 MB hard disk space found.");
    EXPECT_GE(form->ResultPage.abHintStr.GetBounds().w, form->ResultPage.abHintStr.CaptionWidth());
    form->Session.ClearResults();
}

TEST_F(ScanRunTest, ARunningFirefoxInAnyCaseBlocksTheScan) {
    const std::wstring fake = ToWide(TempFolder() + "FIREFOX.EXE");
    ASSERT_TRUE(CopyFileW(ToWide(ExeDirectory() + "sleeper.exe").c_str(), fake.c_str(), FALSE));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + fake + L"\" 30";
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    DialogScope scope;
    Click(form->ScanPage.ScanNowBtn.hwnd());
    TerminateProcess(pi.hProcess, 0);  // ours, by its handle
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    DeleteFileW(fake.c_str());
    ASSERT_EQ(scope.dialogs.messages.size(), 1u);
    EXPECT_EQ(scope.dialogs.messages[0].text, "Mozilla Firefox is running, please close Firefox!");
    EXPECT_EQ(scope.dialogs.messages[0].caption, "Ormatek Sorvanda");
    EXPECT_EQ(scope.dialogs.messages[0].flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(form->DataNotebook.PageIndex(), TFrm_Main::kPageScan);
    EXPECT_TRUE(form->ScanPage.ScanNowBtn.Visible());
    EXPECT_EQ(form->ScanPage.ItemTree.CountOf(0), 0);
}

// The animation steps and the list pages come through the scan's own message
// pumping. (How long the queue waits at most is measured by the benchmarks.)
TEST_F(ScanRunTest, TheWindowKeepsTakingMessagesDuringAScan) {
    SeedOptions o;
    o.items = {"Recent Files"};
    o.count = 600;
    SeedTraces(o);
    std::vector<int> frames;
    auto saved = DM->EvidenceTimer.OnTimer;
    DM->EvidenceTimer.OnTimer = [&] {
        saved();
        frames.push_back(form->ScanPage.ItemTree.At(DM->EvidenceNode).image);
    };
    // Each entry of the scan waits a little until the animation has stepped a
    // few times: the steps can only arrive through the scan's pumping.
    int waits = 0;
    {
        EntryHook wait(form->Session, [&](int) {
            if (frames.size() < 4 && ++waits < 5000) Sleep(2);
        });
        Click(form->ScanPage.ScanNowBtn.hwnd());
    }
    DM->EvidenceTimer.OnTimer = saved;
    ASSERT_GE(frames.size(), 4u);
    std::set<int> distinct(frames.begin(), frames.end());
    EXPECT_GE(distinct.size(), 2u);
    for (int f : frames) {
        EXPECT_GE(f, kImageScanFirst);
        EXPECT_LE(f, kImageScanLast);
    }
    // The virtual list reaches its last row at once.
    const int rows = form->ResultPage.ResultListView.RowCount();
    ASSERT_GT(rows, 600);
    ListView_EnsureVisible(form->ResultPage.ResultListView.hwnd(), rows - 1, FALSE);
    UpdateWindow(form->ResultPage.ResultListView.hwnd());
    EXPECT_EQ(form->ResultPage.ResultListView.CellText(rows - 1, 0), form->Session.ResultRows.back().ItemName);
    EXPECT_EQ(form->ResultPage.ResultListView.CellText(rows - 1, 1), form->Session.ResultRows.back().ShownName);
    o.count = 2;
    SeedTraces(o);
}

// Every item's rows say what they are (no empty Name cell, whatever field the
// item shows), and the four columns fill the list exactly: no horizontal scroll bar.
TEST_F(ScanRunTest, EveryRowNamesItsTraceAndTheColumnsFitTheList) {
    SeedOptions o;  // fresh traces for every item: earlier tests cleaned some
    o.count = 2;
    const SeedReport made = SeedTraces(o);
    for (const CatalogItem& item : kCatalogItems)  // every item
        if (!item.ticked) ClickTick(form->ScanPage.tvItemsList, item.node);
    Click(form->ScanPage.ScanNowBtn.hwnd());
    ListView& list = form->ResultPage.ResultListView;
    auto columnsFit = [&] {
        int sum = 0;
        for (int c = 0; c < list.ColumnCount(); ++c) sum += list.ColumnWidth(c);
        return sum == list.ClientWidth() && !(GetWindowLongW(list.hwnd(), GWL_STYLE) & WS_HSCROLL);
    };
    for (const CatalogItem& item : kCatalogItems) {
        const int node = ResultNodeOf(std::string(item.name));
        ASSERT_GE(node, 0) << item.name;
        form->ResultPage.ResultTree.Select(node);
        ASSERT_EQ(list.RowCount(), static_cast<int>(made.made.at(std::string(item.name)).size())) << item.name;
        for (int row = 0; row < list.RowCount(); ++row)
            EXPECT_FALSE(list.CellText(row, 1).empty()) << item.name << " row " << row;
        EXPECT_TRUE(columnsFit()) << item.name;
    }
    form->ResultPage.ResultTree.Select(0);  // every row: a vertical scroll bar
    EXPECT_TRUE(columnsFit());
    EXPECT_GE(list.ColumnWidth(1), 200);  // Name keeps most of the width
}

// A header click sorts the rows by its column, a second one the other way;
// each row keeps its tick, and a newly chosen node shows its first row.
TEST_F(ScanRunTest, AHeaderClickSortsTheRowsAndANewNodeStartsAtTheTop) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    ListView& list = form->ResultPage.ResultListView;
    const std::vector<TResultItem>& rows = form->Session.ResultRows;
    ASSERT_GT(rows.size(), 20u);
    HWND header = ListView_GetHeader(list.hwnd());
    auto clickHeader = [&](int column) {
        RECT r{};
        Header_GetItemRect(header, column, &r);
        Click(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Pump();
    };
    clickHeader(2);
    for (size_t i = 1; i < rows.size(); ++i) ASSERT_LE(rows[i - 1].Size, rows[i].Size) << i;
    clickHeader(2);
    for (size_t i = 1; i < rows.size(); ++i) ASSERT_GE(rows[i - 1].Size, rows[i].Size) << i;
    clickHeader(0);
    for (size_t i = 1; i < rows.size(); ++i) ASSERT_LE(AsciiLower(rows[i - 1].ItemName), AsciiLower(rows[i].ItemName)) << i;
    EXPECT_EQ(list.CellText(0, 0), rows[0].ItemName);  // the list shows the new order
    // A tick on a sorted row reaches its own record.
    const TResultContentItem* first = rows[0].Source;
    const int ticked = first->Checked;
    form->ResultPage.TickRow(0);
    EXPECT_NE(first->Checked, ticked);
    for (const TResultItem& r : rows) EXPECT_EQ(r.Checked, r.Source->Checked);
    // Scrolled down, another node starts at its first row.
    ListView_EnsureVisible(list.hwnd(), list.RowCount() - 1, FALSE);
    ASSERT_GT(ListView_GetTopIndex(list.hwnd()), 0);
    form->ResultPage.ResultTree.Select(form->ResultPage.ResultTree.Children(0)[0]);
    EXPECT_EQ(ListView_GetTopIndex(list.hwnd()), 0);
}

// The row under the pointer has a tip with its whole name, asked of the list
// as the tip control asks (the control's own row tips do not show under Wine).
TEST_F(ScanRunTest, TheRowUnderThePointerTipsItsWholeName) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    ListView& list = form->ResultPage.ResultListView;
    ASSERT_NE(list.TipWindow(), nullptr);
    EXPECT_EQ(SendMessageW(list.TipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
    RECT r{};
    ListView_GetItemRect(list.hwnd(), 1, &r, LVIR_BOUNDS);
    SendMessageW(list.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(200, (r.top + r.bottom) / 2));
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = list.TipWindow();
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(list.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(FromWide(info.lpszText), form->Session.ResultRows[1].ShownName);
    // Off the rows: no tip.
    SendMessageW(list.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 2000));
    EXPECT_EQ(list.TipText(), "");
}
