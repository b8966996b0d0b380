// The places of Windows 7 to 11: Explorer's numbered lists, the program
// launch counters, and folders of files (jump lists, thumbnail caches, error
// reports, browser caches).
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shell_values.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "scan/scanners.h"

namespace {

// The item's files in folder (and, for a recursive item, below it); links are never entered.
void ListFiles(const CatalogItem& item, const std::string& folder, const RecordStamp& stamp, const ScanContext& ctx,
               int& counter) {
    ForEachFile(folder, item.recursive, item.patterns, ctx, [&](const std::string& path, const FolderEntry& e) {
        if (IsFileExcluded(stamp.itemName, path, ctx.exclusions)) return;
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
        r.ValueName = e.name;
        r.Location = path;
        r.Size = e.size;
        ++counter;
        ctx.Count(counter, kCountSet);
    });
}

// The numbered values of one key, most recent first as its MRUListEx orders
// them, then any it does not list (look-alikes such as "007" among them).
void ListNumberedValues(const CatalogItem& item, const std::string& path, const RecordStamp& stamp,
                        const ScanContext& ctx, int& counter) {
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, path)) return;
    std::vector<std::string> names;
    for (std::string& name : key.ValueNames([&ctx] { return ctx.KeepGoing(); }))
        if (IsDigitName(name)) names.push_back(std::move(name));
    std::string order;
    key.ReadBinary("MRUListEx", order);
    std::unordered_map<std::string, size_t> where;  // a name's place in names
    for (size_t i = 0; i < names.size(); ++i) where.emplace(names[i], i);
    std::vector<std::string> ordered;
    for (uint32_t n : MruListNumbers(order)) {
        const auto it = where.find(std::to_string(n));
        if (it != where.end() && !names[it->second].empty()) ordered.push_back(std::exchange(names[it->second], {}));
    }
    for (std::string& name : names)
        if (!name.empty()) ordered.push_back(std::move(name));
    const std::string fullPath = HkcuPath(path);
    std::string data;
    DWORD type = REG_NONE;
    for (const std::string& name : ordered) {
        if (ctx.Aborted()) return;
        ctx.Pump();
        if (IsRegExcluded(stamp.itemName, fullPath, name, name, ctx.exclusions)) continue;
        key.ReadBinary(name, data, &type);
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "Reg", stamp);
        r.ValueName = name;
        r.ValueData = NumberedValueText(type, data);
        r.Location = fullPath;
        ++counter;
        ctx.Count(counter, kCountSet);
    }
}

}  // namespace

void ScanFiles(const CatalogItem& item, const ScanContext& ctx) {
    const RecordStamp stamp = StampOf(item);
    int counter = 0;
    for (const std::string& place : PlacesOf(item))
        for (std::string_view folder : item.folders) {
            if (ctx.Aborted()) return;
            ListFiles(item, place + "\\" + std::string(folder), stamp, ctx, counter);
        }
}

void ScanNumberedMru(const CatalogItem& item, const ScanContext& ctx) {
    const RecordStamp stamp = StampOf(item);
    const std::string top(item.key);
    int counter = 0;
    ListNumberedValues(item, top, stamp, ctx, counter);
    if (!item.subkeysToo) return;
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, top)) return;
    for (const std::string& sub : key.SubkeyNames([&ctx] { return ctx.KeepGoing(); })) {
        if (ctx.Aborted()) return;
        ListNumberedValues(item, top + "\\" + sub, stamp, ctx, counter);
    }
}

void ScanUserAssist(const CatalogItem& item, const ScanContext& ctx) {
    const RecordStamp stamp = StampOf(item);
    int counter = 0;
    for (std::string_view path : item.Keys()) {
        RegKey key;
        if (!key.Open(HKEY_CURRENT_USER, std::string(path))) continue;
        const std::string fullPath = HkcuPath(std::string(path));
        for (const std::string& name : key.ValueNames([&ctx] { return ctx.KeepGoing(); })) {
            if (ctx.Aborted()) return;
            ctx.Pump();
            // The key's default value has no name to decode: it is named as such.
            std::string shown = name.empty() ? std::string("(default value)") : Rot13(name);
            // The session counters are Explorer's own bookkeeping, not a program the user ran.
            if (shown.rfind("UEME_CTL", 0) == 0) continue;
            if (IsRegExcluded(stamp.itemName, fullPath, name, name, ctx.exclusions)) continue;
            TResultContentItem& r = AddRecord(ctx.results, item.kind, "Reg", stamp);
            r.ValueName = name;
            r.ValueData = std::move(shown);
            r.Location = fullPath;
            ++counter;
            ctx.Count(counter, kCountSet);
        }
    }
}
