// Names outside every code page through the window layer: each is shown and
// read back exactly, from the controls' own wide text as well as through the
// program's UTF-8 accessors.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "exclude/exclude_store.h"
#include "gui/gui_support.h"
#include "model/result_rows.h"
#include "model/scan_session.h"
#include "platform/message_pump.h"
#include "platform/wide.h"
#include "ui/exclude_data_form.h"
#include "ui/frm_main.h"

namespace {

struct Name {
    std::string utf8;
    std::wstring wide;  // written out independently of the program's conversion
};
const std::vector<Name> kNames = {
    {"Привет.txt", L"Привет.txt"}, {"报纸.txt", L"报纸.txt"}, {"😀.txt", L"😀.txt"},
    {"Łódź.txt", L"Łódź.txt"},     {"ｆile.txt", L"ｆile.txt"},
};

// A cell of a list as the control hands it to a caller with a buffer of cch
// characters; the characters after the terminator's place must stay untouched.
std::wstring ListCell(HWND list, int row, int column, int cch) {
    std::wstring buf(static_cast<size_t>(cch) + 8, L'#');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buf.data();
    item.cchTextMax = cch;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(buf.substr(static_cast<size_t>(cch)), std::wstring(8, L'#')) << "written past the buffer";
    return buf.c_str();
}

std::wstring ControlText(HWND hwnd) {
    wchar_t buf[512] = {};
    GetWindowTextW(hwnd, buf, 512);
    return buf;
}

class UnicodeTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(ToWide(ExcludeFilePath()).c_str());
        OpenMainWindow(form);
    }
    void TearDown() override {
        form.reset();
        DeleteFileW(ToWide(ExcludeFilePath()).c_str());
        Pump();
    }
    std::unique_ptr<TFrm_Main> form;
    DialogScope scope;
};

}  // namespace

TEST_F(UnicodeTextTest, ResultRowsShowEveryNameAndCutOnlyBetweenCharacters) {
    std::vector<std::string> names;
    for (const Name& n : kNames) names.push_back(n.utf8);
    names.push_back("a😀b");
    names.push_back(std::string(1022, 'x') + "😀.txt");  // the pair straddles the end of the first read
    names.push_back(std::string(3000, 'z') + "Привет.txt");
    for (const std::string& n : names) {
        TResultItem row;
        row.ItemName = "Recent Files";
        row.ShownName = n;
        form->Session.ResultRows.push_back(row);
    }
    Click(form->ResultBtn.hwnd());
    form->ResultPage.ResultListView.SetRowCount(static_cast<int>(names.size()));
    HWND list = form->ResultPage.ResultListView.hwnd();
    UpdateWindow(list);  // the rows paint through the same answers
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(form->ResultPage.ResultListView.CellText(static_cast<int>(i), 1), names[i]) << i;
        if (i < kNames.size()) {
            EXPECT_EQ(ListCell(list, static_cast<int>(i), 1, 64), kNames[i].wide);
        }
    }
    // "a😀b" in buffers of 1 to 6 characters: a pair goes whole or not at all.
    const int cut = static_cast<int>(kNames.size());
    const wchar_t* want[] = {L"", L"a", L"a", L"a😀", L"a😀b", L"a😀b"};
    for (int cch = 1; cch <= 6; ++cch) EXPECT_EQ(ListCell(list, cut, 1, cch), want[cch - 1]) << cch;
}

TEST_F(UnicodeTextTest, TreeCaptionsAndLabelsHoldEveryName) {
    Panel frame;
    ASSERT_TRUE(frame.Create({form->hwnd(), {0, 0, 300, 200}}));
    TreeModel model;
    TreeView tree;  // goes before the model it observes
    ASSERT_TRUE(tree.Create({frame.hwnd(), {0, 0, 300, 200}}));
    const int root = model.Add(-1, "Łódź", nullptr, kImageRoot, kStateTicked);
    for (const Name& n : kNames) model.Add(root, n.utf8, nullptr, kImageItem, kStateTicked);
    model.Commit();
    tree.Attach(&model);
    for (int node = 1; node < model.Count(); ++node) {
        wchar_t buf[64] = {};
        TVITEMW item{};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = tree.Handle(node);
        item.pszText = buf;
        item.cchTextMax = 64;
        ASSERT_TRUE(SendMessageW(tree.hwnd(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(std::wstring(buf), kNames[static_cast<size_t>(node - 1)].wide);
    }
    TreeView_SelectItem(tree.hwnd(), tree.Handle(3));  // the control's own selection reaches the model
    EXPECT_EQ(model.Selected(), 3);

    for (const Name& n : kNames) {
        form->ResultPage.abStepMsg.SetCaption(n.utf8);
        EXPECT_EQ(ControlText(form->ResultPage.abStepMsg.hwnd()), n.wide);
        EXPECT_EQ(form->ResultPage.abStepMsg.Text(), n.utf8);
    }
}

TEST_F(UnicodeTextTest, TheExclusionDialogTakesEveryNameTypedOrSet) {
    TExcludeDataForm dlg;
    ASSERT_TRUE(dlg.Create(form->hwnd(), "Łódź — ｆile"));  // a caption given at creation
    EXPECT_EQ(ControlText(dlg.hwnd()), L"Łódź — ｆile");
    for (const Name& n : kNames) {
        dlg.SetTextValue(n.utf8);
        EXPECT_EQ(ControlText(dlg.edTextName), n.wide);
        SendMessageW(dlg.edTextName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(n.wide.c_str()));
        EXPECT_EQ(dlg.Text(), n.utf8);
    }
    // Characters typed while the program pumps: a scan's pump, then the modal loop.
    dlg.SetTextValue("");
    PostMessageW(dlg.edTextName, WM_CHAR, L'Ж', 1);
    ProcessMessagesNow();
    EXPECT_EQ(dlg.Text(), "Ж");
    dlg.SetSection(0);
    dlg.OnShownModal = [&](Form&) {
        for (wchar_t c : std::wstring(L"😀报")) PostMessageW(dlg.edTextName, WM_CHAR, c, 1);
        PostMessageW(dlg.edTextName, WM_KEYDOWN, VK_RETURN, 1);
    };
    EXPECT_EQ(dlg.ShowModal(), IDOK);
    EXPECT_EQ(dlg.Text(), "Ж😀报");
}

TEST_F(UnicodeTextTest, TheExcludePageModifiesAndRemovesEntriesByTheirExactNames) {
    for (const Name& n : kNames) {
        TExcludeContentItem& e = form->Session.ExcludeList.Item(form->Session.ExcludeList.AddNew());
        e.ItemName = "Cookies";
        e.Location = n.utf8;
    }
    Click(form->ExcludeBtn.hwnd());
    form->ExcludePage.ExcludeTree.Select(4);  // Cookies
    ListView& list = form->ExcludePage.ExcludeListView;
    ASSERT_EQ(list.RowCount(), static_cast<int>(kNames.size()));
    for (int row = 0; row < list.RowCount(); ++row) {
        EXPECT_EQ(list.CellText(row, 1), kNames[static_cast<size_t>(row)].utf8);
        EXPECT_EQ(ListCell(list.hwnd(), row, 1, 64), kNames[static_cast<size_t>(row)].wide);
    }
    // Modify finds the entry by the text the list gives back.
    list.SelectRow(2);
    form->ExcludePage.onModifyShown = [&](TExcludeDataForm& dlg) {
        EXPECT_EQ(dlg.Text(), "😀.txt");
        SendMessageW(dlg.edTextName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"😀😀.txt"));
        SendMessageW(dlg.mrOkBtn, BM_CLICK, 0, 0);
    };
    Click(form->ExcludePage.ModifyBtn.hwnd());
    EXPECT_EQ(form->Session.ExcludeList.Item(2).Location, "😀😀.txt");
    EXPECT_EQ(list.CellText(2, 1), "😀😀.txt");
    list.SelectRow(1);
    Click(form->ExcludePage.RemoveBtn.hwnd());
    ASSERT_EQ(form->Session.ExcludeList.Count(), static_cast<int>(kNames.size()) - 1);
    for (int i = 0; i < form->Session.ExcludeList.Count(); ++i) EXPECT_NE(form->Session.ExcludeList.Item(i).Location, "报纸.txt");
}

TEST_F(UnicodeTextTest, TheShredListHandsTheEngineEveryNameExactly) {
    Click(form->AdvancedBtn.hwnd());
    TAdvancedShredForm& shred = *form->AdvancedShredForm;
    std::vector<std::string> paths;
    for (const Name& n : kNames) paths.push_back("C:\\gone\\" + n.utf8);
    for (const std::string& p : paths) shred.AddEntry(p);
    const std::string chosen = "C:\\报纸\\😀 Привет.txt";
    scope.dialogs.files = {chosen};
    shred.AddFiles1Click();
    paths.push_back(chosen);
    EXPECT_EQ(shred.Entries(), paths);
    wchar_t buf[64] = {};
    SendMessageW(shred.listAdd, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(std::wstring(buf), L"C:\\gone\\😀.txt");
    std::vector<std::string> shredded;
    shred.shredEntry = [&](const std::string& p, int, ShredReport&) { shredded.push_back(p); };
    scope.dialogs.answers = {IDYES};
    Click(shred.btnShred.hwnd());
    EXPECT_EQ(shredded, paths);
}
