#include "scan/scan_run.h"

#include "model/catalog.h"
#include "model/shared_state.h"
#include "scan/scanners.h"

ScanContext ContextFor(TreeModel& tree, int node, TResultContents& results, const ScanRunView& view) {
    return {tree, node, results, *view.exclusions, view.aborted, view.pump};
}

void ScanOneItem(const CatalogItem& item, TreeModel& tree, TResultContents& results, const ScanRunView& view) {
    ScanItem(item, ContextFor(tree, item.node, results, view));
}

int CountTickedItems(const TreeModel& tree) {
    int n = 0;
    for (int i = 0; i < tree.Count(); ++i)
        if (tree.Level(i) == 2 && tree.At(i).stateImage == kStateTicked) ++n;
    return n;
}

void ResetFoundCounts(TreeModel& tree) {
    for (int i = 0; i < tree.Count(); ++i)
        if (TSectionRec* r = tree.Data(i)) r->FoundCount = 0;
    tree.Repaint();
}

void ScanCategory(TreeModel& tree, int category, const ScanRunView& view) {
    const CatalogCategory& cat = kCatalogCategories[category];
    const int first = cat.node + 1;
    TResultContents& results = *view.results(category);
    if (view.categoryStarting) view.categoryStarting(category);
    results.Clear();
    int p = 0;
    for (; p < cat.itemCount; ++p) {
        if (view.beforeItem) view.beforeItem();
        if (ScanState == kScanAbort) break;
        const int node = first + p;
        if (!tree.Valid(node) || tree.At(node).stateImage != kStateTicked) continue;
        if (view.itemStarting) view.itemStarting(node);
        // Frames only: the tree's own picture of the item stays the idle one.
        tree.ShowFrame(node, kImageScanFirst);
        ScanItem(kCatalogItems[cat.firstItem + p], ContextFor(tree, node, results, view));
        tree.ShowFrame(node, kImageItem);
        if (view.itemDone) view.itemDone(node);
    }
    if (view.categoryDone) view.categoryDone(category);
    // The item the loop stopped after shows its idle picture again.
    if (p > 0) tree.ShowFrame(first + p - 1, kImageItem);
}

int RunScan(TreeModel& tree, const ScanRunView& view) {
    for (int c = 0; c < kCategoryCount; ++c) view.results(c)->Clear();
    ResetFoundCounts(tree);
    int total = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (c > 0 && ScanState == kScanAbort) break;
        ScanCategory(tree, c, view);
        total += view.results(c)->Count();
    }
    return total;
}
