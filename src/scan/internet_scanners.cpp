// The Internet Software scanners: download-manager and Kazaa histories in the
// registry, and the history, cookie and cache files of Firefox and Netscape.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/catalog.h"
#include "model/item_tree.h"
#include "model/shared_state.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/utf.h"
#include "platform/wide.h"
#include "scan/profile_text.h"
#include "scan/scan_conventions.h"
#include "scan/scanners.h"

std::string FoundPath;

namespace {

using Row = ListScannerRow;
constexpr char kNet[] = "Internet SoftWare";
constexpr char kRealKey[] = "Software\\RealNetworks\\RealDownload";
// RealDownload also keeps a list for the default user profile.
constexpr char kRealDefaultRoot[] = "HKEY_USERS";
constexpr char kRealDefaultKey[] = ".default\\Software\\RealNetworks\\RealDownload";

const Row kRealDownload{"Real DownLoad", "Clean RealDownload", kNet, kRealKey, Row::Lists::Values, kKindRegValueText,
                        Row::NameInto::ValueName, true, Row::TestData::ValueText};

// Entries a profile search steps into, by their attribute word.
bool SearchableWord(DWORD attributes) {
    switch (attributes) {
    case 2: case 4: case 16: case 19: case 22: case 32: case 128: case 256: return true;
    default: return false;
    }
}

bool IsDots(const std::string& name) { return name == "." || name == ".."; }

void ScanRealDownload(TreeModel& tree, int node, TResultContents& results) {
    RunListScanner(kRealDownload, tree, node, results);
    const std::string fullPath = std::string(kRealDefaultRoot) + "\\" + kRealDefaultKey;
    RegKey key;
    if (ScanAborted() || !key.Open(GetRootKey(kRealDefaultRoot), kRealDefaultKey)) return;
    const RecordStamp stamp{kNet, "Clean RealDownload", "Real DownLoad"};
    std::string data;
    for (const std::string& name : key.ValueNames(KeepScanning)) {
        if (ScanAborted()) break;
        ProcessMessages();
        key.ReadText(name, data);
        if (IsRegExcluded(stamp.itemName, fullPath, name, data, ExcludeList)) continue;
        TResultContentItem& r = AddRecord(results, kKindRegValueText, "Reg", stamp);
        r.ValueName = name;
        r.ValueData = data;
        r.Location = fullPath;
        UpdateFoundCount(tree, node, 1, kCountAdd);
    }
}

struct TwoKeys {
    const char* item;
    const char* clean;
    const char* keys[2];
};

void ScanTwoKeys(const TwoKeys& row, TreeModel& tree, int node, TResultContents& results) {
    const RecordStamp stamp{kNet, row.clean, row.item};
    for (const char* path : row.keys) {
        if (ScanAborted()) break;
        std::vector<std::string> names;
        {
            RegKey key;
            if (!key.Open(HKEY_CURRENT_USER, path)) continue;
            names = key.ValueNames(KeepScanning);
        }
        ScanValueNamesNoExclude(stamp, kKindRegValueText, HkcuPath(path), names, results, node, tree);
    }
}

const TwoKeys kGetRight{"GetRight", "Clean GetRight MRU Info",
                        {"Software\\Headlight\\GetRight\\MRU", "Software\\Headlight\\GetRight\\TypedURLs"}};
const TwoKeys kAccelerator{"DownloadAccelerator", "Clean Download Accelerator",
                           {"Software\\SpeedBit\\Download Accelerator\\FileList",
                            "Software\\SpeedBit\\Download Accelerator\\HistoryCombo"}};
const TwoKeys kKazaa{"KazaaHistory", "Clean Kazaa History",
                     {"Software\\Kazaa\\Kazaa Lite\\Recent File List",
                      "Software\\Kazaa\\KaZaA Media Desktop\\Recent File List"}};

void ScanGetRight(TreeModel& t, int n, TResultContents& r) { ScanTwoKeys(kGetRight, t, n, r); }
void ScanAccelerator(TreeModel& t, int n, TResultContents& r) { ScanTwoKeys(kAccelerator, t, n, r); }
void ScanKazaa(TreeModel& t, int n, TResultContents& r) { ScanTwoKeys(kKazaa, t, n, r); }

// The browser scanners' shapes; the item names their records carry come from the catalog.
struct Browser {
    const char* profiles;    // below the "AppData" folder
    const char* cacheStart;  // shell folder searched for "Cache"
    int historyPos, cookiePos, cachePos;  // catalog positions in Internet Software
};

const Browser kFirefox{"\\Mozilla\\Firefox\\Profiles", "Local AppData", 5, 6, 7};
const Browser kNetscape{"\\Netscape\\NSB\\Profiles", "AppData", 8, 9, 10};

std::string& DetailOf(TResultContentItem& r, int kind) {
    switch (kind) {
    case 4: return r.Detail4;
    case 5: return r.Detail5;
    case 6: return r.Detail6;
    case 7: return r.Detail7;
    case 8: return r.Detail8;
    default: return r.Detail9;
    }
}

// Records of the browser items have no group or clean caption; their Kind ties them to the item.
TResultContentItem& AddBrowserRecord(TResultContents& results, int pos) {
    const CatalogItem& item = *FindCatalogItem(3, pos);
    return AddRecord(results, item.kind, "File", {"", "", std::string(item.RecordItemName())});
}

// A profile file of the browser, or empty when the search has no start folder.
bool SearchProfileFile(const Browser& b, const char* fileName) {
    FoundPath.clear();
    const std::string appData = ShellFolder("AppData");
    if (appData.empty()) return false;  // no proper start folder: no search
    FindProfileFile(appData + b.profiles, fileName);
    return !FoundPath.empty();
}

void ScanProfileEntries(const Browser& b, bool cookies, TreeModel& tree, int node, TResultContents& results) {
    if (!SearchProfileFile(b, cookies ? "cookies.txt" : "history.dat")) return;
    std::string raw;
    if (!ReadWholeFile(FoundPath, raw) || !KeepScanning()) return;
    // The file is text in the system's code page (ASCII text is the same in UTF-8: no copy).
    if (!IsAsciiText(raw)) raw = CodePageToUtf8(raw, SystemAnsiCodePage());
    if (!KeepScanning()) return;
    std::string text = JoinLinesCrLf(raw, KeepScanning);
    raw.clear();
    raw.shrink_to_fit();
    if (ScanAborted()) return;
    if (cookies) {
        // Upper case by the system's rules, a MiB at a time (cut where a character starts).
        std::string upper;
        upper.reserve(text.size());
        for (size_t at = 0; at < text.size();) {
            if (!KeepScanning()) return;
            size_t end = std::min<size_t>(text.size(), at + (1u << 20));
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
            upper += UpperCaseText(std::string_view(text).substr(at, end - at));
            at = end;
        }
        text.swap(upper);
    }
    const int pos = cookies ? b.cookiePos : b.historyPos;
    int counter = 0;
    // Every line of the text ends with CR LF: the lines before a cookie piece
    // are the line ends before it, counted once as the cutting moves on.
    size_t counted = 0;
    int64_t lineEnds = 0;
    auto sink = [&](std::string_view entry) {
        if (ScanAborted()) return false;
        ProcessMessages();
        TResultContentItem& r = AddBrowserRecord(results, pos);
        DetailOf(r, r.Kind).assign(entry);
        r.Location = FoundPath;
        if (cookies) {  // the piece starts with the line end before its own line
            const size_t at = static_cast<size_t>(entry.data() - text.data());
            for (; counted < at; ++counted) lineEnds += text[counted] == '\n';
            r.Line = lineEnds + 1;
        }
        r.Size = static_cast<int64_t>(Utf8Length(entry));  // characters
        ++counter;
        UpdateFoundCount(tree, node, counter, kCountSet);
        return true;
    };
    if (cookies) CutCookieEntries(text, sink);
    else CutHistoryEntries(text, sink);
}

void ScanBrowserCache(const Browser& b, TreeModel& tree, int node, TResultContents& results) {
    FoundPath.clear();
    bool opened = false;
    const std::string start = ShellFolder(b.cacheStart, &opened);
    if (!opened || start.empty()) return;
    FindCacheFolder(start);
    if (!FoundPath.empty()) ScanCacheFolder(FoundPath, tree, node, &b == &kFirefox ? 1 : 2, results);
}

void ScanFirefoxHistory(TreeModel& t, int n, TResultContents& r) { ScanProfileEntries(kFirefox, false, t, n, r); }
void ScanFirefoxCookies(TreeModel& t, int n, TResultContents& r) { ScanProfileEntries(kFirefox, true, t, n, r); }
void ScanFirefoxCache(TreeModel& t, int n, TResultContents& r) { ScanBrowserCache(kFirefox, t, n, r); }
void ScanNetscapeHistory(TreeModel& t, int n, TResultContents& r) { ScanProfileEntries(kNetscape, false, t, n, r); }
void ScanNetscapeCookies(TreeModel& t, int n, TResultContents& r) { ScanProfileEntries(kNetscape, true, t, n, r); }
void ScanNetscapeCache(TreeModel& t, int n, TResultContents& r) { ScanBrowserCache(kNetscape, t, n, r); }

// One level of FindProfileFile; true when this level found the file and ends.
void SearchForFile(const std::string& folder, const std::string& fileName) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ScanAborted() && walker.Next(e)) {
        ProcessMessages();
        // Only plain folders are entered: a link or junction has its own word.
        if (SearchableWord(e.attributes) && !IsDots(e.name) && (e.attributes & FILE_ATTRIBUTE_DIRECTORY))
            SearchForFile(folder + "\\" + e.name, fileName);
        if (e.name == fileName) {
            FoundPath = folder + "\\" + e.name;
            return;  // this level ends at its first match; the levels above go on
        }
    }
}

void SearchForCache(const std::string& folder) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ScanAborted() && walker.Next(e)) {
        ProcessMessages();
        if (!SearchableWord(e.attributes) || IsDots(e.name) || !(e.attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (e.name == "Cache") {
            FoundPath = folder + "\\" + e.name;
            return;
        }
        SearchForCache(folder + "\\" + e.name);
    }
}

}  // namespace

void FindProfileFile(const std::string& folder, const std::string& fileName) { SearchForFile(folder, fileName); }

void FindCacheFolder(const std::string& folder) { SearchForCache(folder); }

void ScanCacheFolder(const std::string& folder, TreeModel& tree, int node, int browser, TResultContents& results) {
    const Browser& b = browser == 1 ? kFirefox : kNetscape;
    FolderWalker walker(folder);
    FolderEntry e;
    int counter = 0;
    while (!ScanAborted() && walker.Next(e)) {
        ProcessMessages();
        if (!SearchableWord(e.attributes) || IsDots(e.name)) continue;
        TResultContentItem& r = AddBrowserRecord(results, b.cachePos);
        const std::string path = folder + "\\" + e.name;
        DetailOf(r, r.Kind) = path;
        r.Location = path;
        r.Size = e.size;  // folders are listed with size 0 and not entered
        ++counter;
        UpdateFoundCount(tree, node, counter, kCountSet);
    }
}

extern const Scanner kInternetSoftwareScanners[10] = {
    ScanRealDownload,    ScanGetRight,        ScanAccelerator,     ScanKazaa,          ScanFirefoxHistory,
    ScanFirefoxCookies,  ScanFirefoxCache,    ScanNetscapeHistory, ScanNetscapeCookies, ScanNetscapeCache,
};
