#include "scan/community_scanner.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>

#include "base/text.h"
#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scanners.h"

namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    if (path.size() == 3 && path[1] == ':') return path;  // a drive's root keeps its backslash
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

std::string ParentOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}

// What a rule's row shows: the name first (the list is narrow), then where it is.
std::string Shown(const std::string& name, const std::string& place) { return name + " (" + place + ")"; }

bool HasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

// Whether path is place or lies inside it, in any letter case.
bool WithinPlace(const std::string& path, const std::string& place) {
    if (path.size() < place.size() || !EqualsIgnoreCase(std::string_view(path).substr(0, place.size()), place))
        return false;
    return path.size() == place.size() || place.ends_with('\\') || path[place.size()] == '\\';
}

// Names compared as the file system and the registry compare them (ASCII
// letters in either case), hashed alike, looked up without copying.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const {
        size_t h = 14695981039346656037ull;
        for (char c : s) h = (h ^ static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 32 : c)) * 1099511628211ull;
        return h;
    }
};
struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            const char x = a[i] >= 'A' && a[i] <= 'Z' ? a[i] + 32 : a[i], y = b[i] >= 'A' && b[i] <= 'Z' ? b[i] + 32 : b[i];
            if (x != y) return false;
        }
        return true;
    }
};
template <class T>
using ByName = std::unordered_map<std::string, T, NameHash, NameEqual>;

// Folder listings and registry subkey listings asked for again and again by
// the rules (most rules look below the same few folders and keys): each is
// listed once.
struct Listing {
    std::vector<FolderEntry> entries;  // a folder's entries; a key's subkeys by name only
    std::vector<std::string> lower;    // each name in lower case, for the wildcards
    ByName<size_t> at;                 // name: its index
};

class FolderCache {
public:
    const Listing& Folder(std::string_view folder) {
        if (const auto it = folders_.find(folder); it != folders_.end()) return it->second;
        Listing& l = folders_[std::string(folder)];
        FolderWalker walker{std::string(folder)};
        FolderEntry e;
        while (walker.Next(e))
            if (!e.IsDots()) {
                Add(l, e.name);
                l.entries.push_back(e);
            }
        return l;
    }
    // A key's subkeys by full path ("HKEY_CURRENT_USER\Software").
    const Listing& Key(std::string_view key) {
        if (const auto it = keys_.find(key); it != keys_.end()) return it->second;
        Listing& l = keys_[std::string(key)];
        RegKey k;
        // A root alone ("HKEY_CURRENT_USER") is parsed with an empty path below it.
        const std::string path(key);
        if (k.Open(RegistryPath::Parse(path.find('\\') == std::string::npos ? path + "\\" : path)))
            for (const std::string& name : k.SubkeyNames()) Add(l, name);
        return l;
    }

private:
    static void Add(Listing& l, const std::string& name) {
        l.lower.push_back(AsciiLower(name));
        l.at.emplace(name, l.lower.size() - 1);
    }
    ByName<Listing> folders_, keys_;
};

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t at; (at = path.find('\\', start)) != std::string_view::npos; start = at + 1)
        parts.push_back(path.substr(start, at - start));
    parts.push_back(path.substr(start));
    return parts;
}

// Every path there is that a path with wildcards in any part stands for; a
// part matched by a wildcard is never a link, and only the last may be a file.
// With a cache, every folder on the way is listed once and asked from memory
// (thousands of detections share a few folders); without, a part without
// wildcards is one question to the system.
std::vector<std::string> Resolve(const std::string& path, FolderCache* cache, bool foldersOnly) {
    const std::vector<std::string_view> parts = SplitPath(path);
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':') return {};  // only absolute paths
    std::vector<std::string> found{std::string(parts[0]) + "\\"};
    for (size_t k = 1; k < parts.size() && !found.empty(); ++k) {
        if (parts[k].empty()) continue;
        const bool last = k + 1 == parts.size(), wild = HasWildcard(parts[k]);
        const std::string part = wild ? AsciiLower(parts[k]) : std::string();
        std::vector<std::string> next;
        for (std::string& folder : found) {
            if (!wild && !cache) {
                std::string full = Join(folder, std::string(parts[k]));
                const DWORD attributes = PathAttributes(full);
                const bool dir = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
                if (attributes != INVALID_FILE_ATTRIBUTES && (dir || (last && !foldersOnly))) next.push_back(std::move(full));
                continue;
            }
            FolderCache own;
            const Listing& listing = (cache ? *cache : own).Folder(folder);
            const auto take = [&](size_t i, bool reuse) {
                const FolderEntry& e = listing.entries[i];
                if ((!last || foldersOnly) && !e.IsDir()) return;
                if (reuse) {  // the only way on: the folder's text grows in place
                    if (!folder.ends_with('\\')) folder += '\\';
                    folder += e.name;
                    next.push_back(std::move(folder));
                    return;
                }
                std::string full = Join(folder, e.name);
                if (e.IsReparsePoint() || (e.IsDir() && IsLink(full))) return;
                next.push_back(std::move(full));
            };
            if (!wild) {
                if (const auto it = listing.at.find(parts[k]); it != listing.at.end()) take(it->second, true);
                continue;
            }
            for (size_t i = 0; i < listing.lower.size(); ++i)
                if (MatchesLowerWildcard(listing.lower[i], part)) take(i, false);
        }
        found = std::move(next);
    }
    return found;
}

// Whether a registry key is there, asked of the cached subkey listings from
// its root down (each key on the way named by the front of the text, never copied).
bool KeyThere(std::string_view key, FolderCache& cache) {
    size_t end = key.find('\\');
    while (end != std::string_view::npos) {
        const size_t next = key.find('\\', end + 1);
        const std::string_view part = key.substr(end + 1, next == std::string_view::npos ? next : next - end - 1);
        if (!cache.Key(key.substr(0, end)).at.count(part)) return false;
        end = next;
    }
    return true;
}

// Most programs a rule file names are not here: "%Var%\\Vendor\\..." is
// refused at once when no folder Var stands for holds Vendor.
bool SurelyAbsent(std::string_view text, const RuleVariables& variables, FolderCache& cache) {
    const size_t close = text.size() > 2 && text[0] == '%' ? text.find('%', 1) : std::string_view::npos;
    if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != '\\') return false;
    std::string_view first = text.substr(close + 2);
    first = first.substr(0, first.find('\\'));
    if (first.empty() || HasWildcard(first) || first.find('%') != std::string_view::npos) return false;
    const auto it = variables.find(AsciiLower(text.substr(1, close - 1)));
    if (it == variables.end()) return false;
    for (const std::string& folder : it->second)
        if (cache.Folder(folder).at.count(first)) return false;
    return true;
}

bool PathThere(const std::string& pathWithVariables, const RuleVariables& variables, FolderCache& cache) {
    if (SurelyAbsent(pathWithVariables, variables, cache)) return false;
    for (const std::string& path : ExpandRuleVariables(pathWithVariables, variables))
        if (!Resolve(path, &cache, false).empty()) return true;
    return false;
}

// Whether an entry applies here: its Windows versions hold, and any of its
// registry keys, paths or browsers is there (an entry that names none applies).
bool AppliesHere(const CommunityRule& rule, const RuleVariables& variables, FolderCache& cache, uint32_t version) {
    if (rule.hasOsRange && (version < rule.osMin || version > rule.osMax)) return false;
    if (rule.detectKeys.empty() && rule.detectFiles.empty() && rule.browser == RuleBrowser::None) return true;
    for (const std::string& key : rule.detectKeys)
        if (KeyThere(key, cache)) return true;
    for (const std::string& file : rule.detectFiles)
        if (PathThere(file, variables, cache)) return true;
    switch (rule.browser) {
    case RuleBrowser::None: return false;
    case RuleBrowser::Chrome: return PathThere("%LocalAppData%\\Google\\Chrome\\User Data", variables, cache);
    case RuleBrowser::Mozilla: return PathThere("%AppData%\\Mozilla\\Firefox", variables, cache);
    case RuleBrowser::Thunderbird: return PathThere("%AppData%\\Thunderbird", variables, cache);
    case RuleBrowser::Opera: return PathThere("%AppData%\\Opera Software", variables, cache);
    }
    return false;
}

// The rules read last, which the rules category's items point into, and
// what the scanners of those items resolve their paths with.
struct LoadedRules {
    std::unique_ptr<CommunityRules> rules;
    RuleVariables variables;
    std::vector<std::string> protectedPlaces;
};
LoadedRules& Loaded() {
    static LoadedRules loaded;
    return loaded;
}

// Whether a whole key (below its root) is one no rule may remove: a hive's
// top keys, and the keys that hold Windows' own and every program's settings.
bool ProtectedKey(const std::string& path) {
    static constexpr std::string_view kKept[] = {
        "Software\\Microsoft", "Software\\Classes", "Software\\Policies", "Software\\Wow6432Node",
        "Software\\Microsoft\\Windows", "Software\\Microsoft\\Windows\\CurrentVersion",
        "Software\\Microsoft\\Windows NT", "Software\\Microsoft\\Windows NT\\CurrentVersion",
        "Software\\Wow6432Node\\Microsoft"};
    std::string_view key(path);
    while (key.ends_with('\\')) key.remove_suffix(1);
    if (key.find('\\') == std::string_view::npos) return true;
    for (std::string_view kept : kKept)
        if (EqualsIgnoreCase(key, kept)) return true;
    return false;
}

// Whether a rule's files in this folder would take a protected place with
// them: the folder is one, or holds one, and the rule walks it all (its
// subfolders, or every file of it). A few named files of such a folder may go.
bool TakesAProtectedPlace(const std::string& folder, const RuleFileKey& key, const std::vector<std::string>& places) {
    bool touches = folder.size() == 3 && folder[1] == ':';
    for (const std::string& place : places) touches = touches || WithinPlace(place, folder);
    if (!touches) return false;
    if (key.recurse) return true;
    for (const std::string& pattern : key.patterns)
        if (pattern == "*" || pattern == "*.*") return true;
    return false;
}

// What one entry's scan lists, in its order: files as found, then the folders
// that go once emptied; each file or key once, whichever key named it.
class RuleScan {
public:
    RuleScan(const CatalogItem& item, const ScanContext& ctx)
        : rule_(*item.rule), ctx_(ctx), stamp_(StampOf(item)), loaded_(Loaded()) {
        for (const RuleExclude& ex : rule_.excludes) {
            if (ex.kind == RuleExcludeKind::Reg) continue;
            for (const std::string& path : ExpandRuleVariables(ex.path, loaded_.variables))
                fileExcludes_.push_back({&ex, path});
        }
    }

    void Run() {
        for (const RuleFileKey& key : rule_.fileKeys)
            for (const std::string& path : ExpandRuleVariables(key.path, loaded_.variables))
                for (const std::string& folder : Resolve(path, nullptr, true)) {
                    if (ctx_.Aborted()) return;
                    Folder(folder, key);
                }
        for (const std::string& folder : emptied_) {
            if (IsFileExcluded(stamp_.itemName, folder, ctx_.exclusions)) continue;
            TResultContentItem& r = Add(kKindRuleFolder, "File", folder);
            r.ValueName = folder.substr(folder.find_last_of('\\') + 1);
            r.DetailFor(4) = Shown(r.ValueName + "\\, the folder once empty", ParentOf(folder));
        }
        for (const RuleRegKey& key : rule_.regKeys) {
            if (ctx_.Aborted()) return;
            RegistryKey(key);
        }
    }

private:
    TResultContentItem& Add(int kind, const char* source, const std::string& location) {
        TResultContentItem& r = AddRecord(ctx_.results, kind, source, stamp_);
        r.Location = location;
        ctx_.Count(++counter_, kCountSet);
        return r;
    }

    void Refused(const char* source, const std::string& location) {
        TResultContentItem& r = Add(kKindRefused, source, location);
        r.Checked = 0;
        r.Reason = StayReason::Protected;
        r.ValueName = location;
        r.DetailFor(4) = location + " (refused: a protected place)";
    }

    void Folder(const std::string& folder, const RuleFileKey& key) {
        if (IsLink(folder)) return;  // a rule's folder that leads elsewhere is not the program's
        if (TakesAProtectedPlace(folder, key, loaded_.protectedPlaces)) {
            if (refused_.insert(AsciiLower(folder)).second) Refused("File", folder);
            return;
        }
        Walk(folder, key);
        if (key.removeSelf && emptiedSeen_.insert(AsciiLower(folder)).second) emptied_.push_back(folder);
    }

    void Walk(const std::string& folder, const RuleFileKey& key) {
        FolderWalker walker(folder);
        FolderEntry e;
        while (!ctx_.Aborted() && walker.Next(e)) {
            ctx_.Pump();
            if (e.IsDots()) continue;
            const std::string path = Join(folder, e.name);
            if (e.IsDir()) {
                if (key.recurse && !e.IsReparsePoint() && !IsLink(path)) Walk(path, key);
                continue;
            }
            bool listed = false;
            for (const std::string& pattern : key.patterns) listed = listed || MatchesRulePattern(e.name, pattern);
            if (!listed || RuleExcludesFile(folder, e.name) || !seen_.insert(AsciiLower(path)).second) continue;
            if (IsFileExcluded(stamp_.itemName, path, ctx_.exclusions)) continue;
            TResultContentItem& r = Add(kKindFile, "File", path);
            r.ValueName = e.name;
            r.DetailFor(4) = Shown(e.name, folder);
            r.Size = e.size;
        }
    }

    bool RuleExcludesFile(const std::string& folder, const std::string& name) const {
        for (const auto& [ex, path] : fileExcludes_) {
            bool named = false;
            for (const std::string& pattern : ex->patterns) named = named || MatchesRulePattern(name, pattern);
            if (!named) continue;
            if (ex->kind == RuleExcludeKind::File) {
                if (MatchesWildcard(folder, path)) return true;
                continue;
            }
            for (std::string above = folder; !above.empty(); above = ParentOf(above)) {
                if (MatchesWildcard(above, path)) return true;
                if (above.size() <= 3) break;
            }
        }
        return false;
    }

    bool RuleExcludesKey(const std::string& key) const {
        for (const RuleExclude& ex : rule_.excludes)
            if (ex.kind == RuleExcludeKind::Reg && !ex.hasValue && WithinPlace(key, ex.path)) return true;
        return false;
    }
    bool RuleExcludesValue(const std::string& key, const std::string& value) const {
        if (RuleExcludesKey(key)) return true;
        for (const RuleExclude& ex : rule_.excludes)
            if (ex.kind == RuleExcludeKind::Reg && ex.hasValue && EqualsIgnoreCase(key, ex.path) &&
                EqualsIgnoreCase(value, ex.value))
                return true;
        return false;
    }
    // Whether the rule keeps something inside the key, which then cannot go whole.
    bool KeepsInside(const std::string& key) const {
        for (const RuleExclude& ex : rule_.excludes)
            if (ex.kind == RuleExcludeKind::Reg && WithinPlace(ex.path, key) && (ex.hasValue || ex.path.size() > key.size()))
                return true;
        return false;
    }

    void RegistryKey(const RuleRegKey& rule) {
        const RegistryPath at = RegistryPath::Parse(rule.key);
        if (!at.root) return;
        if (rule.hasValue) return Value(rule.key, rule.value);
        // A hive's top keys ("HKEY_CURRENT_USER\Software") and the keys of Windows itself hold everyone's settings.
        if (ProtectedKey(at.path)) {
            if (RegKeyExists(at)) Refused("Reg", rule.key);
            return;
        }
        Key(rule.key, at);
    }

    void Key(const std::string& full, const RegistryPath& at) {
        if (RuleExcludesKey(full) || !seen_.insert(AsciiLower(full)).second) return;
        RegKey key;
        if (!key.Open(at)) return;
        if (!KeepsInside(full)) {
            if (IsRegExcluded(stamp_.itemName, full, "", "", ctx_.exclusions)) return;
            TResultContentItem& r = Add(kKindRegKey, "Reg", full);
            r.DetailFor(4) = Shown(full.substr(full.find_last_of('\\') + 1), full.substr(0, full.find_last_of('\\')));
            return;
        }
        // What the rule keeps stays: the key's other values and subkeys go one by one.
        for (const std::string& name : key.ValueNames([this] { return ctx_.KeepGoing(); })) Value(full, name);
        for (const std::string& sub : key.SubkeyNames([this] { return ctx_.KeepGoing(); })) {
            if (ctx_.Aborted()) return;
            Key(full + "\\" + sub, RegistryPath::Parse(full + "\\" + sub));
        }
    }

    void Value(const std::string& full, const std::string& name) {
        if (RuleExcludesValue(full, name) || !seen_.insert(AsciiLower(full) + "|" + AsciiLower(name)).second) return;
        RegKey key;
        if (!key.Open(RegistryPath::Parse(full)) || !key.ValueExists(name)) return;
        if (IsRegExcluded(stamp_.itemName, full, name, name, ctx_.exclusions)) return;
        TResultContentItem& r = Add(kKindRegValue, "Reg", full);
        r.ValueName = name;
        key.ReadText(name, r.ValueData);
        r.DetailFor(4) = Shown(name.empty() ? std::string("(default value)") : name, full);
    }

    const CommunityRule& rule_;
    const ScanContext& ctx_;
    const RecordStamp stamp_;
    const LoadedRules& loaded_;
    std::vector<std::pair<const RuleExclude*, std::string>> fileExcludes_;  // with their variables resolved
    std::set<std::string> seen_, refused_, emptiedSeen_;
    std::vector<std::string> emptied_;
    int counter_ = 0;
};

}  // namespace

std::string CommunityRulesFile() { return ExeDirectory() + "winapp2.ini"; }

RuleVariables CurrentRuleVariables() {
    RuleVariables v;
    const auto put = [&v](const char* name, std::initializer_list<std::string> values) {
        std::vector<std::string>& list = v[name];
        for (const std::string& value : values) {
            if (value.empty()) continue;
            const std::string clean = WithoutTrailingSlash(value);
            bool seen = false;
            for (const std::string& other : list) seen = seen || EqualsIgnoreCase(other, clean);
            if (!seen) list.push_back(clean);
        }
    };
    const std::string profile = EnvironmentVariable("USERPROFILE");
    std::string windows = EnvironmentVariable("WINDIR");
    if (windows.empty()) windows = ParentOf(SystemDirectory());
    put("appdata", {ShellFolder("AppData")});
    put("localappdata", {ShellFolder("Local AppData")});
    // Windows names some shell folders by their known folder's id, and Wine names the videos' its own way.
    const std::string localLow = ShellFolder("{A520A1A4-1780-4FF6-BD18-167343C5AF16}");
    put("locallowappdata", {!localLow.empty() ? localLow : profile.empty() ? std::string() : profile + "\\AppData\\LocalLow"});
    put("documents", {ShellFolder("Personal")});
    put("music", {ShellFolder("My Music")});
    put("pictures", {ShellFolder("My Pictures")});
    const std::string video = ShellFolder("My Video");
    put("video", {!video.empty() ? video : ShellFolder("My Videos")});
    put("userprofile", {profile});
    put("programfiles", {EnvironmentVariable("ProgramW6432"), EnvironmentVariable("ProgramFiles"),
                         EnvironmentVariable("ProgramFiles(x86)")});
    put("commonprogramfiles", {EnvironmentVariable("CommonProgramW6432"), EnvironmentVariable("CommonProgramFiles"),
                               EnvironmentVariable("CommonProgramFiles(x86)")});
    put("programdata", {EnvironmentVariable("ProgramData")});
    put("commonappdata", {EnvironmentVariable("ProgramData")});
    put("public", {EnvironmentVariable("PUBLIC")});
    put("systemdrive", {EnvironmentVariable("SystemDrive")});
    put("windir", {windows});
    put("temp", {TempDirectory()});
    // A name inside a path, not a folder: kept as it is.
    v["username"] = {};
    if (std::string user = EnvironmentVariable("USERNAME"); !user.empty()) v["username"].push_back(user);
    return v;
}

std::vector<std::string> ProtectedPlaces(const RuleVariables& variables) {
    std::vector<std::string> places;
    // Beside the places every rule file's users expect kept, the folders whose whole tree no rule may
    // walk either: the profile's application data, the shared files, the system folder.
    for (const char* name : {"windir", "programfiles", "programdata", "userprofile", "documents", "music", "pictures",
                             "video", "appdata", "localappdata", "locallowappdata", "public", "commonprogramfiles"}) {
        const auto it = variables.find(name);
        if (it != variables.end()) places.insert(places.end(), it->second.begin(), it->second.end());
    }
    places.push_back(SystemDirectory());
    for (const char* shell : {"Desktop", "{374DE290-123F-4565-9164-39C4925E467B}"})
        if (std::string place = ShellFolder(shell); !place.empty()) places.push_back(WithoutTrailingSlash(place));
    if (const auto it = variables.find("userprofile"); it != variables.end())
        for (const std::string& profile : it->second) {
            places.push_back(profile + "\\Desktop");
            places.push_back(profile + "\\Downloads");
        }
    return places;
}

RulesLoad LoadCommunityRules(const std::string& file) {
    RulesLoad load;
    SetCommunityItems({});  // they point into the rules read before
    LoadedRules& loaded = Loaded();
    loaded.rules.reset();
    std::string bytes;
    if (!FileExists(file) || !ReadWholeFile(file, bytes)) return load;
    load.read = true;
    std::vector<std::string_view> names;
    for (const CatalogItem& item : kCatalogItems) names.push_back(item.name);
    loaded.rules = std::make_unique<CommunityRules>(ParseCommunityRules(bytes, names, true));
    loaded.variables = CurrentRuleVariables();
    loaded.protectedPlaces = ProtectedPlaces(loaded.variables);
    load.entries = static_cast<int>(loaded.rules->entries.size());
    load.ignoredLines = loaded.rules->ignoredLines;

    FolderCache cache;
    const uint32_t version = WindowsVersion();
    std::vector<CommunityRule*> shown;
    for (CommunityRule& rule : loaded.rules->entries)
        if (AppliesHere(rule, loaded.variables, cache, version)) {
            ReadRuleKeys(rule);
            shown.push_back(&rule);
        }
    std::stable_sort(shown.begin(), shown.end(), [](const CommunityRule* a, const CommunityRule* b) {
        const std::string sa = AsciiLower(a->section), sb = AsciiLower(b->section);
        return sa != sb ? sa < sb : AsciiLower(a->name) < AsciiLower(b->name);
    });
    std::vector<CatalogItem> items;
    for (const CommunityRule* rule : shown)
        items.push_back({.category = kRulesCategory, .name = rule->name, .cleanCaption = rule->cleanCaption,
                         .ticked = false, .shown = ShownField::Detail4, .kind = kKindFile, .group = rule->section,
                         .shape = ScanShape::Special, .special = Special::CommunityRule, .test = TestData::ListedName,
                         .count = Counting::Running, .removal = Removal::ByKind, .warning = rule->warning,
                         .rule = rule});
    load.shown = static_cast<int>(items.size());
    SetCommunityItems(std::move(items));
    return load;
}

std::string RulesNotice(const RulesLoad& load) {
    if (load.ignoredLines <= 0) return {};
    return "winapp2.ini: " + std::to_string(load.ignoredLines) + (load.ignoredLines == 1 ? " line" : " lines") +
           " ignored";
}

void ScanCommunityRule(const CatalogItem& item, const ScanContext& ctx) {
    if (!item.rule) return;
    RuleScan(item, ctx).Run();
}
