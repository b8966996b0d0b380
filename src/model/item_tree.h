// The Scan page's item tree: building it from the catalog, its counts and its
// ticking rules.
#pragma once

#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/tree_model.h"

// Rebuilds the tree from the catalog lists: the root, each category, its items.
// Every item's tick returns to its default; found counts are left as they are.
void BuildItemTree(TreeModel& tree, TCatalogList* const lists[kCategoryCount]);

// Category counts := sum of their items; root := sum of the categories.
void TotalFoundCounts(TreeModel& tree);

// A click on a node's tick box: an item flips; a category gives its items the
// opposite of its own state, then flips; the root sets every node to the
// opposite of its own state.
void ClickTickBox(TreeModel& tree, int node);

// The items a click on the node's tick box would tick that carry a warning
// (a rule's), in tree order; none when the click unticks.
std::vector<const CatalogItem*> WarnedItemsTickedBy(const TreeModel& tree, int node);
// The text that asks whether to tick them anyway.
std::string TickWarningText(const std::vector<const CatalogItem*>& items);

// How UpdateFoundCount changes the item's count.
enum FoundCountMode { kCountSet = 0, kCountAdd = 1 };

// Sets (mode 0) or raises (mode 1) the item's found count (any other mode
// leaves it), recomputes its category's and the root's sums and has the view
// paint the three numbers at once.
void UpdateFoundCount(TreeModel& tree, int node, int number, int mode);
