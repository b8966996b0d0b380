// The places of Windows 7 to 11: Explorer's numbered lists (the Open/Save
// dialogs' among them), the program launch counters, folders of files (jump
// lists, thumbnail caches, error reports, old temporary files), the recycle
// bin, the clipboard, the Remote Desktop client's computers and the shell's
// command history.
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shell_values.h"
#include "base/text.h"
#include "base/utf.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "scan/recycled_info.h"
#include "scan/scanners.h"
#include "scan/shell_items.h"

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

// What a numbered value shows: its text, or the path its shell items name.
std::string TextOfNumbered(MruData kind, DWORD type, const std::string& data) {
    if (type != REG_BINARY || kind == MruData::Text) return NumberedValueText(type, data);
    switch (kind) {
    case MruData::ShellItems: return DialogMruText(DialogList::OpenSave, data);
    case MruData::ProgramAndFolder: return DialogMruText(DialogList::LastVisited, data);
    default: return DialogMruText(DialogList::CidSize, data);
    }
}

// The numbered values of one key, most recent first as its MRUListEx orders
// them, then any it does not list (look-alikes such as "007" among them).
void ListNumberedValues(const CatalogItem& item, const std::string& path, MruData kind, const RecordStamp& stamp,
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
        key.ReadBinary(name, data, &type);
        std::string text = TextOfNumbered(kind, type, data);
        if (IsRegExcluded(stamp.itemName, fullPath, name, item.test == TestData::ListedName ? name : text,
                          ctx.exclusions))
            continue;
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "Reg", stamp);
        r.ValueName = name;
        r.ValueData = std::move(text);
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
    const NumberedKey one{item.key, MruData::Text, item.subkeysToo};
    const std::span<const NumberedKey> keys = item.numberedKeys.empty() ? std::span(&one, 1) : item.numberedKeys;
    int counter = 0;
    for (const NumberedKey& k : keys) {
        const std::string top(k.path);
        ListNumberedValues(item, top, k.data, stamp, ctx, counter);
        if (!k.subkeys) continue;
        RegKey key;
        if (!key.Open(HKEY_CURRENT_USER, top)) continue;
        for (const std::string& sub : key.SubkeyNames([&ctx] { return ctx.KeepGoing(); })) {
            if (ctx.Aborted()) return;
            if (!k.skip.empty() && EqualsIgnoreCase(sub, k.skip)) continue;
            ListNumberedValues(item, top + "\\" + sub, k.data, stamp, ctx, counter);
        }
    }
}

namespace {

// A launched program's path as Windows keeps it, with a known folder's GUID
// first ("{6D809377-...}\\app.exe"): shown with the folder's path instead.
std::string WithFolderPath(const std::string& name, std::map<std::string, std::string>& known) {
    if (name.size() < 38 || name[0] != '{' || name[37] != '}') return name;
    const std::string guid = name.substr(0, 38);
    auto it = known.find(guid);
    if (it == known.end()) it = known.emplace(guid, KnownFolderPath(guid)).first;
    return it->second.empty() ? name : it->second + name.substr(38);
}

}  // namespace

void ScanUserAssist(const CatalogItem& item, const ScanContext& ctx) {
    const RecordStamp stamp = StampOf(item);
    int counter = 0;
    std::map<std::string, std::string> known;  // folder GUID -> path, asked once each
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
            r.ValueData = WithFolderPath(shown, known);
            r.Location = fullPath;
            ++counter;
            ctx.Count(counter, kCountSet);
        }
    }
}

namespace {

// A record of the recycle bin is small; anything larger is no such record.
constexpr int64_t kMostInfoBytes = 64 << 10;

// One deleted item: its record "$I..." and its data "$R..." beside it.
void ListRecycled(const std::string& folder, const FolderEntry& e, const RecordStamp& stamp, const ScanContext& ctx,
                  int& counter) {
    const std::string path = folder + "\\" + e.name;
    std::string bytes;
    RecycledInfo info;
    const bool read = e.size <= kMostInfoBytes && !IsLink(path) && ReadWholeFile(path, bytes) &&
                      ParseRecycledInfo(bytes, info);
    // A record the bin cannot read is still one: it names its data by its own name.
    const std::string shown = read ? info.originalPath : "(a deleted item the bin cannot describe) $R" + e.name.substr(2);
    if (IsFileExcluded(stamp.itemName, shown, ctx.exclusions)) return;
    TResultContentItem& r = AddRecord(ctx.results, kKindRecycledItem, "File", stamp);
    r.ValueName = shown;
    r.Location = path;
    r.Size = read ? static_cast<int64_t>(info.size) : FileSize64(folder + "\\$R" + e.name.substr(2));
    ctx.Count(++counter, kCountSet);
}

// Whether the temporary folder is one whose old files may go: never a drive's
// root, the Windows folder, a folder of the user's own or the profile that holds them.
bool TempFolderMayBeCleaned(const std::string& folder) {
    if (folder.size() <= 3) return false;
    const std::string system = SystemDirectory();
    std::vector<std::string> kept{system, system.substr(0, system.find_last_of('\\'))};
    for (const char* shell : {"Personal", "Desktop", "AppData", "Local AppData", "My Pictures", "My Music", "My Video"})
        if (std::string place = ShellFolder(shell); !place.empty()) {
            if (std::string(shell) == "Desktop") kept.push_back(place.substr(0, place.find_last_of('\\')));
            kept.push_back(std::move(place));
        }
    for (const std::string& place : kept)
        if (EqualsIgnoreCase(folder, place)) return false;
    return true;
}

}  // namespace

void ScanRecycledItems(const CatalogItem& item, const ScanContext& ctx) {
    const std::string sid = CurrentUserSid();
    if (sid.empty()) return;
    const RecordStamp stamp = StampOf(item);
    int counter = 0;  // one count over all drives
    for (char letter = 'A'; letter <= 'Z' && !ctx.Aborted(); ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (DriveType(root) != DRIVE_FIXED) continue;
        const std::string folder = root + "$Recycle.Bin\\" + sid;
        if (IsLink(folder)) continue;  // a bin folder that leads elsewhere is not this user's bin
        FolderWalker walker(folder);
        FolderEntry e;
        while (!ctx.Aborted() && walker.Next(e)) {
            ctx.Pump();
            if (e.IsDir() || e.name.size() < 3 || (e.name.compare(0, 2, "$I") != 0 && e.name.compare(0, 2, "$i") != 0))
                continue;
            ListRecycled(folder, e, stamp, ctx, counter);
        }
    }
}

void ScanOldTempFiles(const CatalogItem& item, const ScanContext& ctx) {
    std::string folder = TempDirectory();
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (!TempFolderMayBeCleaned(folder) || IsLink(folder)) return;
    const uint64_t now = NowAsFileTime();
    const uint64_t age = static_cast<uint64_t>(item.olderThanHours) * 3600ull * 10000000ull;
    const RecordStamp stamp = StampOf(item);
    int counter = 0;
    ForEachFile(folder, item.recursive, item.patterns, ctx, [&](const std::string& path, const FolderEntry& e) {
        // Written in the last day, or stamped in the future: it may still be in use.
        if (e.writeTime > now || now - e.writeTime < age) return;
        if (IsFileExcluded(stamp.itemName, path, ctx.exclusions)) return;
        TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
        r.ValueName = e.name;
        r.Location = path;
        r.Size = e.size;
        ctx.Count(++counter, kCountSet);
    });
}

void ScanClipboard(const CatalogItem& item, const ScanContext& ctx) {
    const ClipboardContent content = ReadClipboard();
    if (content.formats <= 0) return;
    TResultContentItem& r = AddRecord(ctx.results, item.kind, "Clipboard", StampOf(item));
    r.ValueName = content.summary;
    r.Location = "Clipboard";
    ctx.Count(1, kCountSet);
}

void ScanRemoteDesktop(const CatalogItem& item, const ScanContext& ctx) {
    const RecordStamp stamp = StampOf(item);
    const std::string top(item.key);
    int counter = 0;
    // The recent computers: MRU0, MRU1, ... with a computer's name each.
    RegKey recent;
    if (recent.Open(HKEY_CURRENT_USER, top + "\\Default")) {
        const std::string fullPath = HkcuPath(top + "\\Default");
        for (const std::string& name : recent.ValueNames([&ctx] { return ctx.KeepGoing(); })) {
            if (ctx.Aborted()) return;
            if (name.size() < 4 || !EqualsIgnoreCase(name.substr(0, 3), "MRU") || !IsDigitName(name.substr(3))) continue;
            std::string computer;
            if (!recent.ReadText(name, computer) ||
                IsRegExcluded(stamp.itemName, fullPath, name, computer, ctx.exclusions))
                continue;
            TResultContentItem& r = AddRecord(ctx.results, kKindRegValueText, "Reg", stamp);
            r.ValueName = name;
            r.ValueData = std::move(computer);
            r.Location = fullPath;
            ctx.Count(++counter, kCountSet);
        }
    }
    // A key per computer, with the user name last used there.
    RegKey servers;
    if (!servers.Open(HKEY_CURRENT_USER, top + "\\Servers")) return;
    const std::string fullPath = HkcuPath(top + "\\Servers");
    for (const std::string& name : servers.SubkeyNames([&ctx] { return ctx.KeepGoing(); })) {
        if (ctx.Aborted()) return;
        if (IsRegExcluded(stamp.itemName, fullPath, "", name, ctx.exclusions)) continue;
        TResultContentItem& r = AddRecord(ctx.results, kKindRegKey, "Reg", stamp);
        r.KeyName = name;
        r.ValueData = name;
        r.Location = fullPath;
        ctx.Count(++counter, kCountSet);
    }
}

void ScanLinesOfFiles(const CatalogItem& item, const ScanContext& ctx) {
    constexpr int64_t kMost = 64 << 20;
    const RecordStamp stamp = StampOf(item);
    const unsigned codePage = SystemAnsiCodePage();
    int counter = 0;
    for (const std::string& place : PlacesOf(item))
        for (std::string_view folder : item.folders)
            ForEachFile(place + "\\" + std::string(folder), false, item.patterns, ctx,
                        [&](const std::string& path, const FolderEntry& e) {
                            std::string bytes;
                            if (e.size > kMost || IsLink(path) || !ReadWholeFile(path, bytes)) return;
                            const std::vector<std::string_view> lines = SplitLines(bytes);
                            for (size_t i = 0; i < lines.size() && !ctx.Aborted(); ++i) {
                                if (TrimControl(lines[i]).empty()) continue;
                                // The shell writes UTF-8; an older file may be in the code page.
                                std::string text = IsUtf8(lines[i], true) ? std::string(lines[i])
                                                                          : CodePageToUtf8(lines[i], codePage);
                                if (IsFileExcluded(stamp.itemName, text, ctx.exclusions)) continue;
                                TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
                                r.ValueName = std::move(text);
                                r.Location = path;
                                r.Line = static_cast<int64_t>(i);
                                // What the clean checks the line still begins with.
                                r.DetailFor(8) = UpperCaseText(CodePageToUtf8(lines[i], codePage));
                                ctx.Count(++counter, kCountSet);
                            }
                        });
}
