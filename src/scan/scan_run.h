// The scan run shared by the window and the headless front end: walk the four
// categories in catalog order and run the scanner of every ticked item.
#pragma once

#include <functional>

#include "model/tree_model.h"


#include "model/records.h"
#include "model/shared_state.h"
#include "platform/message_pump.h"
#include "scan/scan_conventions.h"

// What the caller hands the run: the objects the scanners work on (by
// default the process-wide collections and exclusion list), the abort test
// and the message pump, and what the window adds around the run (animation,
// gauge). A headless run leaves the window's part empty.
struct ScanRunView {
    const TExcludeContents* exclusions = &ExcludeList;
    std::function<TResultContents*(int category)> results = ResultsOf;
    std::function<bool()> aborted = AbortRequested;  // asked before each entry of every loop
    std::function<void()> pump = ProcessMessages;    // lets the window take its messages during a scanner
    // Before each item: the window lets its pending messages run, so that an
    // Abort or a close pressed during the last item stops the run here.
    std::function<void()> beforeItem;
    std::function<void(int category)> categoryStarting;
    std::function<void(int category)> categoryDone;
    std::function<void(int node)> itemStarting;
    std::function<void(int node)> itemDone;
};

// The context a scanner of the item at node gets in a run with this view.
ScanContext ContextFor(TreeModel& tree, int node, TResultContents& results, const ScanRunView& view = {});
// Scans one catalog item into results, as a run with this view would.
void ScanOneItem(const CatalogItem& item, TreeModel& tree, TResultContents& results, const ScanRunView& view = {});

// Level-2 nodes whose tick box is ticked.
int CountTickedItems(const TreeModel& tree);
// Every node's found count back to 0, and a repaint.
void ResetFoundCounts(TreeModel& tree);
// Clears the category's collection and scans its ticked items, reading each
// item's tick when it comes to it; stops when the user asks to abort.
void ScanCategory(TreeModel& tree, int category, const ScanRunView& view);
// Clears the four collections and the counts, scans category by category
// (none after an abort) and returns the number of records found.
int RunScan(TreeModel& tree, const ScanRunView& view);
