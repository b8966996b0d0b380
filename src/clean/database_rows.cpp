#include "clean/database_rows.h"

#include "platform/database.h"
#include "platform/files.h"

namespace {

// One statement run for each row, where its table is there (older versions lack some).
struct Step {
    const char* table;
    const char* sql;  // ?1 is the row's id
};

// What goes with a row of each database, dependent rows first.
std::vector<Step> StepsOf(BrowserDatabase db) {
    switch (db) {
    case BrowserDatabase::ChromiumHistory:
        return {
            {"visit_source", "DELETE FROM visit_source WHERE id IN (SELECT id FROM visits WHERE url = ?1)"},
            {"content_annotations",
             "DELETE FROM content_annotations WHERE visit_id IN (SELECT id FROM visits WHERE url = ?1)"},
            {"context_annotations",
             "DELETE FROM context_annotations WHERE visit_id IN (SELECT id FROM visits WHERE url = ?1)"},
            {"clusters_and_visits",
             "DELETE FROM clusters_and_visits WHERE visit_id IN (SELECT id FROM visits WHERE url = ?1)"},
            {"cluster_visit_duplicates",
             "DELETE FROM cluster_visit_duplicates WHERE visit_id IN (SELECT id FROM visits WHERE url = ?1) OR "
             "duplicate_visit_id IN (SELECT id FROM visits WHERE url = ?1)"},
            {"visits", "DELETE FROM visits WHERE url = ?1"},
            {"keyword_search_terms", "DELETE FROM keyword_search_terms WHERE url_id = ?1"},
            {"segment_usage", "DELETE FROM segment_usage WHERE segment_id IN (SELECT id FROM segments WHERE url_id = ?1)"},
            {"segments", "DELETE FROM segments WHERE url_id = ?1"},
            {"visited_links", "DELETE FROM visited_links WHERE link_url_id = ?1"},
            {"urls", "DELETE FROM urls WHERE id = ?1"},
        };
    case BrowserDatabase::ChromiumCookies: return {{"cookies", "DELETE FROM cookies WHERE rowid = ?1"}};
    case BrowserDatabase::FirefoxPlaces:
        // Bookmarks are never touched: a bookmarked place stays, without its visits.
        return {
            {"moz_historyvisits", "DELETE FROM moz_historyvisits WHERE place_id = ?1"},
            {"moz_inputhistory", "DELETE FROM moz_inputhistory WHERE place_id = ?1"},
            {"moz_places_metadata", "DELETE FROM moz_places_metadata WHERE place_id = ?1"},
            // The site's origin row goes with its last place.
            {"moz_origins",
             "DELETE FROM moz_origins WHERE id = (SELECT origin_id FROM moz_places WHERE id = ?1) AND NOT EXISTS "
             "(SELECT 1 FROM moz_places p WHERE p.origin_id = moz_origins.id AND (p.id <> ?1 OR EXISTS "
             "(SELECT 1 FROM moz_bookmarks WHERE fk = ?1)))"},
            {"moz_places",
             "UPDATE moz_places SET visit_count = 0, last_visit_date = NULL WHERE id = ?1 AND "
             "EXISTS (SELECT 1 FROM moz_bookmarks WHERE fk = ?1)"},
            {"moz_annos", "DELETE FROM moz_annos WHERE place_id = ?1 AND NOT EXISTS (SELECT 1 FROM moz_bookmarks WHERE fk = ?1)"},
            {"moz_places", "DELETE FROM moz_places WHERE id = ?1 AND NOT EXISTS (SELECT 1 FROM moz_bookmarks WHERE fk = ?1)"},
        };
    case BrowserDatabase::FirefoxCookies: return {{"moz_cookies", "DELETE FROM moz_cookies WHERE id = ?1"}};
    case BrowserDatabase::None: break;
    }
    return {};
}

StayReason Why(const Database& db) { return db.Busy() ? StayReason::CloseTheBrowser : StayReason::Failed; }

// Whether the row with the id still holds what the scan found.
const char* SameRowOf(BrowserDatabase db) {
    switch (db) {
    case BrowserDatabase::ChromiumHistory: return "SELECT 1 FROM urls WHERE id = ?1 AND IFNULL(url, '') = ?2";
    case BrowserDatabase::ChromiumCookies:
        return "SELECT 1 FROM cookies WHERE rowid = ?1 AND host_key = ?3 AND name = ?4 AND path = ?5";
    case BrowserDatabase::FirefoxPlaces: return "SELECT 1 FROM moz_places WHERE id = ?1 AND IFNULL(url, '') = ?2";
    case BrowserDatabase::FirefoxCookies:
        return "SELECT 1 FROM moz_cookies WHERE id = ?1 AND IFNULL(host, '') = ?3 AND IFNULL(name, '') = ?4 AND "
               "IFNULL(path, '') = ?5";
    case BrowserDatabase::None: break;
    }
    return "SELECT 0 WHERE 0";
}

void BindRow(Database::Statement& s, const FoundRow& row) {
    s.Bind(1, row.id);
    s.Bind(2, row.url);
    s.Bind(3, row.host);
    s.Bind(4, row.name);
    s.Bind(5, row.path);
}

// Runs the removal inside an open transaction; false on any failure.
bool RemoveInTransaction(Database& db, BrowserDatabase database, const std::vector<FoundRow>& rows,
                         std::vector<StayReason>& outcome) {
    std::vector<int64_t> ids;
    {
        Database::Statement same(db, SameRowOf(database));
        for (size_t i = 0; i < rows.size(); ++i) {
            BindRow(same, rows[i]);
            if (same.Step()) ids.push_back(rows[i].id);
            else if (same.Done()) outcome[i] = StayReason::ChangedSinceScan;
            else return false;
            same.Reset();
        }
    }
    for (const Step& step : StepsOf(database)) {
        if (!db.HasTable(step.table)) continue;
        Database::Statement s(db, step.sql);
        for (int64_t id : ids) {
            s.Bind(1, id);
            s.Step();
            if (!s.Done()) return false;
            s.Reset();
        }
    }
    return true;
}

}  // namespace

std::vector<StayReason> RemoveDatabaseRows(const std::string& path, BrowserDatabase database,
                                           const std::vector<FoundRow>& rows) {
    std::vector<StayReason> outcome(rows.size(), StayReason::None);
    const auto all = [&](StayReason why) { return std::vector<StayReason>(rows.size(), why); };
    if (IsLink(path)) return all(StayReason::LinkNotFollowed);
    if (!FileExists(path)) return all(StayReason::NotFound);
    Database db;
    if (!db.Open(path, Database::Mode::ReadWrite)) return all(Why(db));
    // A write-ahead log stays one (the browser expects it); any other journal
    // is deleted at the end of each transaction instead of kept.
    bool wal = false;
    {
        Database::Statement mode(db, "PRAGMA journal_mode");
        wal = mode.Step() && mode.Text(0) == "wal";
    }
    if (!wal && !db.Exec("PRAGMA journal_mode = DELETE")) return all(Why(db));
    // Freed space is overwritten with zeros: nothing removed stays in the file.
    if (!db.Exec("PRAGMA secure_delete = ON") || !db.Exec("BEGIN IMMEDIATE")) return all(Why(db));
    if (!RemoveInTransaction(db, database, rows, outcome) || !db.Exec("COMMIT")) {
        const StayReason why = Why(db);
        db.Exec("ROLLBACK");  // nothing is half removed
        return all(why);
    }
    // The rows are gone. Rebuild the file and empty the log, so that no page
    // that held them is left anywhere in the database's files.
    if (wal) db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    db.Exec("VACUUM");
    if (wal) db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    return outcome;
}
