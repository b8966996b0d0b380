#include "ui/page_host.h"

#include <string>

#include "app/data_module.h"
#include "ui/skin.h"

Panel::CreateArgs PanelArgs(HWND parent, const Bounds& b, bool outlined) {
    Panel::CreateArgs a;
    a.parent = parent;
    a.bounds = b;
    a.color = RGB(255, 255, 255);
    a.outlined = outlined;
    a.outlineColor = RGB(160, 196, 209);
    return a;
}

void MakeFramedTree(Panel& frame, TreeView& view, TreeModel& model, HWND page, const Bounds& bounds,
                    std::function<bool(const MouseEvent&, const TreeHit&)> mouseDown) {
    frame.Create(PanelArgs(page, bounds, true));
    TreeView::CreateArgs t;
    t.parent = frame.hwnd();
    t.bounds = {1, 1, bounds.w - 2, bounds.h - 2};
    t.images = DM ? DM->TreeImageList() : nullptr;
    t.stateImages = DM ? DM->StateImageList() : nullptr;
    view.Create(t);
    view.Attach(&model);
    view.OnMouseDown = [mouseDown = std::move(mouseDown)](TreeView&, const MouseEvent& e, const TreeHit& hit) {
        return mouseDown(e, hit);
    };
}

void MakeButton(TImageEx& b, HWND parent, const Bounds& bounds, const char* name, bool visible) {
    b.Create({parent, bounds, true, visible, true});
    SetWindowPos(b.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    b.SkinName = name;
    LoadButtonPicture(b, std::string(name) + "1");
    b.OnMouseEnter = [](TImageEx& s) { ScanNowBtnMouseEnter(s); };
    b.OnMouseLeave = [](TImageEx& s) { ScanNowBtnMouseLeave(s); };
}

void ScanNowBtnMouseEnter(TImageEx& sender) { LoadButtonPicture(sender, sender.SkinName); }

void ScanNowBtnMouseLeave(TImageEx& sender) { LoadButtonPicture(sender, sender.SkinName + "1"); }
