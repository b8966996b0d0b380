// The scanner of every catalog item: its row's shape names the routine, and
// the few items with a way of their own name theirs.
#pragma once

#include <string>

#include "model/catalog.h"
#include "scan/scan_conventions.h"

// Scans the item's place into the context's results.
void ScanItem(const CatalogItem& item, const ScanContext& ctx);

// The routines of the shapes and specials.
void ScanUrlCache(const CatalogItem& item, const ScanContext& ctx);
void ScanShellFolder(const CatalogItem& item, const ScanContext& ctx);
void ScanTrayNotify(const CatalogItem& item, const ScanContext& ctx);
void ScanRecycleBin(const CatalogItem& item, const ScanContext& ctx);
void ScanWinZip(const CatalogItem& item, const ScanContext& ctx);
void ScanACDSee(const CatalogItem& item, const ScanContext& ctx);
void ScanRealDownload(const CatalogItem& item, const ScanContext& ctx);
void ScanProfileFile(const CatalogItem& item, const ScanContext& ctx);
void ScanBrowserCache(const CatalogItem& item, const ScanContext& ctx);

// The browser profile searches. Depth first; a level ends at its first match,
// the levels above go on, so the match met last wins; empty when none.
std::string FindProfileFile(const std::string& folder, const std::string& fileName, const ScanContext& ctx);
std::string FindCacheFolder(const std::string& folder, const ScanContext& ctx);
// One record per entry of a browser's cache folder.
void ScanCacheFolder(const std::string& folder, const CatalogItem& item, const ScanContext& ctx);
