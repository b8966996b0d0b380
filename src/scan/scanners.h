// The scanner of every catalog item, by category and position.
#pragma once

#include "model/records.h"
#include "model/tree_model.h"

// Every scanner takes the item tree, its item's node and its category's results.
using Scanner = void (*)(TreeModel& tree, int node, TResultContents& results);

// The scanner of catalog item (category 0..3, 1-based position), or nullptr.
Scanner ScannerFor(int category, int pos);

// Internet Explorer.
void ScanIECache(TreeModel& tree, int node, TResultContents& results);
void ScanIECookies(TreeModel& tree, int node, TResultContents& results);
void ScanFavorites(TreeModel& tree, int node, TResultContents& results);
// Windows System.
void ScanSendTo(TreeModel& tree, int node, TResultContents& results);
void ScanRecentFiles(TreeModel& tree, int node, TResultContents& results);
void ScanTrayNotify(TreeModel& tree, int node, TResultContents& results);
void ScanRecycleBin(TreeModel& tree, int node, TResultContents& results);
