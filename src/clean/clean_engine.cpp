#include "clean/clean_engine.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "clean/database_rows.h"
#include "clean/profile_lines.h"
#include "clean/settings_entries.h"
#include "clean/wipe.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user_dialogs.h"
#include "model/result_items.h"
#include "model/shell_values.h"

int GaugePercent(int handled, int total) {
    if (total <= 0) return 0;
    const long long num = static_cast<long long>(handled) * 100;
    long long q = num / total;
    const long long twice = (num % total) * 2;
    if (twice > total || (twice == total && (q % 2) != 0)) ++q;
    return static_cast<int>(q);
}

namespace {

// Whether path is the key or file at place, or lies inside it.
bool Within(const std::string& path, const std::string& place) {
    return path == place || (path.size() > place.size() && path.compare(0, place.size(), place) == 0 &&
                             path[place.size()] == '\\');
}

// What one registry record stands for, as a clean removes it.
struct RegTrace {
    bool isValue = false;
    std::string key;    // full path of the key that holds the value, or of the key itself
    std::string value;  // the value's name
};

// What the catalog row of the record's item says a clean removes; for a
// record of no item (made by hand), what its Kind says.
Removal RemovalOf(const TResultContentItem& r) {
    if (r.Item && r.Item->removal == Removal::ByStore) {
        if (r.Store < 0 || static_cast<size_t>(r.Store) >= r.Item->stores.size()) return Removal::File;
        switch (r.Item->stores[static_cast<size_t>(r.Store)].kind) {
        case StoreKind::DatabaseRows: return Removal::DatabaseRow;
        case StoreKind::Files: return Removal::File;
        case StoreKind::Folder:
        case StoreKind::SiteFolders: return Removal::FolderTree;
        }
    }
    if (r.Item && r.Item->removal != Removal::ByKind) return r.Item->removal;
    switch (r.Kind) {
    case kKindRegKey: return Removal::OwnKey;
    case kKindRuleFolder: return Removal::EmptiedFolder;
    case kKindRefused: return Removal::Never;
    case kKindUrlCacheEntry:
    case kKindUrlCacheCookie: return Removal::UrlCacheEntry;
    case kKindFirefoxHistory:
    case kKindNetscapeHistory: return Removal::ProfileFile;
    case kKindFirefoxCookie:
    case kKindNetscapeCookie: return Removal::ProfileLines;
    default: return r.SourceType == "File" ? Removal::File : Removal::Value;
    }
}

RegTrace RegTraceOf(const TResultContentItem& r) {
    switch (RemovalOf(r)) {
    case Removal::ValueNamedInKeyName: return {true, r.Location, r.KeyName};
    case Removal::ValueNamedInValueName: return {true, r.Location, r.ValueName};
    case Removal::SubkeyNamedInKeyName:
    case Removal::OwnSubkey: return {false, r.Location + "\\" + r.KeyName, {}};
    case Removal::OwnSubkeyOrValue:
        if (!r.KeyName.empty()) return {false, r.Location + "\\" + r.KeyName, {}};
        return {true, r.Location, r.ValueName};
    case Removal::OwnKey: return {false, r.Location, {}};  // the key itself is the trace
    default: return {true, r.Location, r.ValueName};
    }
}

// Whether the record's key holds several traces and may go whole: its rows
// name values or subkeys of the listed key, or the key is the trace itself.
bool ListedKey(const TResultContentItem& r) {
    const Removal how = RemovalOf(r);
    return how == Removal::ValueNamedInKeyName || how == Removal::ValueNamedInValueName ||
           how == Removal::SubkeyNamedInKeyName || how == Removal::OwnKey;
}

// The key of the last value record stays open for the next one, as long as
// the records name the same key.
class KeyCache {
public:
    RegKey* Open(const std::string& fullPath) {
        if (open_ && fullPath == path_) return &key_;
        path_ = fullPath;
        open_ = key_.OpenForWrite(RegistryPath::Parse(fullPath));
        return open_ ? &key_ : nullptr;
    }
    SystemError Error() const { return key_.Error(); }
    void Close() {
        key_.Close();
        open_ = false;
        path_.clear();
    }

private:
    RegKey key_;
    std::string path_;
    bool open_ = false;
};

bool KeyThere(const std::string& fullPath) { return RegKeyExists(RegistryPath::Parse(fullPath)); }

class Cleaner {
public:
    Cleaner(TResultContents& results, CleanProgress& progress) : results_(results), progress_(progress) {}

    void Run() {
        handled_.assign(static_cast<size_t>(results_.Count()), false);
        for (int i = 0; i < results_.Count(); ++i) {
            const TResultContentItem& r = std::as_const(results_).Item(i);
            if (!r.Checked || r.Deleted || handled_[static_cast<size_t>(i)]) continue;
            if (progress_.onStep) progress_.onStep(r.ValueName);
            StayReason why = StayReason::Failed;
            if (RemovalOf(r) == Removal::Never) {
                why = StayReason::Protected;
            } else if (RemovalOf(r) == Removal::EmptiedFolder) {
                emptied_.push_back(i);  // once every file of the run is gone
                continue;
            } else if (RemovalOf(r) == Removal::Clipboard) {
                SystemError err = 0;
                why = EmptyTheClipboard(&err) ? StayReason::None : StayReason::InUse;
            } else if (r.SourceType == "Reg") {
                why = RemovalOf(r) == Removal::ListEntry ? RemoveListEntries(i) : RemoveRegistryTrace(i);
            } else if (r.SourceType == "File") {
                switch (RemovalOf(r)) {
                case Removal::UrlCacheEntry:
                    why = DeleteUrlCacheEntryByUrl(r.ValueName) ? StayReason::None : StayReason::Failed;
                    break;
                case Removal::ProfileLines:
                case Removal::ProfileFile: why = RemoveProfileEntry(i); break;
                case Removal::DatabaseRow: why = RemoveDatabaseEntries(i); break;
                case Removal::FolderTree: why = WipeFolderTree(r.Location, 2); break;
                case Removal::SettingsEntry: why = RemoveListEntries(i); break;
                case Removal::RecycledItem: why = RemoveRecycledItem(r.Location); break;
                default: why = RemoveFile(r.Location); break;
                }
            }
            if (why == StayReason::None) MarkRemoved(i);
            else if (!std::as_const(results_).Item(i).Deleted) results_.Item(i).Reason = why;
        }
        keys_.Close();
        FinishMruLists();
        CloseUpNumbers();
        RemoveEmptiedFolders();
    }

private:
    void MarkRemoved(int i) {
        if (std::as_const(results_).Item(i).Deleted) return;
        TResultContentItem& r = results_.Item(i);
        r.Deleted = 1;
        r.Reason = StayReason::None;
        if (!r.Checked) return;
        ++progress_.handled;
        if (progress_.onGauge) progress_.onGauge(GaugePercent(progress_.handled, progress_.total));
    }

    // A key or file goes as a whole only when every trace found in it is
    // ticked and no exclusion covers anything in it; else only the ticked
    // traces' own values, subkeys or lines go.
    bool WholeAllowed(const std::string& place) const {
        for (int i = 0; i < results_.Count(); ++i) {
            const TResultContentItem& r = std::as_const(results_).Item(i);
            if (r.Checked || r.Deleted) continue;
            if (Within(r.Location, place)) return false;
            if (r.SourceType == "Reg" && Within(RegTraceOf(r).key, place)) return false;
        }
        if (const TExcludeContents* list = progress_.exclusions)
            for (int i = 0; i < list->Count(); ++i)
                if (Within(list->Item(i).Location, place)) return false;
        return true;
    }

    // Every record whose trace lay inside a key that is now gone went with it.
    void MarkGoneWith(const std::string& key) {
        for (int i = 0; i < results_.Count(); ++i) {
            const TResultContentItem& r = std::as_const(results_).Item(i);
            if (r.SourceType == "Reg" && !r.Deleted && Within(RegTraceOf(r).key, key)) MarkRemoved(i);
        }
    }

    StayReason DeleteKeyTree(const std::string& key) {
        keys_.Close();  // it may be the key held open
        SystemError err = 0;
        if (RegDeleteKeyTree(RegistryPath::Parse(key), &err)) {
            progress_.keysDeleted.insert(key);
            MarkGoneWith(key);
            return StayReason::None;
        }
        return GoneWithAKey(key) ? StayReason::None : StayReasonOfError(err);
    }

    // Gone because this run deleted a key that held it.
    bool GoneWithAKey(const std::string& key) const {
        for (const std::string& deleted : progress_.keysDeleted)
            if (Within(key, deleted)) return !KeyThere(key);
        return false;
    }

    StayReason RemoveRegistryTrace(int i) {
        const TResultContentItem& r = std::as_const(results_).Item(i);
        const RegTrace t = RegTraceOf(r);
        if (ListedKey(r) && WholeAllowed(r.Location)) return DeleteKeyTree(r.Location);
        if (!t.isValue) {
            if (!WholeAllowed(t.key)) return StayReason::HoldsKeptTraces;
            return DeleteKeyTree(t.key);
        }
        if (GoneWithAKey(t.key)) return StayReason::None;
        RegKey* key = keys_.Open(t.key);
        if (!key) return StayReasonOfError(keys_.Error());
        if (!key->DeleteValue(t.value)) return StayReasonOfError(key->Error());
        uint32_t number = 0;
        const Removal how = RemovalOf(r);
        if (how == Removal::NumberedMruValue && IsNumberedName(t.value, &number)) mruDrops_[t.key].insert(number);
        if (how == Removal::RenumberedValue) renumber_.insert(t.key);
        // Office describes "Item 3" in "Item Metadata 3": it goes along, when there is one.
        if (how == Removal::ValueWithMetadata && t.value.rfind("Item ", 0) == 0)
            key->DeleteValue("Item Metadata " + t.value.substr(5));
        return StayReason::None;
    }

    // The folders that go once the run has emptied them, the deepest first; one
    // that still holds what the run kept says so.
    void RemoveEmptiedFolders() {
        std::stable_sort(emptied_.begin(), emptied_.end(), [this](int a, int b) {
            return std::as_const(results_).Item(a).Location.size() > std::as_const(results_).Item(b).Location.size();
        });
        for (int i : emptied_) {
            const std::string folder = std::as_const(results_).Item(i).Location;
            StayReason why = RemoveEmptyFolderTree(folder);
            // What is left in it was kept: by the rule, the user, or a file of the run that said why it stayed.
            if (why == StayReason::NotEmpty) why = StayReason::HoldsKeptTraces;
            if (why == StayReason::None) MarkRemoved(i);
            else results_.Item(i).Reason = why;
        }
        emptied_.clear();
    }

    // A list that numbers its values 0, 1, 2, ... and reads them until the
    // first gap: once the run is done, the values left keep their order and
    // close up from 0, each moved to the lowest free number.
    void CloseUpNumbers() {
        for (const std::string& path : renumber_) {
            RegKey key;
            if (!key.OpenForWrite(RegistryPath::Parse(path))) continue;
            std::map<uint32_t, std::string> numbered;
            for (const std::string& name : key.ValueNames()) {
                uint32_t n = 0;
                if (IsNumberedName(name, &n)) numbered.emplace(n, name);
            }
            uint32_t next = 0;
            for (const auto& [n, name] : numbered) {
                const uint32_t to = next++;
                if (n == to) continue;
                std::string data;
                DWORD type = REG_NONE;
                // Written under its new number before the old one goes: a failure loses nothing.
                if (!key.ReadBinary(name, data, &type) || !key.WriteBinary(std::to_string(to), data, type)) break;
                key.DeleteValue(name);
            }
        }
        renumber_.clear();
    }

    // All the ticked entries of one list (a settings file, a database's
    // list, a registry value) in one rewrite; a notice (no entry read) stays
    // with the reason the scan gave.
    StayReason RemoveListEntries(int i) {
        const TResultContentItem& first = std::as_const(results_).Item(i);
        if (first.Line < 0 && first.SourceType == "File") {
            handled_[static_cast<size_t>(i)] = true;
            return first.Reason == StayReason::None ? StayReason::Unreadable : first.Reason;
        }
        const std::string location = first.Location, list = first.KeyName;
        const CatalogItem* item = first.Item;
        std::vector<std::string> entries;
        std::vector<int> records;
        for (int j = i; j < results_.Count(); ++j) {
            const TResultContentItem& r = std::as_const(results_).Item(j);
            if (!r.Checked || r.Deleted || r.Item != item || r.Location != location || r.KeyName != list) continue;
            if (r.SourceType == "File" && r.Line < 0) continue;
            handled_[static_cast<size_t>(j)] = true;
            // A settings file's entry goes by the text the file holds (ValueData), a value's by what it shows.
            entries.push_back(r.SourceType == "File" ? r.ValueData : r.ValueName);
            records.push_back(j);
        }
        const std::vector<StayReason> outcome =
            first.SourceType == "File" ? RemoveSettingsEntries(location, item ? item->settings : SettingsFormat::None, entries)
                                       : RemoveValueListEntries(location, list, entries);
        for (size_t k = 0; k < records.size(); ++k) {
            const StayReason why = k < outcome.size() ? outcome[k] : StayReason::Failed;
            if (why == StayReason::None) MarkRemoved(records[k]);
            else results_.Item(records[k]).Reason = why;
        }
        return outcome.empty() ? StayReason::Failed : outcome.front();
    }

    // Explorer's MRUListEx orders the numbered values: once the run is done,
    // each key's list loses the numbers of the values this run removed, in one
    // rewrite, and goes with the last numbered value. A look-alike name ("007")
    // holds no number and never touches the list.
    void FinishMruLists() {
        for (const auto& [path, numbers] : mruDrops_) {
            RegKey key;
            std::string list;
            if (!key.OpenForWrite(RegistryPath::Parse(path)) || !key.ReadBinary("MRUListEx", list)) continue;
            bool numbered = false;
            for (const std::string& name : key.ValueNames()) numbered = numbered || IsNumberedName(name);
            if (!numbered) key.DeleteValue("MRUListEx");
            else if (const std::string kept = MruListWithout(list, numbers); kept != list) key.WriteBinary("MRUListEx", kept);
        }
        mruDrops_.clear();
    }

    // Two passes, then gone; a folder among a walk's entries is never removed.
    static StayReason RemoveFile(const std::string& path) {
        const WipeOutcome out = WipeAndDelete(path, 2);
        return out.gone ? StayReason::None : out.why;
    }

    // A browser's history or cookie file: whole when every trace in it is
    // ticked; otherwise a cookie file loses exactly its ticked lines, and a
    // history file, which cannot be edited safely, stays.
    StayReason RemoveProfileEntry(int i) {
        const std::string file = std::as_const(results_).Item(i).Location;
        // A command history holds lines the scan skipped (blank or excluded ones): it only ever loses lines.
        const CatalogItem* item = std::as_const(results_).Item(i).Item;
        const bool linesOnly = item && item->special == Special::LinesOfFiles;
        if (!linesOnly && WholeAllowed(file)) {
            const StayReason why = RemoveFile(file);
            for (int j = 0; j < results_.Count(); ++j) {
                const TResultContentItem& r = std::as_const(results_).Item(j);
                if (r.Location != file) continue;
                if (why == StayReason::None) MarkRemoved(j);
                else if (r.Checked && !r.Deleted) results_.Item(j).Reason = why;
                handled_[static_cast<size_t>(j)] = true;  // the file is one trace: tried once
            }
            return why;
        }
        const int kind = std::as_const(results_).Item(i).Kind;
        if (RemovalOf(std::as_const(results_).Item(i)) != Removal::ProfileLines) return StayReason::KeptWithItsFile;
        // All the ticked lines of this file in one rewrite.
        std::vector<LineToRemove> lines;
        std::vector<int> records;
        for (int j = i; j < results_.Count(); ++j) {
            const TResultContentItem& r = std::as_const(results_).Item(j);
            if (!r.Checked || r.Deleted || r.Location != file || r.Kind != kind) continue;
            const std::string& cut = kind == kKindFirefoxCookie ? r.DetailAt(5) : r.DetailAt(8);
            lines.push_back({r.Line, cut.compare(0, 2, "\r\n") == 0 ? cut.substr(2) : cut});
            records.push_back(j);
            handled_[static_cast<size_t>(j)] = true;
        }
        const StayReason why = RemoveLinesFromFile(file, lines);
        for (int j : records) {
            if (why == StayReason::None) MarkRemoved(j);
            else results_.Item(j).Reason = why;
        }
        return why;
    }

    // All the ticked rows of one database in one transaction: all go or none.
    // A notice (a row with no row id) names what the scan could not read: it
    // stays, with the reason the scan gave.
    StayReason RemoveDatabaseEntries(int i) {
        const TResultContentItem& first = std::as_const(results_).Item(i);
        const CatalogItem* item = first.Item;
        if (!item || first.Store < 0 || static_cast<size_t>(first.Store) >= item->stores.size()) return StayReason::Failed;
        const std::string file = first.Location;
        const int store = first.Store;
        const BrowserDatabase database = item->stores[static_cast<size_t>(store)].database;
        const bool cookies = item->kind == kKindCookieRow;
        std::vector<FoundRow> rows;
        std::vector<int> records;
        for (int j = i; j < results_.Count(); ++j) {
            const TResultContentItem& r = std::as_const(results_).Item(j);
            if (!r.Checked || r.Deleted || r.Location != file || r.Item != item || r.Store != store) continue;
            handled_[static_cast<size_t>(j)] = true;
            if (r.Line < 0) continue;
            if (cookies) rows.push_back({r.Line, {}, r.ValueData, r.KeyName, r.DetailAt(4)});
            else rows.push_back({r.Line, r.ValueName, {}, {}, {}});
            records.push_back(j);
        }
        std::vector<StayReason> outcome = RemoveDatabaseRows(file, database, rows);
        if (store == 0) RemoveFromTheOtherStores(*item, file, rows, outcome);
        for (size_t k = 0; k < records.size(); ++k) {
            if (outcome[k] == StayReason::None) MarkRemoved(records[k]);
            else results_.Item(records[k]).Reason = outcome[k];
        }
        return first.Line < 0 ? first.Reason : outcome.empty() ? StayReason::None : outcome.front();
    }

    // The addresses the first store of a profile lost leave the stores keyed
    // by them too, and the files the browser rebuilds from it go; a page
    // another store of its could not lose stays, with that store's reason.
    static void RemoveFromTheOtherStores(const CatalogItem& item, const std::string& file,
                                         const std::vector<FoundRow>& rows, std::vector<StayReason>& outcome) {
        std::vector<std::string> gone;
        for (size_t k = 0; k < rows.size(); ++k)
            if (outcome[k] == StayReason::None) gone.push_back(rows[k].url);
        if (gone.empty()) return;
        const std::string profile = ProfileOfStoreFile(item.stores[0], file);
        if (profile.empty()) return;
        for (size_t s = 1; s < item.stores.size(); ++s) {
            const ProfileStore& other = item.stores[s];
            if (!other.pagesOfFirst) continue;
            for (std::string_view rel : other.paths) {
                const StayReason why = RemoveDatabaseNames(profile + "\\" + std::string(rel), other.database, gone);
                if (why == StayReason::None) continue;
                for (StayReason& each : outcome)
                    if (each == StayReason::None) each = why;
            }
        }
        for (std::string_view rebuilt : item.rebuiltFiles) {
            const std::string path = profile + "\\" + std::string(rebuilt);
            if (FileExists(path)) WipeAndDelete(path, 2);
        }
    }

    // The profile folder a store's file lies in, from the store's own paths; empty when it matches none.
    static std::string ProfileOfStoreFile(const ProfileStore& store, const std::string& file) {
        for (std::string_view rel : store.paths) {
            const std::string tail = "\\" + std::string(rel);
            if (file.size() > tail.size() && file.compare(file.size() - tail.size(), tail.size(), tail) == 0)
                return file.substr(0, file.size() - tail.size());
        }
        return {};
    }

    TResultContents& results_;
    CleanProgress& progress_;
    KeyCache keys_;
    std::vector<bool> handled_;  // records whose outcome one run for their whole file already gave
    std::map<std::string, std::set<uint32_t>> mruDrops_;  // per key, the list numbers of the values removed
    std::set<std::string> renumber_;                      // keys whose numbered values close up after the run
    std::vector<int> emptied_;                            // records of folders that go once empty
};

}  // namespace

void CleanEvidences(TResultContents& results, CleanProgress& progress) { Cleaner(results, progress).Run(); }

bool RecycleBinTicked(const TResultContents& results) {
    for (int i = 0; i < results.Count(); ++i) {
        const TResultContentItem& r = results.Item(i);
        if (r.Checked && r.Item && r.Item->special == Special::RecycleBin) return true;
    }
    return false;
}

void EmptyRecycleBin(HWND owner, const std::string& caption) {
    if (EmptyRecycleBins(owner) == RecycleBinEmptied::NoShellLibrary)
        Dialogs().Message(owner, "Failed to load Shell32.dll.", caption, MB_ICONERROR | MB_OK);
}

namespace {

// Emptying the whole bin would take what the user keeps in it: a deleted
// item left unticked or excluded for good.
bool BinKeepsItems(const ScanSession& session) {
    const CatalogItem* own = nullptr;
    for (const CatalogItem& item : kCatalogItems)
        if (item.special == Special::RecycledItems) own = &item;
    if (!own) return false;
    for (int i = 0; i < session.ExcludeList.Count(); ++i)
        if (session.ExcludeList.Item(i).ItemName == own->RecordItemName()) return true;
    const TResultContents& results = *session.ResultsOf(own->category);
    for (int i = 0; i < results.Count(); ++i)
        if (results.Item(i).Item == own && !results.Item(i).Checked) return true;
    return false;
}

}  // namespace

void RunClean(ScanSession& session, const CleanRunView& view) {
    CleanProgress progress;
    progress.total = CountChecked(session);
    progress.exclusions = &session.ExcludeList;
    progress.onStep = view.onStep;
    progress.onGauge = view.onGauge;
    for (int c = 0; c < kCategoryCount; ++c) {
        TResultContents& results = *session.ResultsOf(c);
        if (results.Count() == 0) continue;
        CleanEvidences(results, progress);
        // The bin is emptied only when the scan found it and it is ticked.
        if (RecycleBinTicked(results) && !BinKeepsItems(session)) EmptyRecycleBin(view.owner, view.caption);
    }
}
