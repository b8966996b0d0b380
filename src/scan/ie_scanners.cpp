// The Internet Explorer scanners: URL cache and cookies, typed addresses,
// Favorites, and the remembered export, import, download and save folders.
#include <string>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shared_state.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/shell.h"
#include "scan/scan_conventions.h"
#include "scan/scanners.h"

namespace {

using Row = ListScannerRow;

constexpr char kIEKey[] = "Software\\Microsoft\\Internet Explorer";
constexpr char kMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";

const Row kTypedUrls{"Address Bar History", "Clean Address Bar History", "IE Address Bar History",
                     "Software\\Microsoft\\Internet Explorer\\TypedURLs", Row::Lists::Values, kKindRegValueText,
                     Row::NameInto::ValueName, true, Row::TestData::ValueText};
// Every value is tested alike (value name "AskUser", no data): an entry for the
// key with empty data drops all of them.
const Row kIntelliForms{"AutoCompleteData", "AutoComplete Form Data", "Internet Explorer",
                        "Software\\Microsoft\\Internet Explorer\\IntelliForms", Row::Lists::Values, kKindRegValue,
                        Row::NameInto::ValueName, false, Row::TestData::Empty};

const SingleValueRow kExportFile{"Favorites Export File", "Clean Favorites Export File", "Internet Explorer",
                                 kMainKey, "FavoritesExportFile", true, "FavoritesExportFile"};
const SingleValueRow kImportFolder{"Favorites Import Folder", "Clean Favorites Import Folder", "Internet Explorer",
                                   kMainKey, "FavoritesImportFolder", true, "FavoritesImportFolder"};
const SingleValueRow kDownloadDir{"Download Directory", "Clean Download Directory", "Internet Explorer", kIEKey,
                                  "Download Directory", true, "Download Directory"};
const SingleValueRow kSaveDir{"Save Directory", "Clean Save Directory", "Internet Explorer", kMainKey,
                              "Save Directory", false, "Save Directory"};

struct CacheWalk {
    bool cookies;  // entries whose URL holds "Cookie:"
    int kind;
    RecordStamp stamp;
};

void WalkUrlCache(const CacheWalk& walk, TreeModel& tree, int node, TResultContents& results) {
    int counter = 0;
    auto take = [&](const UrlCacheEntry& e) {
        if (!(e.type & NORMAL_CACHE_ENTRY)) return;
        const bool isCookie = e.url.find("Cookie:") != std::string::npos;
        if (isCookie != walk.cookies) return;
        if (IsFileExcluded(walk.stamp.itemName, e.url, ExcludeList)) return;
        TResultContentItem& r = AddRecord(results, walk.kind, "File", walk.stamp);
        r.ValueName = e.url;
        r.Location = e.localFile;
        if (!e.localFile.empty()) {
            const int64_t size = FileSize64(e.localFile);
            if (size > 0) r.Size = size;
        }
        ++counter;
        UpdateFoundCount(tree, node, counter, kCountSet);
    };
    UrlCacheWalker walker;
    UrlCacheEntry entry;
    if (!walker.First(entry)) return;
    take(entry);
    while (!ScanAborted()) {
        ProcessMessages();
        if (!walker.Next(entry)) break;
        take(entry);
    }
}

void ScanTypedUrls(TreeModel& t, int n, TResultContents& r) { RunListScanner(kTypedUrls, t, n, r); }
void ScanExportFile(TreeModel& t, int n, TResultContents& r) { RunSingleValueScanner(kExportFile, t, n, r); }
void ScanImportFolder(TreeModel& t, int n, TResultContents& r) { RunSingleValueScanner(kImportFolder, t, n, r); }
void ScanAutoComplete(TreeModel& t, int n, TResultContents& r) { RunListScanner(kIntelliForms, t, n, r); }
void ScanDownloadDir(TreeModel& t, int n, TResultContents& r) { RunSingleValueScanner(kDownloadDir, t, n, r); }
void ScanSaveDir(TreeModel& t, int n, TResultContents& r) { RunSingleValueScanner(kSaveDir, t, n, r); }

}  // namespace

void ScanIECache(TreeModel& tree, int node, TResultContents& results) {
    WalkUrlCache({false, kKindUrlCacheEntry, {"IE Cache", "Clean IE Cache", "Cache"}}, tree, node, results);
}

void ScanIECookies(TreeModel& tree, int node, TResultContents& results) {
    WalkUrlCache({true, kKindUrlCacheCookie, {"IE Cookies", "Clean IE Cookies", "Cookies"}}, tree, node, results);
}

void ScanFavorites(TreeModel& tree, int node, TResultContents& results) {
    bool opened = false;
    const std::string folder = ShellFolder("Favorites", &opened);
    if (opened) ScanFavoritesFolder(folder, tree, node, results);
}

extern const Scanner kInternetExplorerScanners[9] = {
    ScanIECache,    ScanTypedUrls,    ScanIECookies,   ScanFavorites, ScanExportFile,
    ScanImportFolder, ScanAutoComplete, ScanDownloadDir, ScanSaveDir,
};
