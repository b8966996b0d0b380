// Removing the checked traces of a result collection.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>

#include "model/records.h"

// Progress of one clean run, shared by its calls of CleanEvidences.
struct CleanProgress {
    int total = 0;     // checked records over all four collections
    int handled = 0;   // records removed so far in this run
    std::set<std::string> keysDeleted;  // full key paths this run has deleted
    std::function<void(const std::string&)> onStep;  // the record being handled (its ValueName)
    std::function<void(int percent)> onGauge;         // 0..100
};

// handled * 100 / total, rounded to the nearest integer, halves to the even one.
int GaugePercent(int handled, int total);

// Removes every checked record's trace: registry values and keys, URL-cache
// entries, files (wiped first). A record is marked Deleted only when its trace
// is gone afterwards; only then does the progress advance.
void CleanEvidences(TResultContents& results, CleanProgress& progress);

// Empties the recycle bins of all drives, without confirmation, progress or sound.
void EmptyRecycleBin(HWND owner);
