// Tree of catalog nodes shown by the item tree, the result tree and the
// exclusion tree. Nodes are kept by absolute index (pre-order, as the tree
// control numbers them); a view observes the model and paints it. A headless
// run uses the same model with no view.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/catalog.h"

// Indexes into the shared tree image list.
enum TreeImage : int {
    kImageRoot = 0,          // 1..4: the first four categories
    kImageItem = 5,
    kStateTicked = 6,
    kStateUnticked = 7,
    kImageScanFirst = 8,     // 8..14: frames of the scanning animation
    kImageScanLast = 14,
    kImageLaterCategories = 15,  // 15: every browser's category; 16: Windows 7 to 11
    kImagePartial = 17,          // a category or the root with some of its items ticked
    kTreeImageCount = 18,
    // A state picture's index in the state list, which holds kImagePartial
    // here (a control's state index has only 4 bits).
    kStatePartial = 15,
};

// The picture of the category at this index (or at this position among those shown).
// The programs look as the Windows software does.
constexpr int CategoryImage(int index) {
    if (index < 4) return index + 1;
    if (index == kProgramsCategory) return CategoryImage(1);
    return index == kModernCategory ? kImageLaterCategories + 1 : kImageLaterCategories;
}

class TreeModelObserver {
public:
    virtual ~TreeModelObserver() = default;
    virtual void TreeReset() = 0;                      // structure changed
    virtual void TreeNodeChanged(int node) = 0;        // image, state image
    virtual void TreeRepaint() = 0;                    // counts changed; repaint all
    virtual void TreePaintCounts(const int* nodes, int n) = 0;  // paint these counts now
    virtual void TreeFrame(int node) = 0;              // draw the node's picture, an animation frame, now
    virtual void TreeSelect(int node) = 0;             // move the selection
};

class TreeModel {
public:
    struct Node {
        std::string caption;
        std::shared_ptr<TSectionRec> data;
        int parent = -1;
        int level = 0;
        std::vector<int> children;
        int image = 0;
        int stateImage = 0;
        int ownCount = 0;    // shown instead of data->FoundCount when ownCounts is set
        bool hidden = false; // not shown, nor anything below it (a browser with no profile here)
    };

    explicit TreeModel(bool ownCounts = false) : ownCounts_(ownCounts) {}

    void SetObserver(TreeModelObserver* obs) { observer_ = obs; }
    TreeModelObserver* Observer() const { return observer_; }

    // Removes every node and tells the view.
    void Clear();
    // Appends a node as the last child of parent (-1 for a root). Nodes must be
    // added in pre-order, so the new node's index is its absolute index. The view
    // learns of added nodes at Commit().
    int Add(int parent, std::string caption, std::shared_ptr<TSectionRec> data, int image, int stateImage);
    void Commit();

    int Count() const { return static_cast<int>(nodes_.size()); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    const Node& At(int i) const { return nodes_.at(static_cast<size_t>(i)); }
    int Level(int i) const { return At(i).level; }
    int Parent(int i) const { return At(i).parent; }
    const std::vector<int>& Children(int i) const { return At(i).children; }
    TSectionRec* Data(int i) const { return At(i).data.get(); }

    // Hides a node and everything below it, or shows it again; the view is rebuilt.
    void SetHidden(int i, bool hidden);
    // Whether the node or a node above it is hidden.
    bool IsHidden(int i) const;

    void SetImage(int i, int image);
    // A passing picture on the node, one frame of an animation: drawn at once,
    // and nothing else is repainted. The view keeps the picture last set with
    // SetImage for its own repaints, so an animation ends with a frame of that one.
    void ShowFrame(int i, int image);
    void SetStateImage(int i, int stateImage);
    // Sets the node's tick: state image 6 or 7 and the record's Ticked flag.
    void SetTicked(int i, bool ticked);
    bool IsTicked(int i) const { return At(i).stateImage == kStateTicked; }

    // The count drawn at the node's right.
    int CountOf(int i) const;
    void SetOwnCount(int i, int count);
    bool OwnCounts() const { return ownCounts_; }

    int Selected() const { return selected_; }
    // Selects a node (or -1) and runs onChange when the selection moves.
    void Select(int i);
    // The view reports a selection the user made.
    void SelectedByView(int i);
    std::function<void(int)> onChange;

    void Repaint() { if (observer_) observer_->TreeRepaint(); }
    void PaintCounts(const int* nodes, int n) { if (observer_) observer_->TreePaintCounts(nodes, n); }

private:
    std::vector<Node> nodes_;
    int selected_ = -1;
    bool ownCounts_;
    TreeModelObserver* observer_ = nullptr;
};
