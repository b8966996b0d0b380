#include "scan/scan_conventions.h"

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shared_state.h"
#include "model/text.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/registry.h"

HKEY GetRootKey(const std::string& name) {
    if (name == "HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
    if (name == "HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    if (name == "HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    if (name == "HKEY_USERS") return HKEY_USERS;
    if (name == "HKEY_CURRENT_CONFIG") return HKEY_CURRENT_CONFIG;
    return nullptr;
}

KeyPathParts SplitKeyPath(const std::string& fullPath) {
    const size_t slash = fullPath.find('\\');
    if (slash == std::string::npos) return {};
    return {fullPath.substr(0, slash), fullPath.substr(slash + 1)};
}

std::string HkcuPath(const std::string& path) { return std::string(kHkcuName) + "\\" + path; }

std::string ReadRegString(const std::string& fullPath, const std::string& valueName) {
    const KeyPathParts parts = SplitKeyPath(fullPath);
    RegKey key;
    if (!key.Open(GetRootKey(parts.rootName), parts.path)) return {};
    return key.ReadString(valueName);
}

bool ScanAborted() { return AbortRequested(); }

bool KeepScanning() {
    ProcessMessages();
    return !ScanAborted();
}

TResultContentItem& AddRecord(TResultContents& results, int kind, const char* sourceType, const RecordStamp& stamp) {
    TResultContentItem& r = results.Item(results.AddNew());
    r.Checked = 1;
    r.Kind = kind;
    r.SourceType = sourceType;
    r.Group = stamp.group;
    r.CleanName = stamp.cleanName;
    r.ItemName = stamp.itemName;
    return r;
}

void ScanValueNames(const RecordStamp& stamp, int& counter, int kind, const std::string& fullPath,
                    const std::vector<std::string>& names, TResultContents& results, int mode, int node,
                    TreeModel& tree) {
    // The values are read from the record's full key path. The key is opened
    // once for the list rather than once per value: the same texts, a third of
    // the registry round trips.
    const KeyPathParts parts = SplitKeyPath(fullPath);
    RegKey key;
    key.Open(GetRootKey(parts.rootName), parts.path);
    std::string data;
    for (const std::string& name : names) {
        if (ScanAborted()) break;
        ProcessMessages();
        key.ReadText(name, data);
        if (IsRegExcluded(stamp.itemName, fullPath, name, data, ExcludeList)) continue;
        TResultContentItem& r = AddRecord(results, kind, "Reg", stamp);
        r.ValueName = name;
        if (kind != kKindRegValue) r.ValueData = data;
        r.Location = fullPath;
        ++counter;
        UpdateFoundCount(tree, node, counter, mode);
    }
}

void ScanValueNamesNoExclude(const RecordStamp& stamp, int kind, const std::string& fullPath,
                             const std::vector<std::string>& names, TResultContents& results, int node,
                             TreeModel& tree) {
    const KeyPathParts parts = SplitKeyPath(fullPath);
    RegKey key;
    key.Open(GetRootKey(parts.rootName), parts.path);
    for (const std::string& name : names) {
        if (ScanAborted()) break;
        ProcessMessages();
        TResultContentItem& r = AddRecord(results, kind, "Reg", stamp);
        r.ValueName = name;
        if (kind != kKindRegValue) key.ReadText(name, r.ValueData);
        r.Location = fullPath;
        UpdateFoundCount(tree, node, 1, kCountAdd);
    }
}

void RunListScanner(const ListScannerRow& row, TreeModel& tree, int node, TResultContents& results) {
    using Row = ListScannerRow;
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, row.keyPath)) return;
    const std::vector<std::string> names =
        row.lists == Row::Lists::Values ? key.ValueNames(KeepScanning) : key.SubkeyNames(KeepScanning);
    if (names.empty()) return;
    const std::string fullPath = HkcuPath(row.keyPath);
    const RecordStamp stamp{row.group, row.cleanName, row.itemName};
    static const std::string kEmpty;
    std::string data, subkeyPath;
    int running = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (ScanAborted()) break;
        ProcessMessages();
        const std::string& name = names[i];
        if (row.keepData || row.plainTextOnly) {
            DWORD type = REG_NONE;
            key.ReadText(name, data, &type);
            if (row.plainTextOnly && type != REG_SZ) continue;
        }
        const std::string* location = &fullPath;
        if (row.locationPerSubkey) {
            subkeyPath = fullPath + "\\" + name;
            location = &subkeyPath;
        }
        const std::string& testData = row.test == Row::TestData::ValueText ? data
                                      : row.test == Row::TestData::Name    ? name
                                                                           : kEmpty;
        if (row.test != Row::TestData::None && IsRegExcluded(row.itemName, *location, name, testData, ExcludeList))
            continue;
        TResultContentItem& r = AddRecord(results, row.kind, "Reg", stamp);
        (row.nameInto == Row::NameInto::ValueName ? r.ValueName : r.KeyName) = name;
        if (row.keepData) r.ValueData = data;
        r.Location = *location;
        ++running;
        UpdateFoundCount(tree, node, row.count == Row::Count::Position ? static_cast<int>(i) + 1 : running,
                         kCountSet);
    }
}

namespace {

struct WalkInfo {
    RecordStamp stamp;
    bool measure;
};

const WalkInfo& InfoOf(FolderWalk walk) {
    static const WalkInfo kSendTo{{"Microsoft Windows", "Clean Windows Send To", "Windows Send To"}, true};
    static const WalkInfo kRecent{{"Microsoft Windows", "Clean Windows Recent Documents Files", "Recent Files"},
                                  true};
    static const WalkInfo kFavorites{{"Favorites", "Clean Favorites", "Favorites"}, false};
    static const WalkInfo kRecycled{{"Microsoft Windows", "Clean RecycleBin", "RecycleBin"}, true};
    switch (walk) {
    case FolderWalk::SendTo: return kSendTo;
    case FolderWalk::Recent: return kRecent;
    case FolderWalk::Favorites: return kFavorites;
    default: return kRecycled;
    }
}

}  // namespace

bool WalkAccepts(FolderWalk walk, DWORD attributes, const std::string& name) {
    if (name == "." || name == "..") return false;
    if (walk == FolderWalk::Recycled)
        return attributes < 101 && !EqualsIgnoreCase(name, "INFO2") && !EqualsIgnoreCase(name, "desktop.ini");
    // The word is compared as a whole: combinations not listed (33: read-only archive) are left alone.
    switch (attributes) {
    case 2: case 4: case 16: case 17: case 18: case 19: case 20: case 32: case 128: case 256: break;
    default: return false;
    }
    if (walk == FolderWalk::SendTo) {
        const std::string lower = AsciiLower(name);
        for (const char* hidden : {".desklink", ".mapimail", ".mydocs"})
            if (lower.find(hidden) != std::string::npos) return false;
    }
    return true;
}

void WalkFolder(FolderWalk walk, const std::string& folder, int& counter, TreeModel& tree, int node,
                TResultContents& results) {
    if (folder.empty()) return;  // an empty shell folder value names no folder
    const WalkInfo& info = InfoOf(walk);
    FolderWalker walker(folder);
    FolderEntry entry;
    while (!ScanAborted() && walker.Next(entry)) {
        ProcessMessages();
        if (!WalkAccepts(walk, entry.attributes, entry.name)) continue;
        std::string path = folder + "\\" + entry.name;
        const std::string& tested = walk == FolderWalk::Favorites ? entry.name : path;
        if (IsFileExcluded(info.stamp.itemName, tested, ExcludeList)) continue;
        TResultContentItem& r = AddRecord(results, kKindFile, "File", info.stamp);
        r.ValueName = entry.name;
        // The listing already holds the file's size: no second look at the file.
        if (info.measure) r.Size = entry.size;
        r.Location = std::move(path);
        ++counter;
        UpdateFoundCount(tree, node, counter, kCountSet);
    }
}

void ScanFolderFiles(const std::string& folder, int mode, TreeModel& tree, int node, TResultContents& results) {
    int counter = 0;
    WalkFolder(mode == 0 ? FolderWalk::SendTo : FolderWalk::Recent, folder, counter, tree, node, results);
}

void ScanFavoritesFolder(const std::string& folder, TreeModel& tree, int node, TResultContents& results) {
    int counter = 0;
    WalkFolder(FolderWalk::Favorites, folder, counter, tree, node, results);
}

void ScanRecycledFolder(const std::string& folder, int& counter, TreeModel& tree, int node,
                        TResultContents& results) {
    WalkFolder(FolderWalk::Recycled, folder, counter, tree, node, results);
}

void RunSingleValueScanner(const SingleValueRow& row, TreeModel& tree, int node, TResultContents& results) {
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, row.keyPath)) return;
    std::string text = key.ReadString(row.valueName);
    if (text.empty()) return;
    const std::string fullPath = HkcuPath(row.keyPath);
    if (row.testExclusions && IsRegExcluded(row.itemName, fullPath, row.testName, text, ExcludeList)) return;
    TResultContentItem& r = AddRecord(results, kKindRegValueText, "Reg", {row.group, row.cleanName, row.itemName});
    r.ValueName = row.valueName;
    r.ValueData = std::move(text);
    r.Location = fullPath;
    UpdateFoundCount(tree, node, 1, kCountSet);
}

void RunMultiKeyScanner(const MultiKeyRow& row, int& counter, TreeModel& tree, int node, TResultContents& results) {
    const RecordStamp stamp{row.group, row.cleanName, row.itemName};
    for (const std::string& path : row.keyPaths) {
        if (ScanAborted()) break;
        std::vector<std::string> names;
        {
            RegKey key;
            if (!key.Open(HKEY_CURRENT_USER, path)) continue;
            names = key.ValueNames(KeepScanning);
        }
        ScanValueNames(stamp, counter, kKindRegValueText, HkcuPath(path), names, results, kCountSet, node, tree);
    }
}
