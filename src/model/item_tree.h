// The Scan page's item tree: building it from the catalog, its counts and its
// ticking rules.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/tree_model.h"

// The user's own ticks, by item name: only where they differ from the item's default.
using TickChoices = std::map<std::string, bool>;

// Rebuilds the tree from the catalog lists: the root, each category, its items.
// Every item is ticked as the user chose (kept), else as its default; the
// categories and the root look as their items are ticked; found counts are
// left as they are.
void BuildItemTree(TreeModel& tree, TCatalogList* const lists[kCategoryCount], const TickChoices* kept = nullptr);

// The items' ticks in the lists where they differ from their defaults.
TickChoices TickChoicesOf(TCatalogList* const lists[kCategoryCount]);

// Each category looks ticked when all its shown items are, unticked when none
// is, partly ticked otherwise; the root likewise over its shown categories.
void ShowParentTicks(TreeModel& tree);

// Category counts := sum of their items; root := sum of the categories.
void TotalFoundCounts(TreeModel& tree);

// A click on a node's tick box: an item flips; a category or the root ticks
// everything below it unless it is wholly ticked, then it unticks everything;
// the parents then show their items' state.
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
