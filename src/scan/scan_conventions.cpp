#include "scan/scan_conventions.h"

#include <cstring>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/registry.h"

void ScanContext::Count(int number, int mode) const { UpdateFoundCount(tree, node, number, mode); }

RecordStamp StampOf(const CatalogItem& item) {
    return {SharedText(item.group), SharedText(item.cleanCaption), SharedText(item.RecordItemName()), &item};
}

void StampRecord(TResultContentItem& r, int kind, const char* sourceType, const RecordStamp& stamp) {
    r.Item = stamp.item;
    r.Checked = 1;
    r.Kind = kind;
    static const SharedText kFile("File"), kReg("Reg");
    r.SourceType = std::strcmp(sourceType, "File") == 0 ? kFile : std::strcmp(sourceType, "Reg") == 0 ? kReg
                                                                                                        : SharedText(sourceType);
    r.Group = stamp.group;
    r.CleanName = stamp.cleanName;
    r.ItemName = stamp.itemName;
}

TResultContentItem& AddRecord(TResultContents& results, int kind, const char* sourceType, const RecordStamp& stamp) {
    TResultContentItem& r = results.Item(results.AddNew());
    StampRecord(r, kind, sourceType, stamp);
    return r;
}

void ScanValueList(const ScanContext& ctx, const RecordStamp& stamp, int& counter, int kind,
                   const std::string& fullPath, std::vector<RegValue> values, Counting count) {
    for (RegValue& v : values) {
        if (ctx.Aborted()) break;
        ctx.Pump();
        if (IsRegExcluded(stamp.itemName, fullPath, v.name, v.text, ctx.exclusions)) continue;
        TResultContentItem& r = AddRecord(ctx.results, kind, "Reg", stamp);
        r.ValueName = std::move(v.name);
        if (kind != kKindRegValue) r.ValueData = std::move(v.text);
        r.Location = fullPath;
        ++counter;
        if (count == Counting::AddOne) ctx.Count(1, kCountAdd);
        else ctx.Count(counter, kCountSet);
    }
}

void RecordNamedTrace(const ScanContext& ctx, const RecordStamp& stamp, int kind, const std::string& name,
                      const std::string& location, const std::string& testData, int& counter) {
    if (IsRegExcluded(stamp.itemName, location, name, testData, ctx.exclusions)) return;
    TResultContentItem& r = AddRecord(ctx.results, kind, "Reg", stamp);
    r.ValueName = name;
    r.Location = location;
    ++counter;
    ctx.Count(counter, kCountSet);
}

void ScanValueNamesNoExclude(const ScanContext& ctx, const RecordStamp& stamp, int kind, const std::string& fullPath,
                             const std::vector<std::string>& names) {
    RegKey key;
    key.Open(RegistryPath::Parse(fullPath));
    for (const std::string& name : names) {
        if (ctx.Aborted()) break;
        ctx.Pump();
        TResultContentItem& r = AddRecord(ctx.results, kind, "Reg", stamp);
        r.ValueName = name;
        if (kind != kKindRegValue) key.ReadText(name, r.ValueData);
        r.Location = fullPath;
        ctx.Count(1, kCountAdd);
    }
}

void RunListScanner(const ListScannerRow& row, const ScanContext& ctx) {
    using Row = ListScannerRow;
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, row.keyPath)) return;
    const auto keepGoing = [&ctx] { return ctx.KeepGoing(); };
    // A value list comes with its data, one enumeration call a value.
    std::vector<RegValue> values;
    std::vector<std::string> subkeys;
    if (row.lists == Row::Lists::Values) values = key.Values(keepGoing);
    else subkeys = key.SubkeyNames(keepGoing);
    const size_t count = row.lists == Row::Lists::Values ? values.size() : subkeys.size();
    if (count == 0) return;
    const std::string fullPath = HkcuPath(row.keyPath);
    const RecordStamp stamp{row.group, row.cleanName, row.itemName, row.item};
    static const std::string kEmpty;
    std::string data, subkeyPath;
    int running = 0;
    for (size_t i = 0; i < count; ++i) {
        if (ctx.Aborted()) break;
        ctx.Pump();
        if ((i & 255) == 255) ctx.Progress(static_cast<double>(i) / static_cast<double>(count));
        const std::string& name = values.empty() ? subkeys[i] : values[i].name;
        if (row.keepData || row.plainTextOnly) {
            DWORD type = REG_NONE;
            if (values.empty()) {  // a subkey list reads the key's value of the subkey's name
                key.ReadText(name, data, &type);
            } else {
                data.swap(values[i].text);
                type = values[i].type;
            }
            if (row.plainTextOnly && type != REG_SZ) continue;
        }
        const std::string* location = &fullPath;
        if (row.locationPerSubkey) {
            subkeyPath = fullPath + "\\" + name;
            location = &subkeyPath;
        }
        const std::string& testData = row.test == TestData::ValueText    ? data
                                      : row.test == TestData::ListedName ? name
                                                                         : kEmpty;
        if (row.test != TestData::None && IsRegExcluded(row.itemName, *location, name, testData, ctx.exclusions))
            continue;
        TResultContentItem& r = AddRecord(ctx.results, row.kind, "Reg", stamp);
        (row.nameInto == NameField::ValueName ? r.ValueName : r.KeyName) = name;
        if (row.keepData) r.ValueData = data;
        r.Location = *location;
        ++running;
        ctx.Count(row.count == Counting::Position ? static_cast<int>(i) + 1 : running, kCountSet);
    }
}

void RunListScanner(const CatalogItem& item, const ScanContext& ctx) {
    const std::string name(item.RecordItemName()), clean(item.cleanCaption), group(item.group), key(item.key);
    ListScannerRow row{name.c_str(),
                       clean.c_str(),
                       group.c_str(),
                       key.c_str(),
                       item.shape == ScanShape::SubkeyList ? ListScannerRow::Lists::Subkeys
                                                           : ListScannerRow::Lists::Values,
                       item.kind,
                       item.nameInto,
                       item.keepData,
                       item.test,
                       item.count,
                       item.plainTextOnly,
                       item.locationPerSubkey,
                       &item};
    RunListScanner(row, ctx);
}

void ForEachFile(const std::string& folder, bool recursive, std::span<const std::string_view> patterns,
                 const ScanContext& ctx, const std::function<void(const std::string& path, const FolderEntry& e)>& found) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ctx.Aborted() && walker.Next(e)) {
        ctx.Pump();
        if (e.IsDots()) continue;
        const std::string path = folder + "\\" + e.name;
        if (e.IsDir()) {
            if (recursive && !e.IsReparsePoint()) ForEachFile(path, recursive, patterns, ctx, found);
            continue;
        }
        bool listed = patterns.empty();
        for (std::string_view pattern : patterns) listed = listed || MatchesWildcard(e.name, pattern);
        if (listed) found(path, e);
    }
}

namespace {

// The catalog item a folder walk belongs to.
const CatalogItem& ItemOfWalk(FolderWalk walk) {
    for (const CatalogItem& item : kCatalogItems)
        if ((item.shape == ScanShape::FolderWalk || item.special == Special::RecycleBin) && item.walk == walk)
            return item;
    return kCatalogItems.front();  // not reached: every walk has its item
}

}  // namespace

bool WalkAccepts(FolderWalk walk, unsigned long attributes, const std::string& name) {
    if (name == "." || name == "..") return false;
    if (walk == FolderWalk::Recycled)
        return attributes < 101 && !EqualsIgnoreCase(name, "INFO2") && !EqualsIgnoreCase(name, "desktop.ini");
    // The word is compared as a whole: combinations not listed (33: read-only archive) are left alone.
    // No folder (16 to 20): no clean removes one (what it holds may be anyone's), and a row that
    // stays for good is noise; the jump-list folders of Recent have their own item.
    switch (attributes) {
    case 2: case 4: case 32: case 128: case 256: break;
    default: return false;
    }
    if (walk == FolderWalk::SendTo) {
        const std::string lower = AsciiLower(name);
        for (const char* hidden : {".desklink", ".mapimail", ".mydocs"})
            if (lower.find(hidden) != std::string::npos) return false;
    }
    return true;
}

void WalkFolder(FolderWalk walk, const std::string& folder, int& counter, const ScanContext& ctx) {
    if (folder.empty()) return;  // an empty shell folder value names no folder
    const CatalogItem& item = ItemOfWalk(walk);
    const RecordStamp stamp = StampOf(item);
    const bool byName = item.excludeBy == ExcludeBy::EntryName;  // Favorites: the bare name, and no size
    FolderWalker walker(folder);
    FolderEntry entry;
    while (!ctx.Aborted() && walker.Next(entry)) {
        ctx.Pump();
        if (!WalkAccepts(walk, entry.attributes, entry.name)) continue;
        std::string path;
        path.reserve(folder.size() + 1 + entry.name.size());
        path.append(folder).append(1, '\\').append(entry.name);
        if (IsFileExcluded(stamp.itemName, byName ? entry.name : path, ctx.exclusions)) continue;
        TResultContentItem& r = AddRecord(ctx.results, kKindFile, "File", stamp);
        r.ValueName = std::move(entry.name);  // the walker gives the next entry a name of its own
        // The listing already holds the file's size: no second look at the file.
        if (!byName) r.Size = entry.size;
        r.Location = std::move(path);
        ++counter;
        ctx.Count(counter, kCountSet);
    }
}

void ScanFolderFiles(const std::string& folder, int mode, const ScanContext& ctx) {
    int counter = 0;
    WalkFolder(mode == 0 ? FolderWalk::SendTo : FolderWalk::Recent, folder, counter, ctx);
}

void ScanFavoritesFolder(const std::string& folder, const ScanContext& ctx) {
    int counter = 0;
    WalkFolder(FolderWalk::Favorites, folder, counter, ctx);
}

void ScanRecycledFolder(const std::string& folder, int& counter, const ScanContext& ctx) {
    WalkFolder(FolderWalk::Recycled, folder, counter, ctx);
}

void RunSingleValueScanner(const CatalogItem& item, const ScanContext& ctx) {
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, std::string(item.key))) return;
    std::string text = key.ReadString(std::string(item.valueName));
    if (text.empty()) return;
    const std::string fullPath = HkcuPath(std::string(item.key));
    const RecordStamp stamp = StampOf(item);
    if (item.test != TestData::None &&
        IsRegExcluded(stamp.itemName, fullPath, std::string(item.valueName), text, ctx.exclusions))
        return;
    TResultContentItem& r = AddRecord(ctx.results, kKindRegValueText, "Reg", stamp);
    r.ValueName = std::string(item.valueName);
    r.ValueData = std::move(text);
    r.Location = fullPath;
    ctx.Count(1, kCountSet);
}

void RunMultiKeyScanner(const CatalogItem& item, int& counter, const ScanContext& ctx) {
    const RecordStamp stamp = StampOf(item);
    for (std::string_view key : item.Keys()) {
        if (ctx.Aborted()) break;
        const std::string path(key);
        RegKey k;
        if (!k.Open(HKEY_CURRENT_USER, path)) continue;
        const auto keepGoing = [&ctx] { return ctx.KeepGoing(); };
        if (item.test == TestData::None)
            ScanValueNamesNoExclude(ctx, stamp, item.kind, HkcuPath(path), k.ValueNames(keepGoing));
        else
            ScanValueList(ctx, stamp, counter, item.kind, HkcuPath(path), k.Values(keepGoing));
    }
}
