// Process-wide state shared by the window, the scanners and the headless front
// end. Each exists exactly once, for the life of the process.
#pragma once

#include <cstdint>

#include "model/catalog.h"
#include "model/records.h"

// Run state: 0 idle, 1 a scan is running, 2 the user asked to abort.
enum : int32_t { kScanIdle = 0, kScanRunning = 1, kScanAbort = 2 };
extern int32_t ScanState;

extern TResultContents IEResults, SoftwareResults, SystemResults, InternetResults;
extern TExcludeContents ExcludeList;
extern TCatalogList IECatalog, SoftwareCatalog, SystemCatalog, InternetCatalog;

// The result collection and the catalog list of a category (0..3); nullptr otherwise.
TResultContents* ResultsOf(int category);
extern TCatalogList* const AllCatalogs[kCategoryCount];
