#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <set>

#include "exclude/exclude_lines.h"
#include "exclude/exclude_store.h"
#include "gui/gui_support.h"
#include "model/result_rows.h"
#include "model/scan_session.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "tools/seeder/seeder.h"
#include "ui/exclude_data_form.h"
#include "ui/frm_main.h"

namespace {

std::string FileText() {
    std::string s;
    ReadWholeFile(ExcludeFilePath(), s);
    return s;
}

class ExcludePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(ToWide(ExcludeFilePath()).c_str());
        SeedOptions o;
        o.count = 2;
        o.items = {"Cache", "Run History", "Recent Files", "Telnet Menu History", "FireFoxHistory", "Paint"};
        SeedTraces(o);
        Open();
    }
    void TearDown() override {
        form.reset();
        ClearTraces({});
        DeleteFileW(ToWide(ExcludeFilePath()).c_str());
        Pump();
    }
    void Open() {
        OpenMainWindow(form);
    }
    // Selects the first row of an item on the Result page, as a click would.
    int SelectRowOf(const std::string& itemName, const std::string& valueName = "") {
        for (size_t i = 0; i < form->Session.ResultRows.size(); ++i)
            if (form->Session.ResultRows[i].ItemName == itemName && (valueName.empty() || form->Session.ResultRows[i].ValueName == valueName)) {
                form->ResultPage.ResultListView.SelectRow(static_cast<int>(i));
                return static_cast<int>(i);
            }
        ADD_FAILURE() << "no row of " << itemName;
        return -1;
    }
    int Count(const char* caption) {
        for (int i = 0; i < form->ResultPage.ResultTree.Count(); ++i)
            if (form->ResultPage.ResultTree.At(i).caption == caption) return form->ResultPage.ResultTree.CountOf(i);
        return -1;
    }
    bool Finds(int category, const std::string& identity) {
        for (int i = 0; i < form->Session.ResultsOf(category)->Count(); ++i)
            if (TraceIdentity(std::as_const(*form->Session.ResultsOf(category)).Item(i)) == identity) return true;
        return false;
    }
    std::unique_ptr<TFrm_Main> form;
};

}  // namespace

TEST_F(ExcludePageTest, ExcludingACacheRowStoresItsUrlAndTheRowLeaves) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    const int rows = form->ResultPage.ResultListView.RowCount();
    const int cacheBefore = Count("Cache"), ieBefore = Count("Internet Explorer"), rootBefore = Count("My Computer");
    const int row = SelectRowOf("Cache");
    const std::string url = form->Session.ResultRows[static_cast<size_t>(row)].ValueName;
    form->ResultPage.Exclude1Click();
    EXPECT_EQ(FileText(), "Cache|" + url + "!<\r\n");
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), rows - 1);
    EXPECT_EQ(form->ResultPage.abResultCount.Caption(), std::to_string(rows - 1));
    EXPECT_EQ(Count("Cache"), cacheBefore - 1);
    EXPECT_EQ(Count("Internet Explorer"), ieBefore - 1);
    EXPECT_EQ(Count("My Computer"), rootBefore - 1);
    EXPECT_FALSE(Finds(0, url));  // withdrawn from the results
    // The Exclude page shows it under the root, Internet Explorer and Cache.
    Click(form->ExcludeBtn.hwnd());
    ASSERT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 1);
    EXPECT_EQ(form->ExcludePage.ExcludeListView.CellText(0, 0), "Cache");
    EXPECT_EQ(form->ExcludePage.ExcludeListView.CellText(0, 1), url);
    EXPECT_EQ(form->ExcludePage.ExcludeTree.CountOf(0), 1);
    EXPECT_EQ(form->ExcludePage.ExcludeTree.CountOf(1), 1);
    EXPECT_EQ(form->ExcludePage.ExcludeTree.CountOf(2), 1);
    form->ExcludePage.ExcludeTree.Select(28);  // Windows System: nothing
    EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 0);
    // The next scan does not find it again.
    Click(form->ScanBtn.hwnd());
    Click(form->ScanPage.ScanNowBtn.hwnd());
    EXPECT_FALSE(Finds(0, url));
    EXPECT_EQ(Count("Cache"), 1);
}

TEST_F(ExcludePageTest, ExcludedTracesStayOutOfLaterScansAndOfTheClean) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    // A list-scanner item, a folder item and an Internet Software row.
    SelectRowOf("Run History", "a");
    form->ResultPage.Exclude1Click();
    const int recent = SelectRowOf("Recent Files");
    const std::string recentName = form->Session.ResultRows[static_cast<size_t>(recent)].ValueName;
    form->ResultPage.Exclude1Click();
    const int history = SelectRowOf("FireFoxHistory");
    const std::string historyUrl = form->Session.ResultRows[static_cast<size_t>(history)].ShownName;
    form->ResultPage.Exclude1Click();
    EXPECT_FALSE(Finds(2, "a"));
    EXPECT_FALSE(Finds(2, recentName));
    EXPECT_FALSE(Finds(3, historyUrl));
    // The rows left point at their own records still.
    for (const TResultItem& row : form->Session.ResultRows)
        ASSERT_NE(form->Session.ResultsOf(row.CategoryIndex)->IndexOf(row.Source), -1) << row.ItemName;
    // A clean over these results leaves the excluded traces where they are.
    DialogScope scope;
    Click(form->ResultPage.CleanBtn.hwnd());
    std::string profileFile;
    for (int i = 0; i < form->Session.InternetResults.Count(); ++i) profileFile = std::as_const(form->Session.InternetResults).Item(i).Location;
    EXPECT_TRUE(FileExists(ShellFolder("Recent") + "\\" + recentName));
    // The history file itself was wiped for the other entries of it; the Run value stays.
    RegKey k;
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"));
    EXPECT_TRUE(k.ValueExists("a"));
    EXPECT_FALSE(k.ValueExists("b"));
    k.Close();
    // A new scan: the Run value and the Recent file are excluded for good.
    Click(form->ResultPage.FinishBtn.hwnd());
    Click(form->ScanPage.ScanNowBtn.hwnd());
    EXPECT_FALSE(Finds(2, "a"));
    EXPECT_FALSE(Finds(2, recentName));
}

TEST_F(ExcludePageTest, ExcludingAStoredRowAddsNothingButTheRowStillLeaves) {
    Click(form->ScanPage.ScanNowBtn.hwnd());
    const int row = SelectRowOf("Paint");
    const TResultItem r = form->Session.ResultRows[static_cast<size_t>(row)];
    AddExcludeItem(form->Session.ExcludeList, {r.ItemName, r.Location, r.ValueName, r.ValueData});
    const std::string before = FileText();
    const int paint = Count("Paint"), software = Count("Windows Software"), root = Count("My Computer");
    const int rows = form->ResultPage.ResultListView.RowCount(), records = form->Session.ResultsOf(r.CategoryIndex)->Count();
    const std::string identity = TraceIdentity(*r.Source);
    form->ResultPage.Exclude1Click();
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(Count("Paint"), paint - 1);
    EXPECT_EQ(Count("Windows Software"), software - 1);
    EXPECT_EQ(Count("My Computer"), root - 1);
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), rows - 1);
    EXPECT_EQ(form->ResultPage.abResultCount.Caption(), std::to_string(rows - 1));
    EXPECT_EQ(form->Session.ResultsOf(r.CategoryIndex)->Count(), records - 1);  // exactly that record withdrawn
    EXPECT_FALSE(Finds(r.CategoryIndex, identity));
    // Counts never go below 0.
    for (int i = 0; i < form->ResultPage.ResultTree.Count(); ++i)
        if (form->ResultPage.ResultTree.At(i).caption == "Paint") form->ResultPage.ResultTree.Data(i)->FoundCount = 0;
    SelectRowOf("Paint");
    form->ResultPage.Exclude1Click();
    EXPECT_EQ(Count("Paint"), 0);
    form->ResultPage.ResultListView.SelectRow(-1);
    const int left = form->ResultPage.ResultListView.RowCount();
    form->ResultPage.Exclude1Click();  // no row selected: nothing
    EXPECT_EQ(form->ResultPage.ResultListView.RowCount(), left);
}

TEST_F(ExcludePageTest, ModifyAndRemoveRewriteTheFileAndSurviveARestart) {
    AddExcludeItem(form->Session.ExcludeList, {"Cookies", "Cookie:old@site.example/", "", ""});
    AddExcludeItem(form->Session.ExcludeList, {"Run History", "HKEY_CURRENT_USER\\RunMRU", "a", "notepad.exe"});
    AddExcludeItem(form->Session.ExcludeList, {"Cache", "http://keep.example/", "", ""});
    form.reset();
    Open();  // a new window loads the file
    Click(form->ExcludeBtn.hwnd());
    ASSERT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 3);
    form->ExcludePage.ExcludeTree.Select(4);  // Cookies
    ASSERT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 1);
    form->ExcludePage.ExcludeListView.SelectRow(0);
    bool sawBlank = false;
    form->ExcludePage.onModifyShown = [&](TExcludeDataForm& dlg) {
        EXPECT_EQ(dlg.SectionName(), "Cookies");  // the entry's own item
        EXPECT_EQ(dlg.Text(), "Cookie:old@site.example/");
        EXPECT_TRUE(dlg.OkEnabled());
        SendMessageW(dlg.edTextName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"  \t "));
        sawBlank = !dlg.OkEnabled();  // blank text: OK stays off
        SendMessageW(dlg.mrOkBtn, BM_CLICK, 0, 0);  // a click on a disabled OK does nothing
        SendMessageW(dlg.edTextName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Cookie:new@site.example/"));
        EXPECT_TRUE(dlg.OkEnabled());
        SendMessageW(dlg.mrOkBtn, BM_CLICK, 0, 0);
    };
    Click(form->ExcludePage.ModifyBtn.hwnd());
    EXPECT_TRUE(sawBlank);
    EXPECT_EQ(form->ExcludePage.ExcludeListView.CellText(0, 1), "Cookie:new@site.example/");
    // Remove the Run History entry, shown by its data.
    form->ExcludePage.ExcludeTree.Select(0);
    for (int row = 0; row < form->ExcludePage.ExcludeListView.RowCount(); ++row)
        if (form->ExcludePage.ExcludeListView.CellText(row, 0) == "Run History")
            form->ExcludePage.ExcludeListView.SelectRow(row);
    Click(form->ExcludePage.RemoveBtn.hwnd());
    EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 2);
    EXPECT_EQ(form->ExcludePage.ExcludeTree.CountOf(0), 2);
    EXPECT_EQ(FileText(), "Cookies|Cookie:new@site.example/!<\r\nCache|http://keep.example/!<\r\n");
    form.reset();
    Open();
    Click(form->ExcludeBtn.hwnd());
    EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 2);
    EXPECT_EQ(form->Session.ExcludeList.Item(0).Location, "Cookie:new@site.example/");
}

// An entry kept by its value's data: the row says what it keeps, Modify opens
// on that entry with its own item, changes the data it shows, and the file
// holds exactly what the page shows after a restart.
TEST_F(ExcludePageTest, ModifyOpensOnTheEntryAndChangesWhatTheRowShows) {
    const std::string mru = "HKEY_CURRENT_USER\\Software\\Seed\\MRU";
    AddExcludeItem(form->Session.ExcludeList, {"Run History", mru, "Seed Folder 2", "1"});
    AddExcludeItem(form->Session.ExcludeList, {"Run History", mru, "Seed Folder 3", "1"});  // same data, another value
    Click(form->ExcludeBtn.hwnd());
    ListView& list = form->ExcludePage.ExcludeListView;
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.CellText(0, 1), mru + " : Seed Folder 2 = 1");
    EXPECT_EQ(list.CellText(1, 1), mru + " : Seed Folder 3 = 1");
    list.SelectRow(1);  // the root is selected, not the item: the entry still knows its item
    form->ExcludePage.onModifyShown = [&](TExcludeDataForm& dlg) {
        EXPECT_EQ(dlg.SectionName(), "Run History");
        EXPECT_EQ(dlg.Text(), "1");
        EXPECT_TRUE(dlg.OkEnabled());
        dlg.SetSectionName("Paint");
        SendMessageW(dlg.edTextName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2"));
        SendMessageW(dlg.mrOkBtn, BM_CLICK, 0, 0);
    };
    Click(form->ExcludePage.ModifyBtn.hwnd());
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.CellText(0, 1), mru + " : Seed Folder 2 = 1");  // the other entry is untouched
    EXPECT_EQ(list.CellText(1, 0), "Paint");
    EXPECT_EQ(list.CellText(1, 1), mru + " : Seed Folder 3 = 2");
    EXPECT_EQ(list.SelectedRow(), 1);
    // The row under the pointer tips the whole entry, as it is now.
    RECT r{};
    ListView_GetItemRect(list.hwnd(), 1, &r, LVIR_BOUNDS);
    SendMessageW(list.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(200, (r.top + r.bottom) / 2));
    EXPECT_EQ(list.TipText(), "Paint\n" + mru + " : Seed Folder 3 = 2");
    EXPECT_EQ(form->ExcludePage.ExcludeTree.CountOf(FindCatalogItemByName("Paint")->node), 1);
    form.reset();
    Open();
    Click(form->ExcludeBtn.hwnd());
    const TExcludeContents& saved = form->Session.ExcludeList;
    ASSERT_EQ(saved.Count(), 2);
    EXPECT_TRUE(SameEntry(saved.Item(1), {"Paint", mru, "Seed Folder 3", "2"}));
    EXPECT_EQ(form->ExcludePage.ExcludeListView.CellText(1, 1), mru + " : Seed Folder 3 = 2");
    // Remove takes exactly the entry of its row.
    form->ExcludePage.ExcludeListView.SelectRow(0);
    Click(form->ExcludePage.RemoveBtn.hwnd());
    ASSERT_EQ(saved.Count(), 1);
    EXPECT_EQ(saved.Item(0).EntryName, "Seed Folder 3");
}

TEST_F(ExcludePageTest, TheDialogWithoutASectionKeepsOkOff) {
    TExcludeDataForm dlg;
    ASSERT_TRUE(dlg.Create(form->hwnd(), "Modify Exclude Item"));
    RECT r;
    GetClientRect(dlg.hwnd(), &r);
    EXPECT_EQ(r.right, 336);
    EXPECT_EQ(r.bottom, 161);
    int items = 0;  // every item of the catalog can hold an entry
    for (int c = 0; c < kCategoryCount; ++c) items += CategoryItemCount(c);
    EXPECT_EQ(SendMessageW(dlg.cbSection, CB_GETCOUNT, 0, 0), items);
    EXPECT_FALSE(dlg.OkEnabled());
    dlg.SetTextValue("something");
    EXPECT_FALSE(dlg.OkEnabled());  // no section
    dlg.SetSection(2);
    EXPECT_TRUE(dlg.OkEnabled());
    // Escape cancels.
    dlg.OnShownModal = [&](Form&) { PostMessageW(dlg.edTextName, WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(dlg.ShowModal(), IDCANCEL);
}

TEST_F(ExcludePageTest, CommandsWithoutARowDoNothing) {
    AddExcludeItem(form->Session.ExcludeList, {"Cache", "http://x/", "", ""});
    Click(form->ExcludeBtn.hwnd());
    const std::string before = FileText();
    form->ExcludePage.ExcludeListView.SelectRow(-1);
    bool shown = false;
    form->ExcludePage.onModifyShown = [&](TExcludeDataForm&) { shown = true; };
    Click(form->ExcludePage.ModifyBtn.hwnd());
    Click(form->ExcludePage.RemoveBtn.hwnd());
    EXPECT_FALSE(shown);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 1);
}

// Excluding a trace keeps it out of later scans for every item whose scanner
// tests exclusions at all, whether the row was excluded from the whole list or
// from its item's own list (whose rows of some items show the key name).
TEST_F(ExcludePageTest, EveryExcludedRowStaysOutOfTheNextScan) {
    ClearTraces({});
    SeedOptions o;
    o.count = 2;
    SeedTraces(o);
    TickByClicks(form->ScanPage.tvItemsList, form->ScanPage.ItemTree, 0, true);  // everything on
    // but the clipboard, which is whatever other programs put there.
    TickByClicks(form->ScanPage.tvItemsList, form->ScanPage.ItemTree, FindCatalogItemByName("Clipboard")->node, false);
    // The scanners that list their traces whatever the exclusion list holds.
    const std::set<std::string> ignoring = {"Save Directory",   "GetRight",         "DownloadAccelerator",
                                            "KazaaHistory",     "FireFoxHistory",   "FireFox Cookies",
                                            "FireFoxCache",     "Netscape History", "Netscape Cookies",
                                            "netscape Cache"};
    for (const bool fromItemLists : {false, true}) {
        DeleteFileW(ToWide(ExcludeFilePath()).c_str());
        LoadExcludeItems(form->Session.ExcludeList);
        Click(form->ScanBtn.hwnd());
        Click(form->ScanPage.ScanNowBtn.hwnd());
        std::set<std::string> found;
        for (const TResultItem& r : form->Session.ResultRows) found.insert(r.ItemName);
        ASSERT_GE(found.size(), 45u);
        if (fromItemLists) {
            for (int node = 0; node < form->ResultPage.ResultTree.Count(); ++node) {
                if (form->ResultPage.ResultTree.Level(node) != 2) continue;
                form->ResultPage.ResultTree.Select(node);
                while (!form->Session.ResultRows.empty()) {
                    form->ResultPage.ResultListView.SelectRow(0);
                    form->ResultPage.Exclude1Click();
                }
            }
        } else {
            while (!form->Session.ResultRows.empty()) {
                form->ResultPage.ResultListView.SelectRow(0);
                form->ResultPage.Exclude1Click();
            }
        }
        Click(form->ScanBtn.hwnd());
        Click(form->ScanPage.ScanNowBtn.hwnd());
        std::set<std::string> again;
        for (const TResultItem& r : form->Session.ResultRows) again.insert(r.ItemName);
        EXPECT_EQ(again, ignoring) << (fromItemLists ? "from the item lists" : "from the whole list");
    }
}

// An exclusion file held by another program when the window opens is never
// rewritten from the incomplete list: the page says so, a Remove is refused
// with a message, and once the file can be read the page shows it whole.
TEST_F(ExcludePageTest, AnExclusionFileThatCannotBeReadIsLeftWhole) {
    DialogScope scope;
    const std::string text = "Paint|k!File1<one\r\nRun History|r!a<two\r\n";
    {
        File f(ExcludeFilePath(), File::Open::Create);
        f.WriteAll(text);
    }
    form.reset();
    {
        File held(ExcludeFilePath(), File::Open::Exclusive);
        ASSERT_TRUE(held);
        Open();
        EXPECT_TRUE(form->Session.ExcludeList.FileUnread);
        Click(form->ExcludeBtn.hwnd());
        EXPECT_TRUE(form->ExcludePage.abExcludeWarning.Visible());
        EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 0);
        // A row the page still shows (its entry put in the list here as if it had been read) cannot be removed meanwhile.
        form->Session.ExcludeList.Item(form->Session.ExcludeList.AddNew()) = {"Paint", "k", "File1", "one"};
        form->ExcludePage.tvExcludeChange(0);
        form->ExcludePage.ExcludeListView.SelectRow(0);
        Click(form->ExcludePage.RemoveBtn.hwnd());
        ASSERT_EQ(scope.dialogs.messages.size(), 1u);
        EXPECT_NE(scope.dialogs.messages[0].text.find("could not be read, so it was not changed"), std::string::npos);
        EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 1);
    }
    EXPECT_EQ(FileText(), text);
    Click(form->ScanBtn.hwnd());
    Click(form->ExcludeBtn.hwnd());  // readable now: read again
    EXPECT_FALSE(form->ExcludePage.abExcludeWarning.Visible());
    EXPECT_FALSE(form->Session.ExcludeList.FileUnread);
    EXPECT_EQ(form->ExcludePage.ExcludeListView.RowCount(), 2);
}
