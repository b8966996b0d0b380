// What the Result and Exclude pages do to the results of a scan and to the
// exclusion list, without a window: the result tree made from the item tree,
// ticking, the rows of the list and the records behind them, a row taken out
// for an exclusion, the counts after a Finish, the summary and the message of
// a clean, and the Exclude page's tree of entries per item. The pages call
// these and show what they leave; the trees tell their views themselves.
#pragma once

#include <set>
#include <string>

#include "model/records.h"
#include "model/result_rows.h"
#include "model/scan_session.h"
#include "model/tree_model.h"

// --- The result tree and the list

// Makes the result tree from the item tree after a scan: the root, then each
// category and item with traces found, ticked as on the item tree, each category
// with its own picture; then selects the root.
void BuildResultTree(const TreeModel& items, TreeModel& results);

// A click on a node's tick box in the result tree: the root sets every node
// and every record of the categories shown, a category its items and all its
// records, an item its own records.
void TickResultNode(ScanSession& session, TreeModel& results, int node, bool ticked);

// Flips the tick of a row and of its record. False, and nothing changes, when
// there is no such row.
bool FlipRowTick(ScanSession& session, int row);

// The summary line over the ticked records of every collection.
std::string CheckedSummary(const ScanSession& session, const std::string& decimalSeparator);

// The traces of the session's unticked records, by what tells a trace apart
// in a later scan (its item and the fields an exclusion of it keeps).
using TraceSet = std::set<std::string>;
TraceSet UntickedTraces(const ScanSession& session);
// Unticks every record of a fresh scan that is one of those traces.
void UntickAgain(ScanSession& session, const TraceSet& unticked);

// --- Excluding a row

// The entry that keeps a row's trace out of later scans, made from its record.
TExcludeContentItem ExclusionOfRow(const TResultItem& row);

// Takes a row's record out of its collection, with every row built from it,
// and the rows' sizes out of SizeTotal. Nothing when there is no such row.
void WithdrawRow(ScanSession& session, int row);

// Lowers the result tree's counts after a row of the item left the list of
// the selected node: the root lowers itself, the item and the item's
// category; a category itself, its item and the root; an item itself, its
// category and the root. No count goes below 0.
void LowerCountsAfterExclusion(TreeModel& results, int selected, const CatalogItem* item);

// --- Before and after a clean

// What Clean asks first: how many ticked traces of how many items go for
// good. Empty when nothing is ticked.
std::string CleanQuestion(const ScanSession& session);

struct CleanOutcome {
    std::string text;         // the message that ends the clean
    bool allRemoved = true;   // every ticked trace went
};
// What the clean did to the ticked records.
CleanOutcome OutcomeOfClean(const ScanSession& session);
// Whether every record was removed or stays by design (an exclusion, a link,
// a folder): what a clean that ticked everything counts as done.
bool EveryRecordRemovedOrKept(const ScanSession& session);

// Drops the removed records from every collection, and the rows, which may
// point at them.
void PurgeDeletedResults(ScanSession& session);

// Sets each item's found count to the records of its collection that belong
// to it (after a purge); the view repaints.
void RecountItems(const ScanSession& session, TreeModel& items);

// --- The Exclude page's tree

// Makes the tree of the catalog with the list's entries counted (see
// RecountExcludeTree) and selects the root. The tree shows its own counts.
void BuildExcludeTree(TreeModel& tree, const TExcludeContents& list);

// Each item counts the entries of its name, each category the sum of its
// items, the root every entry (also those of no item).
void RecountExcludeTree(TreeModel& tree, const TExcludeContents& list);

// Whether the list of a node of that tree shows an entry: the root every
// entry, a category those of its items, an item those of its name.
bool ShowsExclusion(const TreeModel& tree, int node, const TExcludeContentItem& entry);
