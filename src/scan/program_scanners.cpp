// Everyday programs' recent lists: Office's per account, Acrobat's numbered
// keys, the NUL-separated lists of an archiver, and the lists programs keep
// in their settings files (an INI file, an XML file, an editor's SQLite state).
#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/shell_values.h"
#include "platform/database.h"
#include "platform/database_snapshot.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "scan/database_reading.h"
#include "scan/scanners.h"
#include "scan/settings_lists.h"

namespace {

// Office writes "[F00000000][T01D9...][O00000000]*C:\path": the path follows the star.
std::string OfficeMruPath(const std::string& text) {
    const size_t star = text.find('*');
    return star == std::string::npos ? text : text.substr(star + 1);
}

// Acrobat names files device-independently ("/C/Users/ann/a.pdf"); shown as Windows writes them.
std::string AcrobatPath(std::string text) {
    if (text.size() >= 3 && text[0] == '/' && text[2] == '/' &&
        ((text[1] >= 'A' && text[1] <= 'Z') || (text[1] >= 'a' && text[1] <= 'z'))) {
        text = std::string(1, text[1]) + ":" + text.substr(2);
        for (char& c : text)
            if (c == '/') c = '\\';
    }
    return text;
}

// The key and the value of "key\value".
std::pair<std::string, std::string> KeyAndValue(std::string_view place) {
    const size_t cut = place.find_last_of('\\');
    return {std::string(place.substr(0, cut)), std::string(place.substr(cut + 1))};
}

class ListRecords {
public:
    ListRecords(const CatalogItem& item, const ScanContext& ctx) : item_(item), ctx_(ctx), stamp_(StampOf(item)) {}

    TResultContentItem& Add(int kind, const char* source, const std::string& location) {
        TResultContentItem& r = AddRecord(ctx_.results, kind, source, stamp_);
        r.Location = location;
        ctx_.Count(++counter_, kCountSet);
        return r;
    }
    bool ExcludedText(const std::string& location, const std::string& name, const std::string& text) const {
        return IsRegExcluded(stamp_.itemName, location, name, text, ctx_.exclusions);
    }
    bool ExcludedEntry(const std::string& text) const { return IsFileExcluded(stamp_.itemName, text, ctx_.exclusions); }

    const CatalogItem& item_;
    const ScanContext& ctx_;
    const RecordStamp stamp_;
    int counter_ = 0;
};

// The entries of one settings file, each text once; false when the file is
// there but its list could not be read (the reason in why).
bool EntriesOfFile(const std::string& path, SettingsFormat format, std::vector<std::string>& raw, StayReason& why) {
    constexpr int64_t kMost = 16 << 20;
    if (format == SettingsFormat::RecentlyOpened) {
        DatabaseSnapshot copy(path);
        Database db;
        if (!copy.Open(db)) {
            why = StayReasonOf(copy.Error() ? copy.Why() : db.Why());
            return false;
        }
        Database::Statement s(db, "SELECT value FROM ItemTable WHERE key = 'history.recentlyOpenedPathsList'");
        if (!s.Ok()) {
            why = StayReason::Unreadable;
            return false;
        }
        if (s.Step()) raw = RecentlyOpenedEntries(s.Text(0));
        else if (!s.Done()) {
            why = StayReasonOf(db.Why());
            return false;
        }
        return true;
    }
    std::string bytes;
    SettingsText text;
    if (FileSize64(path) > kMost || !ReadWholeFile(path, bytes) || !DecodeSettingsText(bytes, text)) {
        why = StayReason::Unreadable;
        return false;
    }
    raw = format == SettingsFormat::MediaRecents ? IniListEntries(text.utf8, "RecentsMRL", "list")
                                                 : XmlHistoryFiles(text.utf8);
    return true;
}

}  // namespace

void ScanOfficeMru(const CatalogItem& item, const ScanContext& ctx) {
    ListRecords out(item, ctx);
    for (std::string_view top : item.Keys()) {
        RegKey accounts;
        if (ctx.Aborted() || !accounts.Open(HKEY_CURRENT_USER, std::string(top))) continue;
        for (const std::string& account : accounts.SubkeyNames([&ctx] { return ctx.KeepGoing(); })) {
            const std::string path = std::string(top) + "\\" + account + "\\" + std::string(item.listName);
            RegKey list;
            if (!list.Open(HKEY_CURRENT_USER, path)) continue;
            const std::string fullPath = HkcuPath(path);
            for (const std::string& name : list.ValueNames([&ctx] { return ctx.KeepGoing(); })) {
                if (ctx.Aborted()) return;
                ctx.Pump();
                // "Item 1", "Item 2", ...; their "Item Metadata N" go with them.
                if (name.size() < 6 || name.compare(0, 5, "Item ") != 0 || !IsDigitName(name.substr(5))) continue;
                const std::string shown = OfficeMruPath(list.ReadString(name));
                if (out.ExcludedText(fullPath, name, shown)) continue;
                TResultContentItem& r = out.Add(item.kind, "Reg", fullPath);
                r.ValueName = name;
                r.ValueData = shown;
            }
        }
    }
}

void ScanAcrobatRecent(const CatalogItem& item, const ScanContext& ctx) {
    ListRecords out(item, ctx);
    for (std::string_view top : item.Keys()) {
        RegKey versions;
        if (ctx.Aborted() || !versions.Open(HKEY_CURRENT_USER, std::string(top))) continue;
        for (const std::string& version : versions.SubkeyNames([&ctx] { return ctx.KeepGoing(); }))
            for (const char* list : {"cRecentFiles", "cRecentFolders"}) {
                const std::string path = std::string(top) + "\\" + version + "\\AVGeneral\\" + list;
                RegKey entries;
                if (!entries.Open(HKEY_CURRENT_USER, path)) continue;
                const std::string fullPath = HkcuPath(path);
                for (const std::string& name : entries.SubkeyNames([&ctx] { return ctx.KeepGoing(); })) {
                    if (ctx.Aborted()) return;
                    ctx.Pump();
                    RegKey entry;
                    if (!entry.Open(HKEY_CURRENT_USER, path + "\\" + name)) continue;
                    // The path as text, or as the bytes of a device-independent path.
                    std::string text = entry.ReadString("tDIText");
                    if (text.empty() && entry.ReadBinary("sDI", text)) text = std::string(text.c_str());
                    const std::string shown = text.empty() ? name : AcrobatPath(text);
                    if (out.ExcludedText(fullPath, "", shown)) continue;
                    TResultContentItem& r = out.Add(item.kind, "Reg", fullPath);
                    r.KeyName = name;
                    r.ValueData = shown;
                }
            }
    }
}

void ScanValueLists(const CatalogItem& item, const ScanContext& ctx) {
    ListRecords out(item, ctx);
    for (std::string_view place : item.Keys()) {
        if (ctx.Aborted()) return;
        const auto [path, value] = KeyAndValue(place);
        RegKey key;
        std::string data;
        DWORD type = REG_NONE;
        if (!key.Open(HKEY_CURRENT_USER, path) || !key.ReadBinary(value, data, &type)) continue;
        std::vector<std::string> entries;
        if (type == REG_BINARY) entries = NulListEntries(data);
        else if (IsTextType(type)) entries.push_back(key.ReadString(value));
        std::set<std::string> listed;
        for (std::string& entry : entries) {
            if (TrimControl(entry).empty() || !listed.insert(entry).second || out.ExcludedEntry(entry)) continue;
            TResultContentItem& r = out.Add(item.kind, "Reg", HkcuPath(path));
            r.ValueName = std::move(entry);
            r.KeyName = value;
        }
    }
}

void ScanSettingsList(const CatalogItem& item, const ScanContext& ctx) {
    ListRecords out(item, ctx);
    for (const std::string& place : PlacesOf(item))
        for (std::string_view file : item.files) {
            if (ctx.Aborted()) return;
            const std::string path = place + "\\" + std::string(file);
            if (!FileExists(path) || IsLink(path)) continue;
            std::vector<std::string> raw;
            StayReason why = StayReason::None;
            if (!EntriesOfFile(path, item.settings, raw, why)) {
                // Said, never passed over: a list that could not be read is not a clean one.
                TResultContentItem& r = out.Add(item.kind, "File", path);
                r.ValueName = "(the recent list of " + path.substr(path.find_last_of('\\') + 1) + " could not be read)";
                r.Reason = why;
                continue;
            }
            std::set<std::string> listed;
            for (size_t i = 0; i < raw.size(); ++i) {
                const std::string shown = item.settings == SettingsFormat::MediaRecents ? MediaEntryText(raw[i]) : raw[i];
                if (shown.empty() || !listed.insert(raw[i]).second || out.ExcludedEntry(shown)) continue;
                TResultContentItem& r = out.Add(item.kind, "File", path);
                r.ValueName = shown;
                r.ValueData = raw[i];
                r.Line = static_cast<int64_t>(i);
            }
        }
}
