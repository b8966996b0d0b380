// The platform timer, and the scanning animation it drives onto the item tree
// of the window that runs a scan.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/data_module.h"
#include "gui/gui_support.h"
#include "model/item_tree.h"
#include "model/scan_session.h"
#include "platform/timer.h"
#include "ui/frm_main.h"

namespace {

// Runs the thread's messages until the condition holds (at most about five seconds).
bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 1000 && !done(); ++i) {
        Pump();
        Sleep(5);
    }
    return done();
}

}  // namespace

TEST(PlatformTimer, EachTimerFiresItsOwnCallbackOnlyWhileEnabled) {
    Timer a(5), b(5);
    int ticksA = 0, ticksB = 0;
    a.OnTimer = [&] { ++ticksA; };
    b.OnTimer = [&] { ++ticksB; };
    EXPECT_FALSE(a.Enabled());
    a.SetEnabled(true);
    a.SetEnabled(true);  // enabling twice makes no second timer
    ASSERT_TRUE(PumpUntil([&] { return ticksA >= 3; }));
    EXPECT_EQ(ticksB, 0);
    b.SetEnabled(true);
    a.SetEnabled(false);
    EXPECT_FALSE(a.Enabled());
    const int stopped = ticksA;
    // While b ticks a few times, a would have ticked too.
    ASSERT_TRUE(PumpUntil([&] { return ticksB >= 4; }));
    EXPECT_EQ(ticksA, stopped);

    // A timer may stop itself from its callback, and may go while enabled.
    int once = 0;
    a.OnTimer = [&] {
        ++once;
        a.SetEnabled(false);
    };
    a.SetEnabled(true);
    {
        Timer gone(5);
        gone.OnTimer = [&] { ADD_FAILURE() << "a destroyed timer fired"; };
        gone.SetEnabled(true);
    }
    const int from = ticksB;
    ASSERT_TRUE(PumpUntil([&] { return ticksB >= from + 4; }));
    EXPECT_EQ(once, 1);
}

TEST(ScanAnimation, FramesCycleThroughTheScanPictures) {
    ASSERT_NE(DM, nullptr);
    std::vector<std::pair<int, int>> shown;
    DM->OnEvidenceFrame = [&](int node, int frame) { shown.emplace_back(node, frame); };
    DM->EvidenceNode = 17;
    DM->EvidenceFrame = kImageScanLast - 1;
    for (int i = 0; i < 3; ++i) DM->EvidenceTimerTimer();
    DM->EvidenceNode = -1;  // between two items
    DM->EvidenceTimerTimer();
    DM->OnEvidenceFrame = nullptr;
    DM->EvidenceTimerTimer();  // nowhere to go: only the frame moves on
    const std::vector<std::pair<int, int>> want = {{17, 13}, {17, 14}, {17, kImageScanFirst}};
    EXPECT_EQ(shown, want);
    EXPECT_EQ(DM->EvidenceFrame, kImageScanFirst + 3);
}

// The frames land on the scanning window's item tree while its run lasts, and
// nowhere once it has ended (the window may be gone by the next tick).
TEST(ScanAnimation, FramesGoToTheScanningWindowOnlyDuringItsRun) {
    std::unique_ptr<TFrm_Main> form;
    OpenMainWindow(form);
    TreeModel& items = form->ScanPage.ItemTree;
    ClickTickBox(items, 0);  // partly ticked: everything on
    ClickTickBox(items, 0);  // everything off
    const int telnet = FindCatalogItemByName("Telnet Menu History")->node;
    ClickTickBox(items, telnet);
    int imageDuringRun = -1;
    form->ScanPage.onScanItem = [&](int node) {
        ASSERT_TRUE(DM->OnEvidenceFrame);
        DM->OnEvidenceFrame(node, kImageScanFirst + 3);
        imageDuringRun = items.At(node).image;
    };
    form->ScanPage.ScanNowBtnClick();
    EXPECT_EQ(imageDuringRun, kImageScanFirst + 3);
    EXPECT_FALSE(DM->OnEvidenceFrame);
    EXPECT_FALSE(DM->EvidenceTimer.Enabled());
    EXPECT_EQ(items.At(telnet).image, kImageItem);
    // Between items no node takes frames: a tick after an item ended leaves its idle picture.
    EXPECT_EQ(DM->EvidenceNode, -1);
    form.reset();
    DM->EvidenceTimerTimer();
    Pump();
}

namespace {

// The pixels of a node's row as the screen shows them now.
std::vector<COLORREF> RowPixels(const TreeView& view, int node) {
    UpdateWindow(view.hwnd());
    const RECT row = view.NodeRect(node, false);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(view.hwnd());
    for (int y = row.top; y < row.bottom; ++y)
        for (int x = row.left; x < row.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(view.hwnd(), dc);
    return pixels;
}

}  // namespace

// A frame is drawn straight onto the window, exactly where and as the tree
// control itself draws that picture, and the control is asked for nothing:
// its own picture of the item stays the idle one.
TEST(ScanAnimation, AFrameLooksExactlyAsTheControlWouldDrawIt) {
    std::unique_ptr<TFrm_Main> form;
    OpenMainWindow(form);
    TreeModel& items = form->ScanPage.ItemTree;
    TreeView& view = form->ScanPage.tvItemsList;
    const int paint = FindCatalogItemByName("Paint")->node;
    for (int frame : {int{kImageScanFirst}, kImageScanFirst + 3, int{kImageScanLast}}) {
        items.SetImage(paint, frame);  // the control's own drawing
        const std::vector<COLORREF> control = RowPixels(view, paint);
        items.SetImage(paint, kImageItem);
        const std::vector<COLORREF> idle = RowPixels(view, paint);
        items.ShowFrame(paint, frame);
        const std::vector<COLORREF> drawn = RowPixels(view, paint);
        EXPECT_NE(idle, control) << frame;
        EXPECT_EQ(drawn, control) << frame;
        EXPECT_EQ(ControlImage(view, paint), kImageItem);
        items.ShowFrame(paint, kImageItem);
        EXPECT_EQ(RowPixels(view, paint), idle);
    }
    // The selected row keeps its own background behind the frame.
    items.Select(paint);
    items.SetImage(paint, kImageScanFirst + 1);
    const std::vector<COLORREF> control = RowPixels(view, paint);
    items.SetImage(paint, kImageItem);
    UpdateWindow(view.hwnd());
    items.ShowFrame(paint, kImageScanFirst + 1);
    EXPECT_EQ(RowPixels(view, paint), control);
}
