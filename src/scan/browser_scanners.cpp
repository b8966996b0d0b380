// Today's browsers: the rows of the history and cookie databases of every
// profile of Chrome, Edge and Firefox, each read from a private copy so that
// a scan changes nothing in a profile and still reads a database the browser
// holds.
#include <algorithm>
#include <string>
#include <vector>

#include "exclude/exclude_tests.h"
#include "model/item_tree.h"
#include "base/text.h"
#include "platform/database.h"
#include "platform/database_snapshot.h"
#include "scan/database_reading.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "scan/scanners.h"

namespace {

// A folder of its own (no link) that holds a profile of the browser.
bool IsProfileFolder(Browser browser, const FolderEntry& e) {
    if (e.IsDots() || !e.IsDir() || e.IsReparsePoint()) return false;
    if (browser == Browser::Chromium) return e.name == "Default" || e.name.rfind("Profile ", 0) == 0;
    return true;
}

// The folder the item's profiles (or files) lie in, or empty when its shell folder is not set.
std::string ProfilesRoot(const CatalogItem& item) {
    const std::string shell = ShellFolder(std::string(item.shellFolder));
    return shell.empty() ? std::string() : shell + std::string(item.subFolder);
}

bool IsCookieDatabase(BrowserDatabase db) {
    return db == BrowserDatabase::ChromiumCookies || db == BrowserDatabase::FirefoxCookies;
}

// Adds the record of one row unless an exclusion covers it. A row with no
// row id is a notice: it names what could not be read and why, and stays
// through every clean, so that nothing unread is taken for clean.
void AddRow(const CatalogItem& item, const RecordStamp& stamp, const std::string& path, DatabaseRow&& row,
            const ScanContext& ctx, int& counter, StayReason notice = StayReason::None) {
    const bool cookies = IsCookieDatabase(item.database);
    if (cookies ? IsRegExcluded(stamp.itemName, row.name, "", row.text, ctx.exclusions)
                : IsFileExcluded(stamp.itemName, row.name, ctx.exclusions))
        return;
    TResultContentItem& r = AddRecord(ctx.results, item.kind, "File", stamp);
    if (cookies) {
        r.ValueName = notice == StayReason::None ? row.text + "@" + row.name + row.more : row.name;
        r.ValueData = std::move(row.name);
        r.KeyName = std::move(row.text);
        r.Detail4 = std::move(row.more);  // with host and name, what tells the row from a later one
    } else {
        r.ValueName = std::move(row.name);
        r.ValueData = std::move(row.text);
        r.KeyName = std::move(row.more);  // visits
    }
    r.Location = path;
    r.Line = notice == StayReason::None ? row.rowid : -1;
    r.Reason = notice;
    ++counter;
    ctx.Count(counter, kCountSet);
}

void AddNotice(const CatalogItem& item, const RecordStamp& stamp, const std::string& path, std::string what,
               Database::Problem problem, const ScanContext& ctx, int& counter) {
    StayReason why = StayReasonOf(problem);
    if (why == StayReason::Failed || why == StayReason::None) why = StayReason::Unreadable;
    DatabaseRow row;
    row.name = std::move(what);
    AddRow(item, stamp, path, std::move(row), ctx, counter, why);
}

// Lists the rows of one database from a private copy of it.
void ListRows(const CatalogItem& item, const std::string& path, const std::string& name, const ScanContext& ctx,
              int& counter) {
    const RecordStamp stamp = StampOf(item);
    DatabaseSnapshot snapshot(path);
    if (snapshot.Error()) return AddNotice(item, stamp, path, name + " could not be read", snapshot.Why(), ctx, counter);
    Database db;
    db.SetInterrupt([&ctx] { return !ctx.KeepGoing(); });
    if (!snapshot.Open(db)) {
        if (db.Why() == Database::Problem::Interrupted) return;
        return AddNotice(item, stamp, path, name + " could not be read", db.Why(), ctx, counter);
    }
    int listed = 0;
    const DatabaseReading reading = ReadDatabaseRows(db, item.database, [&](DatabaseRow&& row) {
        if (ctx.Aborted()) return false;
        ctx.Pump();
        AddRow(item, stamp, path, std::move(row), ctx, counter);
        ++listed;
        return true;
    });
    if (reading.stopped) return;
    if (!reading.layout.empty())
        AddNotice(item, stamp, path, name + " could not be read: " + reading.layout, Database::Problem::Other, ctx,
                  counter);
    else if (reading.problem != Database::Problem::None)
        AddNotice(item, stamp, path, name + (listed ? ": the rest could not be read" : " could not be read"),
                  reading.problem, ctx, counter);
    if (reading.unreadRows > 0)
        AddNotice(item, stamp, path,
                  name + ": " + std::to_string(reading.unreadRows) +
                      (reading.unreadRows == 1 ? " row holds" : " rows hold") + " no text and could not be read",
                  Database::Problem::Other, ctx, counter);
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
        if (IsProfileFolder(item.browser, e)) places.push_back(root + "\\" + e.name);
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
            // Named as the profile holds it ("Profile 1\History"), so that each profile's notice tells which.
            ListRows(item, path, path.substr(profile.find_last_of('\\') + 1), ctx, counter);
            break;  // the first of them: an older profile keeps the database elsewhere
        }
        if (ctx.Aborted()) return;
    }
}
