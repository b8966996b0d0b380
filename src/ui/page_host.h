// What the pages of the main window share: the interface through which a page
// asks the window around it (and so reaches the other pages), the size of a
// page, and the skinned panels and buttons they are made of.
#pragma once

#include <functional>

#include "model/scan_session.h"
#include "model/tree_model.h"
#include "ui/image_ex.h"
#include "ui/panel.h"
#include "ui/tree_view.h"
#include "ui/window.h"

// A page of the notebook: the main window's middle strip.
inline constexpr int kPageWidth = 546, kPageHeight = 389;

class PageHost {
public:
    // The window that owns the pages' message boxes, dialogs and menus.
    virtual HWND HostWindow() const = 0;
    // The window's scan session: what the pages show and change.
    virtual ScanSession& HostSession() = 0;
    // A press on a page's bare background, as on the window's frame pictures:
    // the left button moves the window.
    virtual void PageBackgroundMouseDown(const MouseEvent& e) = 0;
    // The Scan page's item tree: the result tree is made from it, and a Finish
    // recounts it.
    virtual TreeModel& ItemTree() = 0;
    // A scan is starting: the rows of the last one go.
    virtual void ScanStarting() = 0;
    // The scan has ended having found this many traces: the results show them.
    virtual void ScanEnded(int found) = 0;
    // Opens the Result page (after a scan) and the Scan page (after Finish).
    virtual void ShowResultPage() = 0;
    virtual void ShowScanPage() = 0;
    // Scans the Scan page's selection again, from the Scan page, ending on the
    // Result page; the traces the user had unticked stay unticked.
    virtual void ScanAgain() = 0;
    // The items' ticks changed on the result tree (it shares them with the item tree).
    virtual void TicksChanged() = 0;

protected:
    ~PageHost() = default;
};

// A white panel; outlined, it frames a tree or a list.
Panel::CreateArgs PanelArgs(HWND parent, const Bounds& b, bool outlined = false);

// A tree in an outlined frame at bounds of a page, with the shared tree
// pictures, showing model; mouseDown is its press handler.
void MakeFramedTree(Panel& frame, TreeView& view, TreeModel& model, HWND page, const Bounds& bounds,
                    std::function<bool(const MouseEvent&, const TreeHit&)> mouseDown);

// A skinned picture button on top of its parent: the picture "<name>1", and
// "<name>" while the pointer is over it.
void MakeButton(TImageEx& b, HWND parent, const Bounds& bounds, const char* name, bool visible = true);
// The pointer handlers every picture button shares.
void ScanNowBtnMouseEnter(TImageEx& sender);
void ScanNowBtnMouseLeave(TImageEx& sender);
