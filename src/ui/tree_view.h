// The system tree control showing a TreeModel: node and state images from the
// shared image list, counts drawn right-aligned 30 pixels from the right edge,
// grey rows for the selection, and hit-tested mouse presses.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "model/tree_model.h"
#include "platform/handles.h"
#include "ui/gdi_util.h"
#include "ui/window.h"

struct TreeHit {
    enum Where { Nowhere, StateIcon, RightOfLabel, Label, Icon, Button, Indent };
    int node = -1;
    Where where = Nowhere;
};

class TreeView : public Window, public TreeModelObserver {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        Bounds bounds;
        HIMAGELIST images = nullptr;       // node images
        HIMAGELIST stateImages = nullptr;  // state images (images when none)
        std::string fontFace = "Tahoma";
        int indent = 19;
        bool visible = true;
    };
    ~TreeView() override;
    bool Create(const CreateArgs& args);
    void Attach(TreeModel* model);
    TreeModel* Model() const { return model_; }

    TreeHit HitTest(int x, int y) const;
    // The node's row (whole or label only) in client coordinates; empty when hidden.
    RECT NodeRect(int node, bool labelOnly) const;
    HTREEITEM Handle(int node) const;

    // A mouse press, after a left press has selected the node under it. Return
    // true when handled; the control then does nothing more with it.
    std::function<bool(TreeView&, const MouseEvent&, const TreeHit&)> OnMouseDown;
    // Space pressed on the tree: the selected node's tick (-1: none selected).
    std::function<void(TreeView&, int node)> OnSpace;

    // TreeModelObserver
    void TreeReset() override;
    void TreeNodeChanged(int node) override;
    void TreeRepaint() override;
    void TreePaintCounts(const int* nodes, int n) override;
    void TreeFrame(int node) override;
    void TreeSelect(int node) override;

    static constexpr COLORREF kSelectedRow = RGB(152, 150, 151);

protected:
    void ScaleChanged(int oldDpi, int newDpi) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void ApplyScale();  // fonts, pictures, row height and indent at the layout's scale
    LRESULT CustomDraw(NMTVCUSTOMDRAW* cd);
    void DrawCount(HDC dc, int node, const RECT& row, bool selected);
    HFONT FontFor(int level) const { return level <= 1 ? bold_.get() : regular_.get(); }
    int Indent() const;

    void FlushCounts();
    // How far left of a node's label its picture begins.
    int PictureOffset(int node);

    CreateArgs args_;
    TreeModel* model_ = nullptr;
    // Counts waiting for their direct paint: a scan raises them after every
    // record, and painting each at once would cost more than the scan itself.
    std::vector<int> pendingCounts_;
    ULONGLONG lastCountPaint_ = 0;
    int pictureOffset_ = 0;
    std::vector<HTREEITEM> items_;
    UniqueFont regular_, bold_;
    bool resetting_ = false;
};
