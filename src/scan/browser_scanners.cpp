// Today's browsers: the rows of the history and cookie databases of every
// profile of Chrome, Edge and Firefox.
#include <algorithm>
#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "model/text.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "scan/scanners.h"

namespace {

bool IsProfileFolder(Browser browser, const std::string& name) {
    if (name == "." || name == "..") return false;
    if (browser == Browser::Chromium) return name == "Default" || name.rfind("Profile ", 0) == 0;
    return true;
}

// The folder the item's profiles (or files) lie in, or empty when its shell folder is not set.
std::string ProfilesRoot(const CatalogItem& item) {
    const std::string shell = ShellFolder(std::string(item.shellFolder));
    return shell.empty() ? std::string() : shell + std::string(item.subFolder);
}

// The query that lists one trace a row, as (row id, name, text, more) by column name,
// so that old and new versions of each database read alike.
const char* ListingOf(BrowserDatabase db) {
    switch (db) {
    case BrowserDatabase::ChromiumHistory: return "SELECT id, url, title, visit_count FROM urls ORDER BY id";
    case BrowserDatabase::ChromiumCookies: return "SELECT rowid, host_key, name, path FROM cookies ORDER BY rowid";
    case BrowserDatabase::FirefoxPlaces:
        // A place with a visit; a bookmark alone is no trace.
        return "SELECT id, url, title, visit_count FROM moz_places p WHERE p.visit_count > 0 OR EXISTS "
               "(SELECT 1 FROM moz_historyvisits v WHERE v.place_id = p.id) ORDER BY id";
    case BrowserDatabase::FirefoxCookies: return "SELECT id, host, name, path FROM moz_cookies ORDER BY id";
    case BrowserDatabase::None: break;
    }
    return "";
}

bool IsCookieDatabase(BrowserDatabase db) {
    return db == BrowserDatabase::ChromiumCookies || db == BrowserDatabase::FirefoxCookies;
}

void ListRows(const CatalogItem& item, const std::string& path, const ScanContext& ctx, int& counter) {
    Database db;
    if (!db.Open(path, Database::Mode::ReadOnly)) return;  // held by its browser, or no database: nothing to list
    Database::Statement rows(db, ListingOf(item.database));
    const RecordStamp stamp = StampOf(item);
    const bool cookies = IsCookieDatabase(item.database);
    while (!ctx.Aborted() && rows.Step()) {
        ctx.Pump();
        const int64_t id = rows.Int(0);
        if (cookies) {
            const std::string host = rows.Text(1), name = rows.Text(2), cookiePath = rows.Text(3);
            if (IsRegExcluded(stamp.itemName, host, "", name, ctx.exclusions)) continue;
            TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
            r.ValueName = name + "@" + host + cookiePath;
            r.ValueData = host;
            r.KeyName = name;
            r.Detail4 = cookiePath;  // with host and name, what tells the row from a later one
            r.Location = path;
            r.Line = id;
        } else {
            const std::string url = rows.Text(1);
            if (IsFileExcluded(stamp.itemName, url, ctx.exclusions)) continue;
            TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
            r.ValueName = url;
            r.ValueData = rows.Text(2);
            r.KeyName = std::to_string(rows.Int(3));  // visits
            r.Location = path;
            r.Line = id;
        }
        ++counter;
        ctx.Count(counter, kCountSet);
    }
}

}  // namespace

std::vector<std::string> PlacesOf(const CatalogItem& item, const ScanContext& ctx) {
    std::vector<std::string> places;
    const std::string root = ProfilesRoot(item);
    if (root.empty()) return places;
    if (item.browser == Browser::None) return {root};
    FolderWalker walker(root);
    FolderEntry e;
    while (!ctx.Aborted() && walker.Next(e)) {
        if ((e.attributes & FILE_ATTRIBUTE_DIRECTORY) && !(e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
            IsProfileFolder(item.browser, e.name))
            places.push_back(root + "\\" + e.name);
    }
    std::sort(places.begin(), places.end());  // the same order on every file system
    return places;
}

void ScanDatabaseRows(const CatalogItem& item, const ScanContext& ctx) {
    int counter = 0;
    for (const std::string& profile : PlacesOf(item, ctx)) {
        for (std::string_view file : item.databaseFiles) {
            const std::string path = profile + "\\" + std::string(file);
            if (!FileExists(path)) continue;
            ListRows(item, path, ctx, counter);
            break;  // the first of them: an older profile keeps the database elsewhere
        }
        if (ctx.Aborted()) return;
    }
}
