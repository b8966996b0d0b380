// The URL cache: its content entries and its cookies.
#include <string>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "scan/scanners.h"

void ScanUrlCache(const CatalogItem& item, const ScanContext& ctx) {
    const bool cookies = item.special == Special::UrlCacheCookies;  // entries whose URL holds "Cookie:"
    const RecordStamp stamp = StampOf(item);
    int counter = 0;
    auto take = [&](const UrlCacheEntry& e) {
        if (!(e.type & NORMAL_CACHE_ENTRY)) return;
        const bool isCookie = e.url.find("Cookie:") != std::string::npos;
        if (isCookie != cookies) return;
        if (IsFileExcluded(stamp.itemName, e.url, ctx.exclusions)) return;
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
        r.ValueName = e.url;
        r.Location = e.localFile;
        if (!e.localFile.empty()) {
            const int64_t size = FileSize64(e.localFile);
            if (size > 0) r.Size = size;
        }
        ++counter;
        ctx.Count(counter, kCountSet);
    };
    UrlCacheWalker walker;
    UrlCacheEntry entry;
    if (!walker.First(entry)) return;
    take(entry);
    while (!ctx.Aborted()) {
        ctx.Pump();
        if (!walker.Next(entry)) break;
        take(entry);
    }
}
