// The scanner of every catalog item, by category and position.
#pragma once

#include <string>

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

// Internet Software: the browser profile searches. The result of the last
// search is in FoundPath: the full path found, or empty.
extern std::string FoundPath;
// Depth first; a level ends at its first match, the levels above go on, so the
// match met last wins.
void FindProfileFile(const std::string& folder, const std::string& fileName);
void FindCacheFolder(const std::string& folder);
// One record per entry of the cache folder (browser 1 Firefox, 2 Netscape).
void ScanCacheFolder(const std::string& folder, TreeModel& tree, int node, int browser, TResultContents& results);
