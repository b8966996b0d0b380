#include "scan/scan_run.h"

#include "model/catalog.h"
#include "scan/scanners.h"

ScanContext ContextFor(const ScanSession& session, TreeModel& tree, int node, TResultContents& results,
                       const ScanRunView& view) {
    return {tree, node, results, session, session.ExcludeList, view.pump, view.itemProgress};
}

void ScanOneItem(const ScanSession& session, const CatalogItem& item, TreeModel& tree, TResultContents& results,
                 const ScanRunView& view) {
    ScanItem(item, ContextFor(session, tree, item.node, results, view));
}

int CountTickedItems(const TreeModel& tree) {
    int n = 0;
    for (int i = 0; i < tree.Count(); ++i)
        if (tree.Level(i) == 2 && tree.At(i).stateImage == kStateTicked && !tree.IsHidden(i)) ++n;
    return n;
}

void ResetFoundCounts(TreeModel& tree) {
    for (int i = 0; i < tree.Count(); ++i)
        if (TSectionRec* r = tree.Data(i)) r->FoundCount = 0;
    tree.Repaint();
}

void ScanCategory(ScanSession& session, TreeModel& tree, int category, const ScanRunView& view) {
    const CatalogCategory& cat = kCatalogCategories[category];
    const int first = cat.node + 1;
    TResultContents& results = *session.ResultsOf(category);
    results.Clear();
    // A browser with no profile here is not in the window's tree: nothing to look at.
    if (tree.Valid(cat.node) && tree.IsHidden(cat.node)) return;
    if (view.categoryStarting) view.categoryStarting(category);
    int p = 0;
    for (; p < CategoryItemCount(category); ++p) {
        if (view.beforeItem) view.beforeItem();
        if (session.AbortRequested()) break;
        const int node = first + p;
        if (!tree.Valid(node) || tree.At(node).stateImage != kStateTicked) continue;
        if (view.itemStarting) view.itemStarting(node);
        // Frames only: the tree's own picture of the item stays the idle one.
        tree.ShowFrame(node, kImageScanFirst);
        ScanItem(CategoryItem(category, p), ContextFor(session, tree, node, results, view));
        tree.ShowFrame(node, kImageItem);
        if (view.itemDone) view.itemDone(node);
    }
    if (view.categoryDone) view.categoryDone(category);
    // The item the loop stopped after shows its idle picture again.
    if (p > 0) tree.ShowFrame(first + p - 1, kImageItem);
}

int RunScan(ScanSession& session, TreeModel& tree, const ScanRunView& view) {
    session.ScanState = kScanRunning;
    session.ClearResults();
    ResetFoundCounts(tree);
    int total = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (c > 0 && session.ScanState == kScanAbort) break;
        ScanCategory(session, tree, c, view);
        total += session.ResultsOf(c)->Count();
    }
    session.LastScanStopped = session.ScanState == kScanAbort;
    session.ScanState = kScanIdle;
    return total;
}
