// The Internet Software items with a way of their own: RealDownload's second
// list, and the history, cookie and cache files of Firefox and Netscape.
#include <algorithm>
#include <cstdint>
#include <memory>
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
    ScanValueList(ctx, StampOf(item), counter, item.kind, fullPath, key.Values([&ctx] { return ctx.KeepGoing(); }),
                  Counting::AddOne);
}

namespace {

// The traces cut out of one profile file, each held as the position its entry
// starts at until it is read: a history file gives hundreds of thousands.
class CutTraces : public PendingItems<TResultContentItem> {
public:
    CutTraces(std::string text, const CatalogItem& item, std::string file, bool cookies)
        : text_(std::move(text)), stamp_(StampOf(item)), kind_(item.kind), file_(std::move(file)), cookies_(cookies) {}
    const std::string& Text() const { return text_; }
    // The position of a piece of Text(), which the collection's pending item is numbered by.
    uint32_t Add(std::string_view entry) {
        ++count_;
        return static_cast<uint32_t>(entry.data() - text_.data());
    }
    void Make(uint32_t at, TResultContentItem& r) const override {
        StampRecord(r, kind_, "File", stamp_);
        const std::string_view entry = cookies_ ? CookieEntryAt(text_, at) : HistoryEntryAt(text_, at);
        std::string& detail = DetailOf(r, kind_);
        // An address read across lines takes CR LF between them, whatever the file had.
        if (!cookies_ && entry.find_first_of("\r\n") != std::string_view::npos) detail = WithCrLfLineEnds(entry);
        else detail.assign(entry);
        r.Location = file_;
        if (cookies_) r.Line = LineOf(at);
        r.Size = static_cast<int64_t>(Utf8Length(detail));  // characters
        ++made_;
        if (sealed_) ReleaseWhenAllMade();
    }
    // The cutting is over: once every record is made, the text goes.
    void Seal() {
        sealed_ = true;
        ReleaseWhenAllMade();
    }

private:
    void ReleaseWhenAllMade() const {
        if (made_ == count_) std::string().swap(text_);
    }
    // A cookie piece starts with the line end before its own line: its line
    // (0-based) is the count of line ends before the piece, plus one. Counted on
    // from the last piece asked for, as records are mostly made in order.
    int64_t LineOf(size_t at) const {
        if (at < counted_) counted_ = lineEnds_ = 0;
        for (; counted_ < at; ++counted_) lineEnds_ += text_[counted_] == '\n';
        return lineEnds_ + 1;
    }
    mutable std::string text_;
    const RecordStamp stamp_;
    const int kind_;
    const std::string file_;
    const bool cookies_;
    size_t count_ = 0;
    mutable size_t made_ = 0;
    mutable size_t counted_ = 0;
    mutable int64_t lineEnds_ = 0;
    bool sealed_ = false;
};

// Entries between two looks at the window (which keep the abort button
// working; each look asks the clock), and between two updates of the found count.
constexpr int kCutsBetweenPumps = 64;
constexpr int kCutsBetweenCounts = 4096;

// The traces cut out of one profile's history or cookie file; counter runs over all profiles.
void CutProfileFile(const CatalogItem& item, const std::string& file, const ScanContext& ctx, int& counter) {
    std::string raw;
    if (!ReadWholeFile(file, raw) || !ctx.KeepGoing()) return;
    // The file is text in the system's code page (ASCII text is the same in UTF-8: no copy).
    if (!IsAsciiText(raw)) raw = CodePageToUtf8(raw, SystemAnsiCodePage());
    if (!ctx.KeepGoing()) return;
    const bool cookies = item.removal == Removal::ProfileLines;
    std::string text;
    if (cookies) {
        // Cookie pieces start at a line start, so the lines are made CR LF first;
        // then upper case by the system's rules, a MiB at a time (cut where a character starts).
        const std::string joined = JoinLinesCrLf(raw, [&ctx] { return ctx.KeepGoing(); });
        std::string().swap(raw);
        if (ctx.Aborted()) return;
        text.reserve(joined.size());
        for (size_t at = 0; at < joined.size();) {
            if (!ctx.KeepGoing()) return;
            size_t end = std::min<size_t>(joined.size(), at + (1u << 20));
            while (end < joined.size() && (static_cast<unsigned char>(joined[end]) & 0xC0) == 0x80) ++end;
            text += UpperCaseText(std::string_view(joined).substr(at, end - at));
            at = end;
        }
    } else {
        text.swap(raw);  // a history address is cut out of the file's own lines
    }
    if (text.size() > UINT32_MAX) return;  // positions are 32-bit: a text past 4 GiB is no profile file
    auto traces = std::make_shared<CutTraces>(std::move(text), item, file, cookies);
    const uint32_t run = ctx.results.AddRun(traces);
    auto sink = [&](std::string_view entry) {
        if (ctx.Aborted()) return false;
        if (counter % kCutsBetweenPumps == 0) ctx.Pump();
        ctx.results.AddPending(run, traces->Add(entry));
        if (++counter % kCutsBetweenCounts == 0) ctx.Count(counter, kCountSet);
        return true;
    };
    const std::string& cut = traces->Text();
    if (cookies) CutCookieEntries(cut, sink);
    else CutHistoryEntries(cut, sink);
    traces->Seal();
    ctx.Count(counter, kCountSet);
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
