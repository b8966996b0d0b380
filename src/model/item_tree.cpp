#include "model/item_tree.h"

void BuildItemTree(TreeModel& tree, TCatalogList* const lists[kCategoryCount], const TickChoices* kept) {
    tree.Clear();
    auto root = std::make_shared<TSectionRec>();
    root->CategoryName = std::string(kRootCaption);
    root->Ticked = 1;
    const int rootNode = tree.Add(-1, std::string(kRootCaption), root, kImageRoot,
                                  root->Ticked ? kStateTicked : kStateUnticked);
    for (int c = 0; c < kCategoryCount; ++c) {
        const CatalogCategory& cat = kCatalogCategories[c];
        auto rec = std::make_shared<TSectionRec>();
        rec->CategoryIndex = c;
        rec->ItemIndex = 0;
        rec->CategoryName = std::string(cat.caption);
        rec->Ticked = 1;
        rec->FoundCount = 0;
        const int catNode = tree.Add(rootNode, rec->CategoryName, rec, CategoryImage(c), kStateTicked);
        for (const auto& item : *lists[c]) {
            const CatalogItem* entry = FindCatalogItem(c, item->ItemIndex);
            item->Ticked = (entry && entry->ticked) ? 1 : 0;
            if (kept)
                if (auto choice = kept->find(item->ItemName); choice != kept->end()) item->Ticked = choice->second;
            tree.Add(catNode, item->ItemName, item, kImageItem, item->Ticked ? kStateTicked : kStateUnticked);
        }
    }
    ShowParentTicks(tree);
    tree.Commit();
    tree.Select(rootNode);
    TotalFoundCounts(tree);
}

TickChoices TickChoicesOf(TCatalogList* const lists[kCategoryCount]) {
    TickChoices choices;
    for (int c = 0; c < kCategoryCount; ++c)
        for (const auto& item : *lists[c]) {
            const CatalogItem* entry = FindCatalogItem(c, item->ItemIndex);
            const bool byDefault = entry && entry->ticked;
            if ((item->Ticked != 0) != byDefault) choices[item->ItemName] = item->Ticked != 0;
        }
    return choices;
}

namespace {

// The look of a node over the looks of its shown children: ticked, unticked
// or partly ticked; -1 when none is shown.
int LookOver(const TreeModel& tree, int node) {
    bool some = false, all = true, any = false;
    for (int child : tree.Children(node)) {
        if (tree.IsHidden(child)) continue;
        any = true;
        const int look = tree.At(child).stateImage;
        some = some || look != kStateUnticked;
        all = all && look == kStateTicked;
    }
    if (!any) return -1;
    return all ? kStateTicked : some ? kStatePartial : kStateUnticked;
}

void ShowLook(TreeModel& tree, int node, int look) {
    if (look < 0 || tree.At(node).stateImage == look) return;
    if (TSectionRec* rec = tree.Data(node)) rec->Ticked = look == kStateTicked ? 1 : 0;
    tree.SetStateImage(node, look);
}

}  // namespace

void ShowParentTicks(TreeModel& tree) {
    if (tree.Count() == 0) return;
    for (int cat : tree.Children(0)) ShowLook(tree, cat, LookOver(tree, cat));
    ShowLook(tree, 0, LookOver(tree, 0));
}

void TotalFoundCounts(TreeModel& tree) {
    if (tree.Count() == 0) return;
    int rootSum = 0;
    for (int cat : tree.Children(0)) {
        TSectionRec* rec = tree.Data(cat);
        if (!rec) continue;
        int sum = 0;
        for (int item : tree.Children(cat))
            if (TSectionRec* r = tree.Data(item)) sum += r->FoundCount;
        rec->FoundCount = sum;
        rootSum += sum;
    }
    if (TSectionRec* root = tree.Data(0)) root->FoundCount = rootSum;
    tree.Repaint();
}

void ClickTickBox(TreeModel& tree, int node) {
    if (!tree.Valid(node)) return;
    const bool newState = !tree.IsTicked(node);
    switch (tree.Level(node)) {
    case 2:
        tree.SetTicked(node, newState);
        break;
    case 1:
        for (int child : tree.Children(node)) tree.SetTicked(child, newState);
        tree.SetTicked(node, newState);
        break;
    case 0:
        for (int i = 0; i < tree.Count(); ++i) tree.SetTicked(i, newState);
        break;
    default:
        break;
    }
    ShowParentTicks(tree);
}

void UpdateFoundCount(TreeModel& tree, int node, int number, int mode) {
    if (!tree.Valid(node) || tree.Count() == 0) return;
    TSectionRec* item = tree.Data(node);
    if (!item) return;
    if (mode == kCountSet) item->FoundCount = number;
    else if (mode == kCountAdd) item->FoundCount += number;
    const int parent = tree.Parent(node);
    if (TSectionRec* cat = tree.Valid(parent) ? tree.Data(parent) : nullptr) {
        int sum = 0;
        for (int child : tree.Children(parent))
            if (TSectionRec* r = tree.Data(child)) sum += r->FoundCount;
        cat->FoundCount = sum;
    }
    if (TSectionRec* root = tree.Data(0)) {
        int sum = 0;
        for (int cat : tree.Children(0))
            if (TSectionRec* r = tree.Data(cat)) sum += r->FoundCount;
        root->FoundCount = sum;
    }
    const int nodes[3] = {node, parent, 0};
    tree.PaintCounts(nodes, tree.Valid(parent) ? 3 : 1);
}

std::vector<const CatalogItem*> WarnedItemsTickedBy(const TreeModel& tree, int node) {
    std::vector<const CatalogItem*> warned;
    if (!tree.Valid(node) || tree.IsTicked(node)) return warned;
    const auto consider = [&](int item) {
        const TSectionRec* rec = tree.Data(item);
        const CatalogItem* entry = rec ? FindCatalogItem(rec->CategoryIndex, rec->ItemIndex) : nullptr;
        if (entry && !entry->warning.empty() && !tree.IsTicked(item)) warned.push_back(entry);
    };
    switch (tree.Level(node)) {
    case 2: consider(node); break;
    case 1:
        for (int item : tree.Children(node)) consider(item);
        break;
    case 0:
        for (int cat : tree.Children(node))
            for (int item : tree.Children(cat)) consider(item);
        break;
    default: break;
    }
    return warned;
}

std::string TickWarningText(const std::vector<const CatalogItem*>& items) {
    constexpr size_t kShown = 8;  // a message box must fit on the screen
    std::string text = items.size() == 1 ? "This item comes with a warning:\n\n" : "These items come with warnings:\n\n";
    for (size_t i = 0; i < items.size() && i < kShown; ++i)
        text += std::string(items[i]->name) + ": " + std::string(items[i]->warning) + "\n\n";
    if (items.size() > kShown) text += "... and " + std::to_string(items.size() - kShown) + " more.\n\n";
    return text + (items.size() == 1 ? "Tick it anyway?" : "Tick them anyway?");
}
