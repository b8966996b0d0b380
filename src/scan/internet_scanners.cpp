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
#include "platform/utf.h"
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

bool IsDots(const std::string& name) { return name == "." || name == ".."; }

std::string& DetailOf(TResultContentItem& r, int kind) {
    switch (kind) {
    case kKindFirefoxHistory: return r.Detail4;
    case kKindFirefoxCookie: return r.Detail5;
    case kKindFirefoxCache: return r.Detail6;
    case kKindNetscapeHistory: return r.Detail7;
    case kKindNetscapeCookie: return r.Detail8;
    default: return r.Detail9;
    }
}

// One level of the profile search; the match this level found, or empty.
void SearchForFile(const std::string& folder, const std::string& fileName, const ScanContext& ctx, std::string& found) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ctx.Aborted() && walker.Next(e)) {
        ctx.Pump();
        // Only plain folders are entered: a link or junction has its own word.
        if (SearchableWord(e.attributes) && !IsDots(e.name) && (e.attributes & FILE_ATTRIBUTE_DIRECTORY))
            SearchForFile(folder + "\\" + e.name, fileName, ctx, found);
        if (e.name == fileName) {
            found = folder + "\\" + e.name;
            return;  // this level ends at its first match; the levels above go on
        }
    }
}

void SearchForCache(const std::string& folder, const ScanContext& ctx, std::string& found) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ctx.Aborted() && walker.Next(e)) {
        ctx.Pump();
        if (!SearchableWord(e.attributes) || IsDots(e.name) || !(e.attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (e.name == "Cache") {
            found = folder + "\\" + e.name;
            return;
        }
        SearchForCache(folder + "\\" + e.name, ctx, found);
    }
}

}  // namespace

std::string FindProfileFile(const std::string& folder, const std::string& fileName, const ScanContext& ctx) {
    std::string found;
    SearchForFile(folder, fileName, ctx, found);
    return found;
}

std::string FindCacheFolder(const std::string& folder, const ScanContext& ctx) {
    std::string found;
    SearchForCache(folder, ctx, found);
    return found;
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

void ScanProfileFile(const CatalogItem& item, const ScanContext& ctx) {
    const std::string appData = ShellFolder(std::string(item.shellFolder));
    if (appData.empty()) return;  // no proper start folder: no search
    const std::string file = FindProfileFile(appData + std::string(item.subFolder), std::string(item.fileName), ctx);
    if (file.empty()) return;
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
    int counter = 0;
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

void ScanBrowserCache(const CatalogItem& item, const ScanContext& ctx) {
    bool opened = false;
    const std::string start = ShellFolder(std::string(item.shellFolder), &opened);
    if (!opened || start.empty()) return;
    const std::string cache = FindCacheFolder(start, ctx);
    if (!cache.empty()) ScanCacheFolder(cache, item, ctx);
}

void ScanCacheFolder(const std::string& folder, const CatalogItem& item, const ScanContext& ctx) {
    const RecordStamp stamp = StampOf(item);
    FolderWalker walker(folder);
    FolderEntry e;
    int counter = 0;
    while (!ctx.Aborted() && walker.Next(e)) {
        ctx.Pump();
        if (!SearchableWord(e.attributes) || IsDots(e.name)) continue;
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
        const std::string path = folder + "\\" + e.name;
        DetailOf(r, r.Kind) = path;
        r.Location = path;
        r.Size = e.size;  // folders are listed with size 0 and not entered
        ++counter;
        ctx.Count(counter, kCountSet);
    }
}
