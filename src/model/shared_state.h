// Process-wide state shared by the window, the scanners and the headless front
// end. Each exists exactly once, for the life of the process.
#pragma once

#include <cstdint>
#include <functional>

#include "model/catalog.h"
#include "model/records.h"

// Run state: 0 idle, 1 a scan is running, 2 the user asked to abort.
enum : int32_t { kScanIdle = 0, kScanRunning = 1, kScanAbort = 2 };
extern int32_t ScanState;

// Every long loop (scanners, folder walks, the shredder's walk) asks this
// before each entry: true once the user asked to abort.
bool AbortRequested();
// Called at the start of every AbortRequested: the place where a test acts at
// a known entry of a loop (a key vanishes, Abort is pressed) instead of racing
// the loop with a timer. Empty in the program.
extern std::function<void()> LoopEntryHook;

extern TResultContents IEResults, SoftwareResults, SystemResults, InternetResults, BrowserResults, ModernResults;
extern TExcludeContents ExcludeList;
extern TCatalogList IECatalog, SoftwareCatalog, SystemCatalog, InternetCatalog, BrowserCatalog, ModernCatalog;

// The result collection and the catalog list of a category; nullptr for no category.
TResultContents* ResultsOf(int category);
extern TCatalogList* const AllCatalogs[kCategoryCount];
