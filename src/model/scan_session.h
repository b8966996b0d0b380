// The state of one scan and of what follows it, owned in one place: the
// result collections of the categories, the exclusion list, the catalog lists
// behind the item tree, the rows of the result list and the run state every
// long loop asks before each entry. The main window and the command line
// each make one and hand it (or the part a layer needs) down; no layer
// reaches it as a global.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/catalog.h"
#include "model/records.h"
#include "model/result_rows.h"

// Run state: 0 idle, 1 a scan is running, 2 the user asked to abort.
enum : int32_t { kScanIdle = 0, kScanRunning = 1, kScanAbort = 2 };

class ScanSession {
public:
    // The catalog lists filled with their default ticks; everything else empty.
    ScanSession();
    ScanSession(const ScanSession&) = delete;
    ScanSession& operator=(const ScanSession&) = delete;

    // The collections, one per category in category order (the first four by
    // their own names too). Every record belongs to the one of its item's category.
    std::array<TResultContents, kCategoryCount> Results;
    TResultContents &IEResults = Results[0], &SoftwareResults = Results[1], &SystemResults = Results[2],
                    &InternetResults = Results[3];
    TExcludeContents ExcludeList;
    // The data of the item tree's nodes, one list per category.
    std::array<TCatalogList, kCategoryCount> CatalogLists;
    TCatalogList &IECatalog = CatalogLists[0], &SoftwareCatalog = CatalogLists[1], &SystemCatalog = CatalogLists[2],
                 &InternetCatalog = CatalogLists[3];
    // The rows the result list shows (see result_rows.h). A row points at its
    // record: whatever takes records away takes their rows too.
    std::vector<TResultItem> ResultRows;
    int64_t SizeTotal = 0;  // bytes of the listed rows

    // Written by the scan run and by Abort (or a closing window); read by
    // every long loop through AbortRequested.
    int32_t ScanState = kScanIdle;
    // The last scan was stopped by Abort (or a closing window) before its end.
    bool LastScanStopped = false;
    // Called at the start of every AbortRequested: the place where a test
    // acts at a known entry of a loop (a key vanishes, Abort is pressed)
    // instead of racing the loop with a timer. Empty in the program.
    std::function<void()> LoopEntryHook;

    // Asked before each entry of every long loop (scanners, folder walks, the
    // shredder's walk): true once the user asked to abort.
    bool AbortRequested() const;
    // Abort pressed: a running scan stops at its next entry.
    void RequestAbort();

    // The collection of a category; nullptr for no category.
    TResultContents* ResultsOf(int category);
    const TResultContents* ResultsOf(int category) const;
    // The catalog lists in category order, as the item tree is built from them.
    TCatalogList* const* Catalogs() { return catalogs_; }

    // Every collection and the rows emptied, for a new scan; the exclusion
    // list and the catalog lists stay.
    void ClearResults();
    void ClearRows();

private:
    TCatalogList* catalogs_[kCategoryCount];
};
