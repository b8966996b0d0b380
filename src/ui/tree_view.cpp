#include "ui/tree_view.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/wide.h"

namespace {
UINT StateMask(int stateImage) { return INDEXTOSTATEIMAGEMASK(static_cast<UINT>(stateImage)); }
}  // namespace

TreeView::~TreeView() {
    if (model_ && model_->Observer() == this) model_->SetObserver(nullptr);
}

bool TreeView::Create(const CreateArgs& args) {
    args_ = args;
    DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS |
                  TVS_HASBUTTONS | (args.visible ? WS_VISIBLE : 0);
    if (!CreateSystem(WC_TREEVIEWW, style, 0, args.parent, args.bounds)) return false;
    ApplyScale();
    TreeView_SetBkColor(hwnd(), RGB(255, 255, 255));
    return true;
}

void TreeView::ApplyScale() {
    regular_ = MakeFont({args_.fontFace, 9, false, false});
    bold_ = MakeFont({args_.fontFace, 9, true, false});
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(regular_.get()), FALSE);
    // Set again after the pictures change size: the tree measures them here.
    if (args_.images) {
        TreeView_SetImageList(hwnd(), args_.images, TVSIL_NORMAL);
        TreeView_SetImageList(hwnd(), args_.stateImages ? args_.stateImages : args_.images, TVSIL_STATE);
    }
    TreeView_SetIndent(hwnd(), Scaled(args_.indent));
    TreeView_SetItemHeight(hwnd(), Scaled(19));
    pictureOffset_ = 0;
}

void TreeView::ScaleChanged(int, int) {
    ApplyScale();
    Invalidate();
}

void TreeView::Attach(TreeModel* model) {
    if (model_ && model_->Observer() == this) model_->SetObserver(nullptr);
    model_ = model;
    if (model_) model_->SetObserver(this);
    TreeReset();
}

int TreeView::Indent() const { return hwnd() ? static_cast<int>(TreeView_GetIndent(hwnd())) : args_.indent; }

HTREEITEM TreeView::Handle(int node) const {
    return node >= 0 && node < static_cast<int>(items_.size()) ? items_[static_cast<size_t>(node)] : nullptr;
}

void TreeView::TreeReset() {
    if (!hwnd()) return;
    resetting_ = true;
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(hwnd());
    items_.clear();
    pendingCounts_.clear();
    if (model_) {
        items_.reserve(static_cast<size_t>(model_->Count()));
        for (int i = 0; i < model_->Count(); ++i) {
            const TreeModel::Node& n = model_->At(i);
            // A hidden node has no item, nor has anything below it.
            if (n.hidden || (n.parent >= 0 && !items_[static_cast<size_t>(n.parent)])) {
                items_.push_back(nullptr);
                continue;
            }
            const std::wstring caption = ToWide(n.caption);
            TVINSERTSTRUCTW ins{};
            ins.hParent = n.parent >= 0 ? items_[static_cast<size_t>(n.parent)] : TVI_ROOT;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
            ins.item.pszText = const_cast<wchar_t*>(caption.c_str());
            ins.item.iImage = n.image;
            ins.item.iSelectedImage = n.image;
            ins.item.state = StateMask(n.stateImage);
            ins.item.stateMask = TVIS_STATEIMAGEMASK;
            ins.item.lParam = i;
            items_.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_INSERTITEMW, 0,
                                                                      reinterpret_cast<LPARAM>(&ins))));
        }
        for (HTREEITEM h : items_)
            if (h) TreeView_Expand(hwnd(), h, TVE_EXPAND);
        if (model_->Selected() >= 0) TreeView_SelectItem(hwnd(), Handle(model_->Selected()));
    }
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
    resetting_ = false;
}

void TreeView::TreeNodeChanged(int node) {
    HTREEITEM h = Handle(node);
    if (!h || !model_) return;
    const TreeModel::Node& n = model_->At(node);
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.hItem = h;
    item.iImage = n.image;
    item.iSelectedImage = n.image;
    item.state = StateMask(n.stateImage);
    item.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageW(hwnd(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int TreeView::PictureOffset(int node) {
    if (pictureOffset_ > 0) return pictureOffset_;
    // Where the control draws the picture, asked of the control itself once:
    // walking left from the label, the last point still on the picture.
    const RECT label = NodeRect(node, true);
    const int y = (label.top + label.bottom) / 2;
    bool on = false;
    for (int dx = 1; dx < 48; ++dx) {
        TVHITTESTINFO info{};
        info.pt = {label.left - dx, y};
        TreeView_HitTest(hwnd(), &info);
        const bool icon = (info.flags & TVHT_ONITEMICON) != 0;
        if (on && !icon) return pictureOffset_ = dx - 1;
        on = on || icon;
    }
    return Scaled(19);  // not found: 16 pixels and a gap of 3
}

void TreeView::TreeFrame(int node) {
    if (!hwnd() || !model_ || !args_.images || !IsWindowVisible(hwnd())) return;
    const RECT row = NodeRect(node, false);
    if (row.bottom <= row.top) return;  // scrolled out of sight
    const RECT label = NodeRect(node, true);
    int side = 16, unused = 16;
    ImageList_GetIconSize(args_.images, &side, &unused);
    const int x = label.left - PictureOffset(node), y = row.top + (row.bottom - row.top - side) / 2;
    // Straight onto the window: the control is not asked to repaint anything.
    WindowDC dc(hwnd());
    const bool selected = model_->Selected() == node;
    FillSolid(dc.get(), RECT{x, y, x + side, y + side}, selected ? kSelectedRow : RGB(255, 255, 255));
    ImageList_Draw(args_.images, model_->At(node).image, dc.get(), x, y, ILD_TRANSPARENT);
}

void TreeView::TreeRepaint() {
    pendingCounts_.clear();  // the repaint draws every count
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void TreeView::TreeSelect(int node) {
    if (!hwnd()) return;
    TreeView_SelectItem(hwnd(), Handle(node));
}

RECT TreeView::NodeRect(int node, bool labelOnly) const {
    RECT r{};
    HTREEITEM h = Handle(node);
    if (!h) return r;
    std::memcpy(&r, &h, sizeof h);  // TVM_GETITEMRECT takes the item in the rectangle
    if (!SendMessageW(hwnd(), TVM_GETITEMRECT, labelOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r))) return RECT{};
    return r;
}

void TreeView::DrawCount(HDC dc, int node, const RECT& row, bool selected) {
    if (!model_ || !model_->Valid(node)) return;
    RECT client;
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    SelectGuard font(dc, FontFor(model_->Level(node)));
    const std::string text = std::to_string(model_->CountOf(node));
    const int tw = TextWidth(dc, text);
    // Clear the count column first so a shorter number leaves no old digits.
    RECT label{};
    label = NodeRect(node, true);
    RECT area{label.right + 2, row.top, width - Scaled(24), row.bottom};
    if (area.left < width - Scaled(30 + 60)) area.left = width - Scaled(30 + 60);
    if (area.right > area.left) FillSolid(dc, area, selected ? kSelectedRow : RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const std::wstring digits = ToWide(text);
    TextOutW(dc, width - tw - Scaled(30), row.top + Scaled(2), digits.c_str(), static_cast<int>(digits.size()));
}

void TreeView::TreePaintCounts(const int* nodes, int n) {
    if (!hwnd() || !model_) return;
    for (int k = 0; k < n; ++k)
        if (std::find(pendingCounts_.begin(), pendingCounts_.end(), nodes[k]) == pendingCounts_.end())
            pendingCounts_.push_back(nodes[k]);
    // At most about 30 times a second: the numbers still run visibly.
    const ULONGLONG now = GetTickCount64();
    if (now - lastCountPaint_ < 33) return;
    lastCountPaint_ = now;
    FlushCounts();
}

void TreeView::FlushCounts() {
    if (pendingCounts_.empty() || !model_) return;
    lastCountPaint_ = GetTickCount64();
    WindowDC dc(hwnd());
    const int selected = model_->Selected();
    for (int node : pendingCounts_) {
        RECT row = NodeRect(node, false);
        if (row.bottom <= row.top) continue;
        DrawCount(dc.get(), node, row, node == selected);
    }
    pendingCounts_.clear();
}

LRESULT TreeView::CustomDraw(NMTVCUSTOMDRAW* cd) {
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const int node = static_cast<int>(cd->nmcd.lItemlParam);
        if (!model_ || !model_->Valid(node)) return CDRF_DODEFAULT;
        const bool selected = (cd->nmcd.uItemState & CDIS_SELECTED) != 0;
        SelectObject(cd->nmcd.hdc, FontFor(model_->Level(node)));
        cd->clrText = RGB(0, 0, 0);
        cd->clrTextBk = selected ? kSelectedRow : RGB(255, 255, 255);
        RECT r = cd->nmcd.rc;
        RECT client;
        GetClientRect(hwnd(), &client);
        r.left += Indent() + Scaled(32);
        r.right = client.right - Scaled(24);
        if (r.right > r.left) FillSolid(cd->nmcd.hdc, r, cd->clrTextBk);
        return CDRF_NEWFONT | CDRF_NOTIFYPOSTPAINT;
    }
    case CDDS_ITEMPOSTPAINT: {
        const int node = static_cast<int>(cd->nmcd.lItemlParam);
        DrawCount(cd->nmcd.hdc, node, cd->nmcd.rc, (cd->nmcd.uItemState & CDIS_SELECTED) != 0);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

bool TreeView::HandleReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    switch (hdr->code) {
    case NM_CUSTOMDRAW:
        result = CustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(lp));
        return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        if (resetting_ || !model_) return true;
        // The item fields read here lie alike in both forms of the notification.
        auto* nm = reinterpret_cast<NMTREEVIEWW*>(lp);
        const int node = nm->itemNew.hItem ? static_cast<int>(nm->itemNew.lParam) : -1;
        model_->SelectedByView(node);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

TreeHit TreeView::HitTest(int x, int y) const {
    TreeHit hit;
    TVHITTESTINFO info{};
    info.pt = {x, y};
    HTREEITEM h = TreeView_HitTest(hwnd(), &info);
    if (!h) return hit;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == h) hit.node = static_cast<int>(i);
    if (hit.node < 0) return hit;
    if (info.flags & TVHT_ONITEMSTATEICON) hit.where = TreeHit::StateIcon;
    else if (info.flags & TVHT_ONITEMLABEL) hit.where = TreeHit::Label;
    else if (info.flags & TVHT_ONITEMICON) hit.where = TreeHit::Icon;
    else if (info.flags & TVHT_ONITEMBUTTON) hit.where = TreeHit::Button;
    else if (info.flags & TVHT_ONITEMRIGHT) hit.where = TreeHit::RightOfLabel;
    else if (info.flags & TVHT_ONITEMINDENT) hit.where = TreeHit::Indent;
    return hit;
}

LRESULT TreeView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        // A row repainted now shows its current count; bring the waiting ones up too.
        const LRESULT r = Default(msg, wp, lp);
        FlushCounts();
        return r;
    }
    if (msg == WM_KEYDOWN && wp == VK_SPACE && OnSpace) {
        OnSpace(*this, model_ ? model_->Selected() : -1);
        return 0;
    }
    if (msg == WM_CHAR && wp == L' ' && OnSpace) return 0;  // handled as a key press
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) {
        const MouseEvent e = MouseFrom(msg, lp);
        const TreeHit hit = HitTest(e.x, e.y);
        if (msg == WM_LBUTTONDOWN && hit.node >= 0 && model_) model_->Select(hit.node);
        bool handled = false;
        if (OnMouseDown) handled = OnMouseDown(*this, e, hit);
        if (handled || hit.where == TreeHit::StateIcon || hit.where == TreeHit::RightOfLabel) {
            SetFocus(hwnd());
            return 0;
        }
    }
    return Default(msg, wp, lp);
}
