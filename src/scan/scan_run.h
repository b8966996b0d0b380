// The scan run shared by the window and the headless front end: walk the four
// categories in catalog order and run the scanner of every ticked item.
#pragma once

#include <functional>

#include "model/tree_model.h"

// What the window adds around the run: animation, gauge. A headless run
// leaves these empty.
struct ScanRunView {
    // Before each item: the window lets its pending messages run, so that an
    // Abort or a close pressed during the last item stops the run here.
    std::function<void()> beforeItem;
    std::function<void(int category)> categoryStarting;
    std::function<void(int category)> categoryDone;
    std::function<void(int node)> itemStarting;
    std::function<void(int node)> itemDone;
};

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
