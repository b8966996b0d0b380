// Removing the checked traces of a result collection.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>

#include "model/records.h"
#include "model/scan_session.h"

// Progress of one clean run, shared by its calls of CleanEvidences.
struct CleanProgress {
    int total = 0;     // checked records over every collection
    int handled = 0;   // records removed so far in this run
    std::set<std::string> keysDeleted;  // full key paths this run has deleted
    // The exclusion list: a key or file that holds anything it covers never goes whole.
    const TExcludeContents* exclusions = nullptr;
    std::function<void(const std::string&)> onStep;  // the record being handled (its ValueName)
    std::function<void(int percent)> onGauge;         // 0..100
};

// handled * 100 / total, rounded to the nearest integer, halves to the even one.
int GaugePercent(int handled, int total);

// Removes every checked record's trace: registry values and keys, URL-cache
// entries, files (wiped first; a link is removed as a link, never written
// through). A record is marked Deleted only when its trace is gone afterwards
// (a trace that went with a key this run deleted counts); only then does the
// progress advance. A trace that stays gets its Reason.
//
// A key or file that stands for several traces (an Open With or Telnet list,
// a browser's cookie file) goes whole only when every trace found in it is
// ticked and no exclusion covers anything in it; otherwise only the ticked
// traces' own values, subkeys or lines go, and a history file stays.
void CleanEvidences(TResultContents& results, CleanProgress& progress);

// Whether the results hold a ticked recycle-bin trace: the bin is emptied only then.
bool RecycleBinTicked(const TResultContents& results);

// Empties the recycle bins of all drives, without confirmation, progress or
// sound; when the shell cannot do it, a message with this caption says so.
void EmptyRecycleBin(HWND owner, const std::string& caption);

// What the caller of a clean run adds: the window that owns its messages and
// their caption, and where the run reports its steps.
struct CleanRunView {
    HWND owner = nullptr;
    std::string caption;
    std::function<void(const std::string&)> onStep;  // the record being handled
    std::function<void(int percent)> onGauge;
};

// The clean run shared by the Result page and the command line: the ticked
// records of every collection that holds records, category by category, with
// the session's exclusion list; after a collection that holds a ticked
// recycle-bin trace the bins are emptied.
void RunClean(ScanSession& session, const CleanRunView& view = {});
