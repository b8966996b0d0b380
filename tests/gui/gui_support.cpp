#include "gui/gui_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/data_module.h"
#include "app/settings.h"
#include "model/scan_session.h"
#include "model/tree_model.h"
#include "platform/registry.h"
#include "platform/wide.h"
#include "ui/frm_main.h"
#include "ui/tree_view.h"

int ScriptedDialogs::Message(HWND, const std::string& text, const std::string& caption, UINT flags) {
    messages.push_back({text, caption, flags});
    if (answers.empty()) return IDOK;
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
}

void ScriptedDialogs::ShellOpen(HWND, const std::string& target, const std::string& params, const std::string& dir,
                                int show) {
    opens.push_back({target, params, dir, show});
}

std::string ScriptedDialogs::OpenFile(HWND) {
    if (files.empty()) return {};
    std::string f = files.front();
    files.erase(files.begin());
    return f;
}

std::string ScriptedDialogs::BrowseForFolder(HWND, const std::string& title) {
    folderTitles.push_back(title);
    if (folders.empty()) return {};
    std::string f = folders.front();
    folders.erase(folders.begin());
    return f;
}

std::vector<std::string> ScriptedDialogs::OpenFiles(HWND owner, const std::string& startFolder) {
    openFolders.push_back(startFolder);
    if (fileLists.empty()) return UserDialogs::OpenFiles(owner, startFolder);
    std::vector<std::string> list = fileLists.front();
    fileLists.erase(fileLists.begin());
    return list;
}

int ScriptedDialogs::Confirm(HWND, const std::string& text, const std::string& caption, const std::string& action,
                             bool& dontAsk) {
    confirms.push_back({text, caption, action});
    int a = IDOK;
    if (!confirmAnswers.empty()) {
        a = confirmAnswers.front();
        confirmAnswers.erase(confirmAnswers.begin());
    }
    dontAsk = a == IDOK && dontAskAgain;
    return a;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;  // a closed test window must not end the run
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::string TempFolder() {
    wchar_t tmp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, tmp);
    return FromWide(tmp);
}

void Press(HWND hwnd, UINT downMessage, int x, int y) {
    if (x < 0 || y < 0) return;  // a point that was not found
    const WPARAM keys = downMessage == WM_LBUTTONDOWN ? MK_LBUTTON : downMessage == WM_RBUTTONDOWN ? MK_RBUTTON : 0;
    SendMessageW(hwnd, downMessage, keys, MAKELPARAM(x, y));
}

void Click(HWND hwnd, int x, int y) {
    if (x < 0 || y < 0) {
        RECT r;
        GetClientRect(hwnd, &r);
        x = r.right / 2;
        y = r.bottom / 2;
    }
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

void Hover(HWND hwnd) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    Pump();
}

void Unhover(HWND hwnd) {
    SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    Pump();
}

POINT TickBoxPoint(const TreeView& tree, int node) {
    TreeView_EnsureVisible(tree.hwnd(), tree.Handle(node));
    UpdateWindow(tree.hwnd());
    Pump();
    const RECT label = tree.NodeRect(node, true);
    const int y = (label.top + label.bottom) / 2;
    for (int x = 0; x < label.left; ++x) {
        const TreeHit hit = tree.HitTest(x, y);
        if (hit.node == node && hit.where == TreeHit::StateIcon) return {x + 3, y};
    }
    ADD_FAILURE() << "no tick box found for node " << node << " label " << label.left << "," << label.top << ","
                  << label.right << "," << label.bottom << " hit at 40: " << tree.HitTest(40, y).node << "/"
                  << tree.HitTest(40, y).where << " visible " << IsWindowVisible(tree.hwnd());
    return {-1, -1};
}

POINT RightOfLabelPoint(const TreeView& tree, int node) {
    TreeView_EnsureVisible(tree.hwnd(), tree.Handle(node));
    UpdateWindow(tree.hwnd());
    Pump();
    const RECT label = tree.NodeRect(node, true);
    return {label.right + 20, (label.top + label.bottom) / 2};
}

int ControlStateImage(const TreeView& tree, int node) {
    const UINT state = TreeView_GetItemState(tree.hwnd(), tree.Handle(node), TVIS_STATEIMAGEMASK);
    return static_cast<int>(state >> 12);
}

int ControlImage(const TreeView& tree, int node) {
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE;
    item.hItem = tree.Handle(node);
    TreeView_GetItem(tree.hwnd(), &item);
    return item.iImage;
}

// The GUI tests share one data module, as the program does.
int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    static TDM dm;
    DM = &dm;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

void TickByClicks(const TreeView& view, const TreeModel& model, int node, bool ticked) {
    const int look = ticked ? kStateTicked : kStateUnticked;  // not partly ticked
    for (int k = 0; k < 2 && model.At(node).stateImage != look; ++k) {
        const POINT p = TickBoxPoint(view, node);
        Press(view.hwnd(), WM_LBUTTONDOWN, p.x, p.y);
    }
    EXPECT_EQ(model.At(node).stateImage, look) << "node " << node;
}

void ForgetUserChoices() {
    RegKey key;
    if (key.OpenForWrite(HKEY_CURRENT_USER, kSettingsKey)) key.DeleteValue("AskBeforeClean");
    RegDeleteKeyTree(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\Ticks");
}

void OpenMainWindow(std::unique_ptr<TFrm_Main>& form) {
    ForgetUserChoices();
    form = std::make_unique<TFrm_Main>();
    ASSERT_TRUE(form->Create());
    form->ShowFirst();
    Pump();
}
