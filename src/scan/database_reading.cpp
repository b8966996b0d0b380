#include "scan/database_reading.h"

#include <algorithm>
#include <set>
#include <string_view>

DatabaseLayout LayoutOf(BrowserDatabase database) {
    switch (database) {
    case BrowserDatabase::ChromiumHistory: return {"urls", "url", "title", "visit_count", true};
    case BrowserDatabase::ChromiumCookies: return {"cookies", "host_key", "name", "path", false};
    case BrowserDatabase::FirefoxPlaces: return {"moz_places", "url", "title", "visit_count", true};
    case BrowserDatabase::FirefoxCookies: return {"moz_cookies", "host", "name", "path", false};
    case BrowserDatabase::None: break;
    }
    return {"", "", "", "", true};
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
        if (has(needed) || (layout.history && needed != layout.name)) continue;
        reading.layout = table + " has no column " + needed;
        return reading;
    }
    // A history row lacking a title or a count still lists its address.
    std::string sql = "SELECT t." + rowid + ", t." + layout.name + ", " +
                      (has(layout.text) ? "t." + std::string(layout.text) : "NULL") + ", " +
                      (has(layout.more) ? "t." + std::string(layout.more) : "NULL") + " FROM " + table + " t";
    if (database == BrowserDatabase::FirefoxPlaces) {
        // A place with a visit; a bookmark alone is no trace.
        std::string visited;
        if (has("visit_count")) visited = "t.visit_count > 0";
        if (has("id") && db.HasTable("moz_historyvisits") && db.HasColumn("moz_historyvisits", "place_id"))
            visited += std::string(visited.empty() ? "" : " OR ") +
                       "EXISTS (SELECT 1 FROM moz_historyvisits v WHERE v.place_id = t.id)";
        if (!visited.empty()) sql += " WHERE " + visited;
    }
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
        const bool readable = rows.IsTextOrNull(1) && (layout.history || (rows.IsTextOrNull(2) && rows.IsTextOrNull(3)));
        if (!readable) {
            ++reading.unreadRows;
            continue;
        }
        DatabaseRow r;
        r.rowid = rowid;
        r.name = rows.Text(1);
        r.text = rows.Text(2);
        r.more = layout.history ? std::to_string(rows.Int(3)) : rows.Text(3);
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
