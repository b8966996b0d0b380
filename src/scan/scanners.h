// The scanner of every catalog item: its row's shape names the routine, and
// the few items with a way of their own name theirs.
#pragma once

#include <string>
#include <vector>

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
void ScanProfileStores(const CatalogItem& item, const ScanContext& ctx);
void ScanFiles(const CatalogItem& item, const ScanContext& ctx);
void ScanNumberedMru(const CatalogItem& item, const ScanContext& ctx);
void ScanUserAssist(const CatalogItem& item, const ScanContext& ctx);
void ScanRegeditHistory(const CatalogItem& item, const ScanContext& ctx);
void ScanRecycledItems(const CatalogItem& item, const ScanContext& ctx);
void ScanOldTempFiles(const CatalogItem& item, const ScanContext& ctx);
void ScanClipboard(const CatalogItem& item, const ScanContext& ctx);
void ScanRemoteDesktop(const CatalogItem& item, const ScanContext& ctx);
void ScanLinesOfFiles(const CatalogItem& item, const ScanContext& ctx);
void ScanOfficeMru(const CatalogItem& item, const ScanContext& ctx);
void ScanAcrobatRecent(const CatalogItem& item, const ScanContext& ctx);
void ScanValueLists(const CatalogItem& item, const ScanContext& ctx);
void ScanSettingsList(const CatalogItem& item, const ScanContext& ctx);
void ScanCommunityRule(const CatalogItem& item, const ScanContext& ctx);

// The folder below an item's shell folder it looks in (none when the shell folder is not set).
std::vector<std::string> PlacesOf(const CatalogItem& item);
// The profile folders below the roots of a browser, each root's sorted by name.
std::vector<std::string> ProfilesOf(std::span<const ProfileRoot> roots, const ScanContext* ctx = nullptr);
// Whether a category has a profile on this machine to look in (a category of
// no browser always has): a browser with none adds nothing to the item tree,
// nor does the rules category when no rule file was read.
bool CategoryHasProfiles(int category);

// The browser profile searches: every file of that name (every folder named
// "Cache") below the profiles folder, sorted by path; none when there is none.
std::vector<std::string> FindProfileFiles(const std::string& folder, const std::string& fileName,
                                          const ScanContext& ctx);
std::vector<std::string> FindCacheFolders(const std::string& folder, const ScanContext& ctx);
// One record per entry of a browser's cache folder; counter runs over all its profiles.
void ScanCacheFolder(const std::string& folder, const CatalogItem& item, const ScanContext& ctx, int& counter);
