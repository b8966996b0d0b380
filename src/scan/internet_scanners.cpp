// The Internet Software items with a way of their own: RealDownload's second
// list, and the history, cookie and cache files of Firefox and Netscape.
#include <algorithm>
#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "base/utf.h"
#include "platform/wide.h"
#include "scan/profile_text.h"
#include "scan/scanners.h"

namespace {

// RealDownload also keeps a list for the default user profile.
constexpr char kRealDefaultRoot[] = "HKEY_USERS";
constexpr char kRealDefaultKey[] = ".default\\Software\\RealNetworks\\RealDownload";

// Entries a profile search steps into, by their attribute word.
bool SearchableWord(DWORD attributes) {
    switch (attributes) {
    case 2: case 4: case 16: case 19: case 22: case 32: case 128: case 256: return true;
    default: return false;
    }
}

std::string& DetailOf(TResultContentItem& r, int kind) {
    // Slots 4 to 8 for Firefox's history, cookies and cache and Netscape's history and cookies; 9 else.
    return r.DetailFor(kind >= kKindFirefoxHistory && kind <= kKindNetscapeCookie ? 4 + kind - kKindFirefoxHistory : 9);
}

// Every file of this name below folder (a folder of that name too, when
// folders is set, which is then not entered). Only plain folders are entered:
// a link or junction has its own attribute word.
void SearchFor(const std::string& folder, const std::string& name, bool folders, const ScanContext& ctx,
               std::vector<std::string>& found) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ctx.Aborted() && walker.Next(e)) {
        ctx.Pump();
        if (e.IsDots()) continue;
        const bool isFolder = e.IsDir();
        if (e.name == name && isFolder == folders) {
            found.push_back(folder + "\\" + e.name);
            continue;
        }
        if (isFolder && SearchableWord(e.attributes)) SearchFor(folder + "\\" + e.name, name, folders, ctx, found);
    }
}

std::vector<std::string> Sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());  // the same order on every file system
    return paths;
}

}  // namespace

std::vector<std::string> FindProfileFiles(const std::string& folder, const std::string& fileName,
                                          const ScanContext& ctx) {
    std::vector<std::string> found;
    SearchFor(folder, fileName, false, ctx, found);
    return Sorted(std::move(found));
}

std::vector<std::string> FindCacheFolders(const std::string& folder, const ScanContext& ctx) {
    std::vector<std::string> found;
    SearchFor(folder, "Cache", true, ctx, found);
    return Sorted(std::move(found));
}

void ScanRealDownload(const CatalogItem& item, const ScanContext& ctx) {
    RunListScanner(item, ctx);
    const std::string fullPath = std::string(kRealDefaultRoot) + "\\" + kRealDefaultKey;
    RegKey key;
    if (ctx.Aborted() || !key.Open(RegistryPath::Parse(fullPath))) return;
    int counter = 0;
    ScanValueNames(ctx, StampOf(item), counter, item.kind, fullPath, key.ValueNames([&ctx] { return ctx.KeepGoing(); }),
                   Counting::AddOne);
}

namespace {

// The traces cut out of one profile's history or cookie file; counter runs over all profiles.
void CutProfileFile(const CatalogItem& item, const std::string& file, const ScanContext& ctx, int& counter) {
    std::string raw;
    if (!ReadWholeFile(file, raw) || !ctx.KeepGoing()) return;
    // The file is text in the system's code page (ASCII text is the same in UTF-8: no copy).
    if (!IsAsciiText(raw)) raw = CodePageToUtf8(raw, SystemAnsiCodePage());
    if (!ctx.KeepGoing()) return;
    std::string text = JoinLinesCrLf(raw, [&ctx] { return ctx.KeepGoing(); });
    raw.clear();
    raw.shrink_to_fit();
    if (ctx.Aborted()) return;
    const bool cookies = item.removal == Removal::ProfileLines;
    if (cookies) {
        // Upper case by the system's rules, a MiB at a time (cut where a character starts).
        std::string upper;
        upper.reserve(text.size());
        for (size_t at = 0; at < text.size();) {
            if (!ctx.KeepGoing()) return;
            size_t end = std::min<size_t>(text.size(), at + (1u << 20));
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
            upper += UpperCaseText(std::string_view(text).substr(at, end - at));
            at = end;
        }
        text.swap(upper);
    }
    const RecordStamp stamp = StampOf(item);
    // Every line of the text ends with CR LF: the lines before a cookie piece
    // are the line ends before it, counted once as the cutting moves on.
    size_t counted = 0;
    int64_t lineEnds = 0;
    auto sink = [&](std::string_view entry) {
        if (ctx.Aborted()) return false;
        ctx.Pump();
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
        DetailOf(r, r.Kind).assign(entry);
        r.Location = file;
        if (cookies) {  // the piece starts with the line end before its own line
            const size_t at = static_cast<size_t>(entry.data() - text.data());
            for (; counted < at; ++counted) lineEnds += text[counted] == '\n';
            r.Line = lineEnds + 1;
        }
        r.Size = static_cast<int64_t>(Utf8Length(entry));  // characters
        ++counter;
        ctx.Count(counter, kCountSet);
        return true;
    };
    if (cookies) CutCookieEntries(text, sink);
    else CutHistoryEntries(text, sink);
}

}  // namespace

// Every profile's file gives its own records; the count is their sum.
void ScanProfileFile(const CatalogItem& item, const ScanContext& ctx) {
    const std::string appData = ShellFolder(std::string(item.shellFolder));
    if (appData.empty()) return;  // no proper start folder: no search
    int counter = 0;
    for (const std::string& file : FindProfileFiles(appData + std::string(item.subFolder), std::string(item.fileName), ctx)) {
        if (ctx.Aborted()) return;
        CutProfileFile(item, file, ctx, counter);
    }
}

// The "Cache" folder of every profile of the browser.
void ScanBrowserCache(const CatalogItem& item, const ScanContext& ctx) {
    bool opened = false;
    const std::string start = ShellFolder(std::string(item.shellFolder), &opened);
    if (!opened || start.empty()) return;
    int counter = 0;
    for (const std::string& cache : FindCacheFolders(start + std::string(item.subFolder), ctx)) {
        if (ctx.Aborted()) return;
        ScanCacheFolder(cache, item, ctx, counter);
    }
}

void ScanCacheFolder(const std::string& folder, const CatalogItem& item, const ScanContext& ctx, int& counter) {
    const RecordStamp stamp = StampOf(item);
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ctx.Aborted() && walker.Next(e)) {
        ctx.Pump();
        if (!SearchableWord(e.attributes) || e.IsDots()) continue;
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
        const std::string path = folder + "\\" + e.name;
        DetailOf(r, r.Kind) = path;
        r.Location = path;
        r.Size = e.size;  // folders are listed with size 0 and not entered
        ++counter;
        ctx.Count(counter, kCountSet);
    }
}
