#include "model/tree_model.h"

void TreeModel::Clear() {
    nodes_.clear();
    selected_ = -1;
    if (observer_) observer_->TreeReset();
}

int TreeModel::Add(int parent, std::string caption, std::shared_ptr<TSectionRec> data, int image, int stateImage) {
    Node n;
    n.caption = std::move(caption);
    n.data = std::move(data);
    n.parent = Valid(parent) ? parent : -1;
    n.level = n.parent < 0 ? 0 : nodes_[static_cast<size_t>(n.parent)].level + 1;
    n.image = image;
    n.stateImage = stateImage;
    nodes_.push_back(std::move(n));
    const int index = Count() - 1;
    if (nodes_[static_cast<size_t>(index)].parent >= 0)
        nodes_[static_cast<size_t>(parent)].children.push_back(index);
    return index;
}

void TreeModel::Commit() {
    if (observer_) observer_->TreeReset();
}

void TreeModel::SetHidden(int i, bool hidden) {
    if (!Valid(i) || nodes_[static_cast<size_t>(i)].hidden == hidden) return;
    nodes_[static_cast<size_t>(i)].hidden = hidden;
    if (observer_) observer_->TreeReset();
}

bool TreeModel::IsHidden(int i) const {
    for (; Valid(i); i = Parent(i))
        if (At(i).hidden) return true;
    return false;
}

void TreeModel::SetImage(int i, int image) {
    if (!Valid(i) || nodes_[static_cast<size_t>(i)].image == image) return;
    nodes_[static_cast<size_t>(i)].image = image;
    if (observer_) observer_->TreeNodeChanged(i);
}

void TreeModel::ShowFrame(int i, int image) {
    if (!Valid(i) || nodes_[static_cast<size_t>(i)].image == image) return;
    nodes_[static_cast<size_t>(i)].image = image;
    if (observer_) observer_->TreeFrame(i);
}

void TreeModel::SetStateImage(int i, int stateImage) {
    if (!Valid(i)) return;
    nodes_[static_cast<size_t>(i)].stateImage = stateImage;
    if (observer_) observer_->TreeNodeChanged(i);
}

void TreeModel::SetTicked(int i, bool ticked) {
    if (!Valid(i)) return;
    if (TSectionRec* rec = Data(i)) rec->Ticked = ticked ? 1 : 0;
    SetStateImage(i, ticked ? kStateTicked : kStateUnticked);
}

int TreeModel::CountOf(int i) const {
    const Node& n = At(i);
    if (ownCounts_) return n.ownCount;
    return n.data ? n.data->FoundCount : 0;
}

void TreeModel::SetOwnCount(int i, int count) {
    if (Valid(i)) nodes_[static_cast<size_t>(i)].ownCount = count;
}

void TreeModel::Select(int i) {
    if (!Valid(i)) i = -1;
    const bool moved = i != selected_;
    selected_ = i;
    if (observer_) observer_->TreeSelect(i);
    if (moved && onChange) onChange(i);
}

void TreeModel::SelectedByView(int i) {
    if (!Valid(i)) i = -1;
    if (i == selected_) return;
    selected_ = i;
    if (onChange) onChange(i);
}
