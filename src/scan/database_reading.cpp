#include "scan/database_reading.h"

#include <algorithm>
#include <set>
#include <string_view>

DatabaseLayout LayoutOf(BrowserDatabase database) {
    using BD = BrowserDatabase;
    switch (database) {
    case BD::ChromiumHistory: return {"urls", "url", "title", "visit_count", false, true};
    case BD::ChromiumCookies: return {"cookies", "host_key", "name", "path", true, false};
    case BD::FirefoxPlaces: return {"moz_places", "url", "title", "visit_count", false, true};
    case BD::FirefoxCookies: return {"moz_cookies", "host", "name", "path", true, false};
    case BD::ChromiumDownloads: return {"downloads", "target_path", "tab_url", "received_bytes", false, true};
    case BD::ChromiumFavicons: return {"icon_mapping", "page_url", "", "", false, false};
    case BD::ChromiumTopSites: return {"top_sites", "url", "title", "", false, false};
    case BD::ChromiumShortcuts: return {"omni_box_shortcuts", "url", "text", "number_of_hits", false, true};
    case BD::ChromiumPredictor: return {"network_action_predictor", "url", "user_text", "number_of_hits", false, true};
    case BD::ChromiumAutofill: return {"autofill", "value", "name", "count", false, true};
    // A site search the browser added by itself; those the user or the maker set up stay.
    case BD::ChromiumKeywords:
        return {"keywords", "url", "keyword", "", false, false, "t.safe_for_autoreplace = 1 AND t.prepopulate_id = 0"};
    case BD::ChromiumNel: return {"nel_policies", "origin_host", "origin_scheme", "", false, false};
    case BD::ChromiumReporting: return {"reporting_endpoints", "origin_host", "url", "", false, false};
    case BD::ChromiumBounces: return {"bounces", "site", "", "", false, false};
    case BD::FirefoxDownloads:
        return {"moz_annos", "content", "(SELECT p.url FROM moz_places p WHERE p.id = t.place_id)", "", false, false,
                "t.anno_attribute_id IN (SELECT a.id FROM moz_anno_attributes a WHERE a.name = "
                "'downloads/destinationFileURI')"};
    case BD::FirefoxFavicons: return {"moz_pages_w_icons", "page_url", "", "", false, false};
    case BD::FirefoxFormHistory: return {"moz_formhistory", "value", "fieldname", "timesUsed", false, true};
    case BD::FirefoxWebStorage: return {"webappsstore2", "originKey", "key", "", false, false};
    case BD::FirefoxPermissions: return {"moz_perms", "origin", "type", "", false, false};
    case BD::FirefoxContentPrefs: return {"groups", "name", "", "", false, false};
    case BD::None: break;
    }
    return {"", "", "", "", false, false};
}

namespace {

std::set<std::string> ColumnsOf(Database& db, const char* table) {
    std::set<std::string> columns;
    Database::Statement s(db, "SELECT name FROM pragma_table_xinfo(?)");
    s.Bind(1, std::string(table));
    while (s.Step()) columns.insert(s.Text(0));
    return columns;
}

// Whether the table has row ids: a table declared WITHOUT ROWID has none.
bool HasRowIds(Database& db, const char* table) {
    Database::Statement s(db, "SELECT wr FROM pragma_table_list WHERE schema = 'main' AND name = ?");
    s.Bind(1, std::string(table));
    return s.Step() && s.Int(0) == 0;
}

}  // namespace

std::string RowIdName(Database& db, const char* table) {
    if (!HasRowIds(db, table)) return {};
    const std::set<std::string> columns = ColumnsOf(db, table);
    // Column names are the same in any letter case: a column "ROWID" hides the row id's first name.
    const auto taken = [&columns](std::string_view name) {
        for (const std::string& c : columns)
            if (c.size() == name.size() &&
                std::equal(c.begin(), c.end(), name.begin(), [](char a, char b) { return (a | 0x20) == (b | 0x20); }))
                return true;
        return false;
    };
    for (const char* name : {"rowid", "_rowid_", "oid"})
        if (!taken(name)) return name;
    return {};
}

DatabaseReading ReadDatabaseRows(Database& db, BrowserDatabase database,
                                 const std::function<bool(DatabaseRow&&)>& row) {
    DatabaseReading reading;
    const DatabaseLayout layout = LayoutOf(database);
    const std::string table = layout.table;
    if (!db.HasTable(table)) {
        if (db.Why() != Database::Problem::None) {
            reading.problem = db.Why();  // the schema itself could not be read
            return reading;
        }
        Database::Statement other(db, "SELECT 1 FROM sqlite_schema WHERE name = ?");
        other.Bind(1, table);
        reading.layout = table + (other.Step() ? " is not a table" : " is missing");  // a view is never read
        return reading;
    }
    const std::string rowid = RowIdName(db, layout.table);
    if (rowid.empty()) {
        reading.layout = table + " has no row ids";
        return reading;
    }
    const std::set<std::string> columns = ColumnsOf(db, layout.table);
    const auto has = [&](const char* column) { return columns.count(column) != 0; };
    for (const char* needed : {layout.name, layout.text, layout.more}) {
        if (!*needed || *needed == '(' || has(needed) || (!layout.matchAll && needed != layout.name)) continue;
        reading.layout = table + " has no column " + needed;
        return reading;
    }
    // A row lacking a column that only goes with its name still lists its name.
    const auto field = [&](const char* column) {
        return *column == '(' ? std::string(column) : *column && has(column) ? "t." + std::string(column) : "NULL";
    };
    std::string sql = "SELECT t." + rowid + ", t." + layout.name + ", " + field(layout.text) + ", " +
                      field(layout.more) + " FROM " + table + " t";
    std::string where = layout.where;
    if (database == BrowserDatabase::FirefoxPlaces) {
        // A place with a visit; a bookmark alone is no trace.
        if (has("visit_count")) where = "t.visit_count > 0";
        if (has("id") && db.HasTable("moz_historyvisits") && db.HasColumn("moz_historyvisits", "place_id"))
            where += std::string(where.empty() ? "" : " OR ") +
                     "EXISTS (SELECT 1 FROM moz_historyvisits v WHERE v.place_id = t.id)";
    }
    if (!where.empty()) sql += " WHERE " + where;
    sql += " ORDER BY t." + rowid;
    Database::Statement rows(db, sql);
    if (!rows.Ok()) {
        reading.problem = db.Why();
        if (reading.problem == Database::Problem::Other) {
            reading.problem = Database::Problem::None;
            reading.layout = table + " could not be read";
        }
        return reading;
    }
    // The highest row id, from the table's own tree at once: the rows come in
    // row-id order, so a row's id says how far the reading is.
    int64_t lastRowid = 0;
    if (Database::Statement top(db, "SELECT max(" + rowid + ") FROM " + table); top.Ok() && top.Step())
        lastRowid = top.Int(0);
    int64_t last = 0;
    bool first = true;
    while (rows.Step()) {
        // Row ids rise in a sound table; one that does not is damaged, and its rest is not to be trusted.
        const int64_t rowid = rows.Int(0);
        if (!first && rowid <= last) {
            reading.problem = Database::Problem::Damaged;
            return reading;
        }
        first = false;
        last = rowid;
        // The fields that name the trace must be text: a number or a blob cannot be shown or matched.
        const bool readable = rows.IsTextOrNull(1) && (!layout.matchAll || (rows.IsTextOrNull(2) && rows.IsTextOrNull(3)));
        if (!readable) {
            ++reading.unreadRows;
            continue;
        }
        DatabaseRow r;
        r.rowid = rowid;
        r.lastRowid = lastRowid;
        r.name = rows.Text(1);
        r.text = rows.Text(2);
        r.more = layout.moreIsCount ? std::to_string(rows.Int(3)) : rows.Text(3);
        if (!row(std::move(r))) {
            reading.stopped = true;
            return reading;
        }
    }
    if (!rows.Done()) {
        reading.problem = db.Why();
        if (reading.problem == Database::Problem::Interrupted) reading.stopped = true;
        if (reading.problem == Database::Problem::None) reading.problem = Database::Problem::Other;
    }
    return reading;
}

StayReason StayReasonOf(Database::Problem problem) {
    switch (problem) {
    case Database::Problem::None: return StayReason::None;
    case Database::Problem::Busy: return StayReason::CloseTheBrowser;
    case Database::Problem::InUse: return StayReason::InUse;
    case Database::Problem::Denied: return StayReason::AccessDenied;
    case Database::Problem::CannotOpen: return StayReason::CannotOpen;
    case Database::Problem::ReadOnly: return StayReason::ReadOnly;
    case Database::Problem::DiskError: return StayReason::DiskError;
    case Database::Problem::Damaged: return StayReason::Damaged;
    case Database::Problem::Interrupted:
    case Database::Problem::Other: break;
    }
    return StayReason::Failed;
}
