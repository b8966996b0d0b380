// The scan run shared by the window and the headless front end: walk the
// categories in catalog order and run the scanner of every ticked item into
// the session's collections.
#pragma once

#include <functional>

#include "model/records.h"
#include "model/scan_session.h"
#include "model/tree_model.h"
#include "platform/message_pump.h"
#include "scan/scan_conventions.h"

// What the caller adds around the run: the message pump, and what the window
// does around each category and item (animation, gauge). A headless run
// leaves the window's part empty.
struct ScanRunView {
    std::function<void()> pump = ProcessMessages;  // lets the window take its messages during a scanner
    // Before each item: the window lets its pending messages run, so that an
    // Abort or a close pressed during the last item stops the run here.
    std::function<void()> beforeItem;
    std::function<void(int category)> categoryStarting;
    std::function<void(int category)> categoryDone;
    std::function<void(int node)> itemStarting;
    std::function<void(int node)> itemDone;
    // How far the item under way is, 0 to 1, from the scanners that know
    // their total (a database's rows); never called by the others.
    std::function<void(double fraction)> itemProgress;
};

// The context a scanner of the item at node gets in a run of the session with this view.
ScanContext ContextFor(const ScanSession& session, TreeModel& tree, int node, TResultContents& results,
                       const ScanRunView& view = {});
// Scans one catalog item into results, as a run with this view would.
void ScanOneItem(const ScanSession& session, const CatalogItem& item, TreeModel& tree, TResultContents& results,
                 const ScanRunView& view = {});

// Level-2 nodes whose tick box is ticked, but for those of hidden categories.
int CountTickedItems(const TreeModel& tree);
// Every node's found count back to 0, and a repaint.
void ResetFoundCounts(TreeModel& tree);
// Clears the category's collection and scans its ticked items, reading each
// item's tick when it comes to it; stops when the user asks to abort.
void ScanCategory(ScanSession& session, TreeModel& tree, int category, const ScanRunView& view);
// The whole run: the session's collections, rows and the counts cleared, its
// state running, category by category (none after an abort), then idle again.
// Returns the number of records found.
int RunScan(ScanSession& session, TreeModel& tree, const ScanRunView& view = {});
