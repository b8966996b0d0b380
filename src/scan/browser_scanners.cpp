// Today's browsers: the stores of every profile of every browser an item
// names. A database is read from a private copy, so that a scan changes
// nothing in a profile and still reads a database the browser holds; a file
// or a folder says which sites it names.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "platform/database.h"
#include "platform/database_snapshot.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "scan/database_reading.h"
#include "scan/scanners.h"
#include "scan/store_text.h"

namespace {

bool IsCookieDatabase(BrowserDatabase db) {
    return db == BrowserDatabase::ChromiumCookies || db == BrowserDatabase::FirefoxCookies;
}

// Every folder of a root that holds a profile, sorted by name.
void AddProfiles(const ProfileRoot& root, std::vector<std::string>& profiles, const ScanContext* ctx) {
    const std::string shell = ShellFolder(std::string(root.shellFolder));
    if (shell.empty()) return;
    const std::string folder = shell + std::string(root.path);
    if (root.layout == ProfileLayout::OwnFolder) {
        if (DirectoryExists(folder + "\\Default")) profiles.push_back(folder + "\\Default");
        else if (DirectoryExists(folder) && !IsLink(folder)) profiles.push_back(folder);
        return;
    }
    std::vector<std::string> found;
    FolderWalker walker(folder);
    FolderEntry e;
    while (!(ctx && ctx->Aborted()) && walker.Next(e)) {
        if (e.IsDots() || !e.IsDir() || e.IsReparsePoint()) continue;
        if (root.layout == ProfileLayout::UserData && e.name != "Default" && e.name.rfind("Profile ", 0) != 0) continue;
        found.push_back(folder + "\\" + e.name);
    }
    std::sort(found.begin(), found.end());  // the same order on every file system
    profiles.insert(profiles.end(), found.begin(), found.end());
}

// The first of the store's paths that is there in the profile (a file, or for a folder store a folder).
std::string FirstThere(const std::string& profile, const ProfileStore& store) {
    for (std::string_view rel : store.paths) {
        const std::string path = profile + "\\" + std::string(rel);
        if (store.kind == StoreKind::DatabaseRows ? FileExists(path) : DirectoryExists(path)) return path;
    }
    return {};
}

// The bytes of a file a scan reads to say what it holds: never more than a
// few megabytes, Firefox's compressed JSON decoded.
std::vector<std::string> SitesOfFile(const std::string& path, std::vector<std::string>& sites) {
    constexpr int64_t kMost = 16 << 20;
    std::string bytes;
    if (FileSize64(path) > kMost || !ReadWholeFile(path, bytes)) return sites;
    std::string decoded;
    if (IsMozLz4(bytes) && DecodeMozLz4(bytes, decoded)) bytes.swap(decoded);
    AddSitesNamedIn(bytes, sites);
    return sites;
}

// Every file below a folder, links never entered: sizes summed, sites named.
void ReadFolder(const std::string& folder, const ScanContext& ctx, int64_t& size, std::vector<std::string>& sites) {
    FolderWalker walker(folder);
    FolderEntry e;
    while (!ctx.Aborted() && walker.Next(e)) {
        if (e.IsDots() || e.IsReparsePoint()) continue;
        const std::string path = folder + "\\" + e.name;
        if (e.IsDir()) {
            ReadFolder(path, ctx, size, sites);
            continue;
        }
        size += e.size;
        SitesOfFile(path, sites);
    }
}

class StoreScan {
public:
    StoreScan(const CatalogItem& item, const ScanContext& ctx) : item_(item), ctx_(ctx), stamp_(StampOf(item)) {}

    void Profile(const std::string& profile) {
        firstNames_.clear();
        firstUnread_ = false;
        for (size_t s = 0; s < item_.stores.size() && !ctx_.Aborted(); ++s) {
            const ProfileStore& store = item_.stores[s];
            const int index = static_cast<int>(s);
            switch (store.kind) {
            case StoreKind::DatabaseRows:
                // What is keyed by the first store's pages waits while that store cannot be read:
                // its pages would be listed once a store, and they go with the first store's rows.
                if (store.pagesOfFirst && firstUnread_) break;
                if (const std::string path = FirstThere(profile, store); !path.empty())
                    ListRows(index, path, path.substr(profile.find_last_of('\\') + 1));
                break;
            case StoreKind::Files:
                for (std::string_view rel : store.paths)
                    ListFiles(index, rel.empty() ? profile : profile + "\\" + std::string(rel), store);
                break;
            case StoreKind::Folder:
                if (const std::string path = FirstThere(profile, store); !path.empty())
                    AddFolder(index, path, path.substr(profile.size() + 1));
                break;
            case StoreKind::SiteFolders:
                if (const std::string path = FirstThere(profile, store); !path.empty()) ListSiteFolders(index, path);
                break;
            }
        }
    }

private:
    TResultContentItem& Add(int store, int kind, const std::string& location) {
        TResultContentItem& r = AddRecord(ctx_.results, kind, "File", stamp_);
        r.Store = store;
        r.Location = location;
        ctx_.Count(++counter_, kCountSet);
        return r;
    }

    int RowKind() const { return item_.kind == kKindHistoryRow || item_.kind == kKindCookieRow ? item_.kind : kKindStoreRow; }

    // Adds the record of one row unless an exclusion covers it. A row with no
    // row id is a notice: it names what could not be read and why, and stays
    // through every clean, so that nothing unread is taken for clean.
    void AddRow(int store, const std::string& path, DatabaseRow&& row, StayReason notice = StayReason::None) {
        const bool cookies = IsCookieDatabase(item_.stores[static_cast<size_t>(store)].database);
        if (cookies ? IsRegExcluded(stamp_.itemName, row.name, "", row.text, ctx_.exclusions)
                    : IsFileExcluded(stamp_.itemName, row.name, ctx_.exclusions))
            return;
        TResultContentItem& r = Add(store, RowKind(), path);
        if (cookies) {
            r.ValueName = notice == StayReason::None ? row.text + "@" + row.name + row.more : row.name;
            r.ValueData = std::move(row.name);
            r.KeyName = std::move(row.text);
            r.DetailFor(4) = std::move(row.more);  // with host and name, what tells the row from a later one
        } else {
            r.ValueName = std::move(row.name);
            r.ValueData = std::move(row.text);
            r.KeyName = std::move(row.more);  // visits, a count, ...
        }
        r.Line = notice == StayReason::None ? row.rowid : -1;
        r.Reason = notice;
    }

    void AddNotice(int store, const std::string& path, std::string what, Database::Problem problem) {
        if (store == 0) firstUnread_ = true;
        StayReason why = StayReasonOf(problem);
        if (why == StayReason::Failed || why == StayReason::None) why = StayReason::Unreadable;
        DatabaseRow row;
        row.name = std::move(what);
        AddRow(store, path, std::move(row), why);
    }

    // Lists the rows of one database from a private copy of it; a store keyed
    // by the first store's addresses lists only the addresses that store did not.
    void ListRows(int store, const std::string& path, const std::string& name) {
        const ProfileStore& kind = item_.stores[static_cast<size_t>(store)];
        DatabaseSnapshot snapshot(path);
        if (snapshot.Error()) return AddNotice(store, path, name + " could not be read", snapshot.Why());
        Database db;
        db.SetInterrupt([this] { return !ctx_.KeepGoing(); });
        if (!snapshot.Open(db)) {
            if (db.Why() == Database::Problem::Interrupted) return;
            return AddNotice(store, path, name + " could not be read", db.Why());
        }
        int listed = 0, read = 0;
        const DatabaseReading reading = ReadDatabaseRows(db, kind.database, [&](DatabaseRow&& row) {
            if (ctx_.Aborted()) return false;
            ctx_.Pump();
            if ((++read & 255) == 0 && row.lastRowid > 0)
                ctx_.Progress(static_cast<double>(row.rowid) / static_cast<double>(row.lastRowid));
            if (store == 0) firstNames_.insert(row.name);
            else if (kind.pagesOfFirst && firstNames_.count(row.name)) return true;
            AddRow(store, path, std::move(row));
            ++listed;
            return true;
        });
        if (reading.stopped) return;
        if (!reading.layout.empty())
            AddNotice(store, path, name + " could not be read: " + reading.layout, Database::Problem::Other);
        else if (reading.problem != Database::Problem::None)
            AddNotice(store, path, name + (listed ? ": the rest could not be read" : " could not be read"),
                      reading.problem);
        if (reading.unreadRows > 0)
            AddNotice(store, path,
                      name + ": " + std::to_string(reading.unreadRows) +
                          (reading.unreadRows == 1 ? " row holds" : " rows hold") + " no text and could not be read",
                      Database::Problem::Other);
    }

    // One record a file; a cache file is only a file, the others say which sites they name.
    void ListFiles(int store, const std::string& folder, const ProfileStore& kind) {
        ForEachFile(folder, kind.recursive, kind.patterns, ctx_, [&](const std::string& path, const FolderEntry& e) {
            if (IsFileExcluded(stamp_.itemName, path, ctx_.exclusions)) return;
            TResultContentItem& r = Add(store, item_.kind == kKindFile ? kKindFile : kKindStoreFile, path);
            r.ValueName = e.name;
            r.Size = e.size;
            if (item_.kind != kKindFile) {
                std::vector<std::string> sites;
                r.ValueData = SitesSummary(SitesOfFile(path, sites));
            }
        });
    }

    // A store made of one folder's files: one record, which sites it names.
    void AddFolder(int store, const std::string& path, const std::string& name) {
        if (IsLink(path) || IsFileExcluded(stamp_.itemName, path, ctx_.exclusions)) return;
        int64_t size = 0;
        std::vector<std::string> sites;
        ReadFolder(path, ctx_, size, sites);
        TResultContentItem& r = Add(store, kKindStoreFolder, path);
        r.ValueName = name;
        r.ValueData = SitesSummary(sites);
        r.Size = size;
    }

    // A folder of one subfolder a site: one record a site's folder, named by the site.
    void ListSiteFolders(int store, const std::string& folder) {
        FolderWalker walker(folder);
        FolderEntry e;
        while (!ctx_.Aborted() && walker.Next(e)) {
            ctx_.Pump();
            if (e.IsDots() || !e.IsDir() || e.IsReparsePoint()) continue;
            const std::string site = SiteOfFolder(e.name);
            if (IsFileExcluded(stamp_.itemName, site, ctx_.exclusions)) continue;
            const std::string path = folder + "\\" + e.name;
            int64_t size = 0;
            std::vector<std::string> sites;
            ReadFolder(path, ctx_, size, sites);
            TResultContentItem& r = Add(store, kKindStoreFolder, path);
            r.ValueName = site;
            r.ValueData = e.name;
            r.Size = size;
        }
    }

    const CatalogItem& item_;
    const ScanContext& ctx_;
    const RecordStamp stamp_;
    int counter_ = 0;
    std::set<std::string> firstNames_;  // the first store's names in this profile
    bool firstUnread_ = false;          // the first store (or some of it) could not be read in this profile
};

}  // namespace

std::vector<std::string> ProfilesOf(std::span<const ProfileRoot> roots, const ScanContext* ctx) {
    std::vector<std::string> profiles;
    for (const ProfileRoot& root : roots) AddProfiles(root, profiles, ctx);
    return profiles;
}

bool CategoryHasProfiles(int category) {
    if (category < 0 || category >= kCategoryCount || CategoryItemCount(category) == 0) return false;
    bool browser = false;
    for (int i = 0; i < CategoryItemCount(category); ++i) {
        const CatalogItem& item = CategoryItem(category, i);
        if (item.special != Special::ProfileStores) continue;
        browser = true;
        if (!ProfilesOf(item.roots, nullptr).empty()) return true;
    }
    return !browser;
}

void ScanProfileStores(const CatalogItem& item, const ScanContext& ctx) {
    StoreScan scan(item, ctx);
    for (const std::string& profile : ProfilesOf(item.roots, &ctx)) {
        if (ctx.Aborted()) return;
        scan.Profile(profile);
    }
}

std::vector<std::string> PlacesOf(const CatalogItem& item) {
    const std::string shell = ShellFolder(std::string(item.shellFolder));
    if (shell.empty()) return {};
    return {shell + std::string(item.subFolder)};
}
