#include "clean/database_rows.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <span>
#include <unordered_map>

#include "platform/database.h"
#include "platform/database_snapshot.h"
#include "platform/files.h"
#include "scan/database_reading.h"

namespace {

// One statement of a removal: run only when every table and "table.column"
// it needs is in the database (older versions lack some); {R} stands for the
// name of the main table's row ids. A repeated step runs until it changes
// nothing (at most kRounds times).
struct Step {
    std::initializer_list<const char*> needs;
    const char* sql;
    bool repeat = false;
};
constexpr int kRounds = 64;  // halving the distance each round: enough for any chain

// The working sets, in memory: the rows the scan saw (found), those that
// still hold it (doomed, with their id and site), and what hangs on them.
constexpr const char* kWorkTables[] = {
    "CREATE TEMP TABLE found(rid INTEGER PRIMARY KEY, name TEXT, text TEXT, path TEXT)",
    "CREATE TEMP TABLE doomed(rid INTEGER PRIMARY KEY, id, origin)",
    "CREATE TEMP TABLE gone_ids(id PRIMARY KEY)",  // ids no row keeps (some tables name them by text): what hangs on them goes
    "CREATE TEMP TABLE gone_visits(id INTEGER PRIMARY KEY, from_visit, opener_visit)",
    "CREATE TEMP TABLE touched(id INTEGER PRIMARY KEY)",       // clusters, or sites, that lost a row
    "CREATE TEMP TABLE kept_places(id INTEGER PRIMARY KEY)",   // bookmarked places: they stay, without history
    "CREATE TEMP TABLE gone_places(id INTEGER PRIMARY KEY)",
    "CREATE TEMP TABLE touched_queries(id INTEGER PRIMARY KEY)",
    "CREATE TEMP TABLE gone_origins(id INTEGER PRIMARY KEY)",  // the sites of places that go
};

// After found and doomed: the ids of the doomed rows that no other row keeps.
constexpr Step kGoneIds[] = {
    {{"{T}.id"}, "INSERT OR IGNORE INTO gone_ids SELECT id FROM doomed WHERE id IS NOT NULL"},
    {{"{T}.id"},
     "DELETE FROM gone_ids WHERE id IN (SELECT t.id FROM main.{T} t WHERE t.id IN (SELECT id FROM gone_ids) AND "
     "t.{R} NOT IN (SELECT rid FROM doomed))"},
};

// Chromium's History, as the browser deletes a page: its visits, each kept
// visit that came from (or was opened by) one of them pointing at that
// visit's own referrer instead, what names the visits, the clusters left
// without a visit, the page's search terms, segments and visited links.
constexpr Step kChromiumHistory[] = {
    {{"visits.id", "visits.url"}, "INSERT OR IGNORE INTO gone_visits(id) SELECT id FROM main.visits WHERE url IN (SELECT id FROM gone_ids)"},
    {{"visits.id", "visits.from_visit"},
     "UPDATE gone_visits SET from_visit = (SELECT v.from_visit FROM main.visits v WHERE v.id = gone_visits.id)"},
    {{"visits.id", "visits.opener_visit"},
     "UPDATE gone_visits SET opener_visit = (SELECT v.opener_visit FROM main.visits v WHERE v.id = gone_visits.id)"},
    // A referrer that goes too stands for its own referrer, down the chain; a ring of them for none.
    {{"visits.from_visit"},
     "UPDATE gone_visits SET from_visit = (SELECT g.from_visit FROM gone_visits g WHERE g.id = gone_visits.from_visit) "
     "WHERE from_visit IN (SELECT id FROM gone_visits)",
     true},
    {{"visits.from_visit"}, "UPDATE gone_visits SET from_visit = 0 WHERE from_visit IN (SELECT id FROM gone_visits)"},
    {{"visits.opener_visit"},
     "UPDATE gone_visits SET opener_visit = (SELECT g.opener_visit FROM gone_visits g WHERE g.id = "
     "gone_visits.opener_visit) WHERE opener_visit IN (SELECT id FROM gone_visits)",
     true},
    {{"visits.opener_visit"}, "UPDATE gone_visits SET opener_visit = 0 WHERE opener_visit IN (SELECT id FROM gone_visits)"},
    {{"visits.url"}, "DELETE FROM main.visits WHERE url IN (SELECT id FROM gone_ids)"},
    {{"visits.from_visit"},
     "UPDATE main.visits SET from_visit = (SELECT g.from_visit FROM gone_visits g WHERE g.id = visits.from_visit) "
     "WHERE from_visit IN (SELECT id FROM gone_visits)"},
    {{"visits.opener_visit"},
     "UPDATE main.visits SET opener_visit = (SELECT g.opener_visit FROM gone_visits g WHERE g.id = "
     "visits.opener_visit) WHERE opener_visit IN (SELECT id FROM gone_visits)"},
    {{"visit_source.id"}, "DELETE FROM main.visit_source WHERE id IN (SELECT id FROM gone_visits)"},
    {{"content_annotations.visit_id"},
     "DELETE FROM main.content_annotations WHERE visit_id IN (SELECT id FROM gone_visits)"},
    {{"context_annotations.visit_id"},
     "DELETE FROM main.context_annotations WHERE visit_id IN (SELECT id FROM gone_visits)"},
    {{"clusters_and_visits.cluster_id", "clusters_and_visits.visit_id"},
     "INSERT OR IGNORE INTO touched SELECT cluster_id FROM main.clusters_and_visits WHERE visit_id IN "
     "(SELECT id FROM gone_visits)"},
    {{"clusters_and_visits.visit_id"},
     "DELETE FROM main.clusters_and_visits WHERE visit_id IN (SELECT id FROM gone_visits)"},
    {{"cluster_visit_duplicates.visit_id", "cluster_visit_duplicates.duplicate_visit_id"},
     "DELETE FROM main.cluster_visit_duplicates WHERE visit_id IN (SELECT id FROM gone_visits) OR "
     "duplicate_visit_id IN (SELECT id FROM gone_visits)"},
    // Of the clusters that lost a visit, those with none left.
    {{"clusters_and_visits.cluster_id"},
     "DELETE FROM touched WHERE id IN (SELECT cluster_id FROM main.clusters_and_visits WHERE cluster_id IS NOT NULL)"},
    {{"clusters.cluster_id"}, "DELETE FROM main.clusters WHERE cluster_id IN (SELECT id FROM touched)"},
    {{"cluster_keywords.cluster_id"}, "DELETE FROM main.cluster_keywords WHERE cluster_id IN (SELECT id FROM touched)"},
    {{"keyword_search_terms.url_id"}, "DELETE FROM main.keyword_search_terms WHERE url_id IN (SELECT id FROM gone_ids)"},
    {{"segments.id", "segments.url_id", "segment_usage.segment_id"},
     "DELETE FROM main.segment_usage WHERE segment_id IN (SELECT id FROM main.segments WHERE url_id IN "
     "(SELECT id FROM gone_ids))"},
    {{"segments.url_id"}, "DELETE FROM main.segments WHERE url_id IN (SELECT id FROM gone_ids)"},
    {{"visited_links.link_url_id"}, "DELETE FROM main.visited_links WHERE link_url_id IN (SELECT id FROM gone_ids)"},
    {{"urls"}, "DELETE FROM main.urls WHERE {R} IN (SELECT rid FROM doomed)"},
};

// Firefox's places.sqlite: a bookmarked place (or one with a keyword) stays
// without its history; the others go with their visits, input history,
// metadata (and metadata that names them as referrer), search terms no
// longer named, annotations; a site left without a place goes, the sites and
// places that stay are marked for Firefox to weigh again, and the sites'
// statistics are recomputed.
constexpr Step kFirefoxPlaces[] = {
    {{"moz_bookmarks.fk"},
     "INSERT OR IGNORE INTO kept_places SELECT id FROM gone_ids WHERE id IN (SELECT fk FROM main.moz_bookmarks)"},
    {{"moz_keywords.place_id"},
     "INSERT OR IGNORE INTO kept_places SELECT id FROM gone_ids WHERE id IN (SELECT place_id FROM main.moz_keywords)"},
    {{}, "INSERT INTO gone_places SELECT id FROM gone_ids WHERE id NOT IN (SELECT id FROM kept_places)"},
    {{"moz_places.origin_id"}, "INSERT OR IGNORE INTO touched SELECT origin FROM doomed WHERE origin IS NOT NULL"},
    {{"moz_historyvisits_extra.visit_id", "moz_historyvisits.id", "moz_historyvisits.place_id"},
     "DELETE FROM main.moz_historyvisits_extra WHERE visit_id IN (SELECT id FROM main.moz_historyvisits WHERE "
     "place_id IN (SELECT id FROM gone_ids))"},
    {{"moz_historyvisits.place_id"}, "DELETE FROM main.moz_historyvisits WHERE place_id IN (SELECT id FROM gone_ids)"},
    {{"moz_inputhistory.place_id"}, "DELETE FROM main.moz_inputhistory WHERE place_id IN (SELECT id FROM gone_ids)"},
    {{"moz_places_metadata.place_id", "moz_places_metadata.referrer_place_id", "moz_places_metadata.search_query_id"},
     "INSERT OR IGNORE INTO touched_queries SELECT search_query_id FROM main.moz_places_metadata WHERE "
     "search_query_id IS NOT NULL AND (place_id IN (SELECT id FROM gone_ids) OR referrer_place_id IN "
     "(SELECT id FROM gone_places))"},
    {{"moz_places_metadata.place_id", "moz_places_metadata.search_query_id"},
     "INSERT OR IGNORE INTO touched_queries SELECT search_query_id FROM main.moz_places_metadata WHERE "
     "search_query_id IS NOT NULL AND place_id IN (SELECT id FROM gone_ids)"},
    {{"moz_places_metadata.place_id", "moz_places_metadata.referrer_place_id"},
     "DELETE FROM main.moz_places_metadata WHERE place_id IN (SELECT id FROM gone_ids) OR referrer_place_id IN "
     "(SELECT id FROM gone_places)"},
    {{"moz_places_metadata.place_id"}, "DELETE FROM main.moz_places_metadata WHERE place_id IN (SELECT id FROM gone_ids)"},
    {{"moz_places_metadata.search_query_id"},
     "DELETE FROM touched_queries WHERE id IN (SELECT search_query_id FROM main.moz_places_metadata WHERE "
     "search_query_id IS NOT NULL)"},
    {{"moz_places_metadata_search_queries.id"},
     "DELETE FROM main.moz_places_metadata_search_queries WHERE id IN (SELECT id FROM touched_queries)"},
    {{"moz_annos.place_id"}, "DELETE FROM main.moz_annos WHERE place_id IN (SELECT id FROM gone_places)"},
    {{"moz_places_extra.place_id"}, "DELETE FROM main.moz_places_extra WHERE place_id IN (SELECT id FROM gone_places)"},
    {{"moz_places.visit_count"}, "UPDATE main.moz_places SET visit_count = 0 WHERE id IN (SELECT id FROM kept_places)"},
    {{"moz_places.last_visit_date"},
     "UPDATE main.moz_places SET last_visit_date = NULL WHERE id IN (SELECT id FROM kept_places)"},
    {{"moz_places.typed"}, "UPDATE main.moz_places SET typed = 0 WHERE id IN (SELECT id FROM kept_places)"},
    {{"moz_places.recalc_frecency"},
     "UPDATE main.moz_places SET recalc_frecency = 1 WHERE id IN (SELECT id FROM kept_places)"},
    {{"moz_places.recalc_alt_frecency"},
     "UPDATE main.moz_places SET recalc_alt_frecency = 1 WHERE id IN (SELECT id FROM kept_places)"},
    {{"moz_places"},
     "DELETE FROM main.moz_places WHERE {R} IN (SELECT rid FROM doomed WHERE id IS NULL OR id NOT IN "
     "(SELECT id FROM kept_places))"},
    // Sites: only after their places are gone, so that a site loses its row with its last place.
    {{"moz_origins.id", "moz_places.origin_id"},
     "DELETE FROM touched WHERE id IN (SELECT origin_id FROM main.moz_places WHERE origin_id IS NOT NULL)"},
    {{"moz_origins.id"}, "DELETE FROM main.moz_origins WHERE id IN (SELECT id FROM touched)"},
    {{"moz_origins.id", "moz_origins.recalc_frecency", "moz_places.origin_id"},
     "UPDATE main.moz_origins SET recalc_frecency = 1 WHERE id IN (SELECT origin FROM doomed)"},
    {{"moz_origins.id", "moz_origins.recalc_alt_frecency", "moz_places.origin_id"},
     "UPDATE main.moz_origins SET recalc_alt_frecency = 1 WHERE id IN (SELECT origin FROM doomed)"},
    {{"moz_meta.key", "moz_meta.value", "moz_origins.frecency"},
     "UPDATE main.moz_meta SET value = (SELECT count(*) FROM main.moz_origins WHERE frecency > 0) "
     "WHERE key = 'origin_frecency_count'"},
    {{"moz_meta.key", "moz_meta.value", "moz_origins.frecency"},
     "UPDATE main.moz_meta SET value = (SELECT total(frecency) FROM main.moz_origins WHERE frecency > 0) "
     "WHERE key = 'origin_frecency_sum'"},
    {{"moz_meta.key", "moz_meta.value", "moz_origins.frecency"},
     "UPDATE main.moz_meta SET value = (SELECT total(frecency * frecency) FROM main.moz_origins WHERE frecency > 0) "
     "WHERE key = 'origin_frecency_sum_of_squares'"},
};

// The other stores: their rows, and what names them.
constexpr Step kChromiumCookies[] = {{{"cookies"}, "DELETE FROM main.cookies WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kFirefoxCookies[] = {
    {{"moz_cookies"}, "DELETE FROM main.moz_cookies WHERE {R} IN (SELECT rid FROM doomed)"}};
// A download goes with the chain of addresses it came through; the downloaded file stays.
constexpr Step kChromiumDownloads[] = {
    {{"downloads_url_chains.id"}, "DELETE FROM main.downloads_url_chains WHERE id IN (SELECT id FROM gone_ids)"},
    {{"downloads_slices.download_id"},
     "DELETE FROM main.downloads_slices WHERE download_id IN (SELECT id FROM gone_ids)"},
    {{"downloads"}, "DELETE FROM main.downloads WHERE {R} IN (SELECT rid FROM doomed)"}};
// A page's icon mappings; then the icons no page is mapped to any more, with their pictures.
constexpr Step kChromiumFavicons[] = {
    {{"icon_mapping"}, "DELETE FROM main.icon_mapping WHERE {R} IN (SELECT rid FROM doomed)"},
    {{"favicon_bitmaps.icon_id", "icon_mapping.icon_id"},
     "DELETE FROM main.favicon_bitmaps WHERE icon_id NOT IN (SELECT icon_id FROM main.icon_mapping WHERE icon_id "
     "IS NOT NULL)"},
    {{"favicons.id", "icon_mapping.icon_id"},
     "DELETE FROM main.favicons WHERE id NOT IN (SELECT icon_id FROM main.icon_mapping WHERE icon_id IS NOT NULL)"}};
constexpr Step kChromiumTopSites[] = {{{"top_sites"}, "DELETE FROM main.top_sites WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kChromiumShortcuts[] = {
    {{"omni_box_shortcuts"}, "DELETE FROM main.omni_box_shortcuts WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kChromiumPredictor[] = {
    {{"network_action_predictor"}, "DELETE FROM main.network_action_predictor WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kChromiumAutofill[] = {{{"autofill"}, "DELETE FROM main.autofill WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kChromiumKeywords[] = {{{"keywords"}, "DELETE FROM main.keywords WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kChromiumNel[] = {{{"nel_policies"}, "DELETE FROM main.nel_policies WHERE {R} IN (SELECT rid FROM doomed)"}};
// An endpoint, and its host's endpoint groups once the host has no endpoint left.
constexpr Step kChromiumReporting[] = {
    {{"reporting_endpoints"}, "DELETE FROM main.reporting_endpoints WHERE {R} IN (SELECT rid FROM doomed)"},
    {{"reporting_endpoint_groups.origin_host", "reporting_endpoints.origin_host"},
     "DELETE FROM main.reporting_endpoint_groups WHERE origin_host IN (SELECT f.name FROM found f JOIN doomed d ON "
     "d.rid = f.rid) AND origin_host NOT IN (SELECT origin_host FROM main.reporting_endpoints)"}};
// A site that bounced the user on, with the pop-ups it opened or was.
constexpr Step kChromiumBounces[] = {
    {{"popups.opener_site", "popups.popup_site"},
     "DELETE FROM main.popups WHERE opener_site IN (SELECT f.name FROM found f JOIN doomed d ON d.rid = f.rid) OR "
     "popup_site IN (SELECT f.name FROM found f JOIN doomed d ON d.rid = f.rid)"},
    {{"bounces"}, "DELETE FROM main.bounces WHERE {R} IN (SELECT rid FROM doomed)"}};
// A page's download: every download annotation of its place; the page itself
// stays history, and goes (with its site, when that has no other page) when
// the download was all it was kept for.
constexpr Step kFirefoxDownloads[] = {
    {{"moz_annos.place_id"},
     "INSERT OR IGNORE INTO touched SELECT place_id FROM main.moz_annos WHERE {R} IN (SELECT rid FROM doomed)"},
    {{"moz_annos.place_id", "moz_annos.anno_attribute_id", "moz_anno_attributes.name"},
     "DELETE FROM main.moz_annos WHERE place_id IN (SELECT a.place_id FROM main.moz_annos a WHERE a.{R} IN (SELECT "
     "rid FROM doomed)) AND anno_attribute_id IN (SELECT id FROM main.moz_anno_attributes WHERE name LIKE "
     "'downloads/%')"},
    {{"moz_annos"}, "DELETE FROM main.moz_annos WHERE {R} IN (SELECT rid FROM doomed)"},
    {{"moz_places.id", "moz_places.visit_count", "moz_places.foreign_count", "moz_places.origin_id",
      "moz_historyvisits.place_id"},
     "INSERT OR IGNORE INTO gone_places SELECT id FROM main.moz_places WHERE id IN (SELECT id FROM touched) AND "
     "visit_count = 0 AND foreign_count = 0 AND id NOT IN (SELECT place_id FROM main.moz_historyvisits) AND id NOT IN "
     "(SELECT place_id FROM main.moz_annos)"},
    {{"moz_places.origin_id"},
     "INSERT OR IGNORE INTO gone_origins SELECT origin_id FROM main.moz_places WHERE id IN (SELECT id FROM gone_places) "
     "AND origin_id IS NOT NULL"},
    {{"moz_places.id"}, "DELETE FROM main.moz_places WHERE id IN (SELECT id FROM gone_places)"},
    {{"moz_origins.id", "moz_places.origin_id"},
     "DELETE FROM main.moz_origins WHERE id IN (SELECT id FROM gone_origins) AND id NOT IN (SELECT origin_id FROM "
     "main.moz_places WHERE origin_id IS NOT NULL)"}};
// A page with icons: its links to them, then the icons no page uses any more
// (a site's root icon once no page of the site is left).
constexpr Step kFirefoxFavicons[] = {
    {{"moz_icons_to_pages.page_id"}, "DELETE FROM main.moz_icons_to_pages WHERE page_id IN (SELECT id FROM gone_ids)"},
    {{"moz_pages_w_icons"}, "DELETE FROM main.moz_pages_w_icons WHERE {R} IN (SELECT rid FROM doomed)"},
    {{"moz_icons.id", "moz_icons.root", "moz_icons.icon_url", "moz_icons_to_pages.icon_id"},
     "DELETE FROM main.moz_icons WHERE id NOT IN (SELECT icon_id FROM main.moz_icons_to_pages) AND (root = 0 OR NOT "
     "EXISTS (SELECT 1 FROM main.moz_pages_w_icons p WHERE substr(p.page_url, 1, length(moz_icons.icon_url) - 11) = "
     "substr(moz_icons.icon_url, 1, length(moz_icons.icon_url) - 11)))"}};
constexpr Step kFirefoxFormHistory[] = {
    {{"moz_history_to_sources.history_id"},
     "DELETE FROM main.moz_history_to_sources WHERE history_id IN (SELECT id FROM gone_ids)"},
    {{"moz_sources.id", "moz_history_to_sources.source_id"},
     "DELETE FROM main.moz_sources WHERE id NOT IN (SELECT source_id FROM main.moz_history_to_sources)"},
    {{"moz_formhistory"}, "DELETE FROM main.moz_formhistory WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kFirefoxWebStorage[] = {
    {{"webappsstore2"}, "DELETE FROM main.webappsstore2 WHERE {R} IN (SELECT rid FROM doomed)"}};
constexpr Step kFirefoxPermissions[] = {{{"moz_perms"}, "DELETE FROM main.moz_perms WHERE {R} IN (SELECT rid FROM doomed)"}};
// A site's preferences go with its group.
constexpr Step kFirefoxContentPrefs[] = {
    {{"prefs.groupID"}, "DELETE FROM main.prefs WHERE groupID IN (SELECT id FROM gone_ids)"},
    {{"groups"}, "DELETE FROM main.groups WHERE {R} IN (SELECT rid FROM doomed)"}};

std::span<const Step> StepsOf(BrowserDatabase database) {
    using BD = BrowserDatabase;
    switch (database) {
    case BD::ChromiumHistory: return kChromiumHistory;
    case BD::ChromiumCookies: return kChromiumCookies;
    case BD::FirefoxPlaces: return kFirefoxPlaces;
    case BD::FirefoxCookies: return kFirefoxCookies;
    case BD::ChromiumDownloads: return kChromiumDownloads;
    case BD::ChromiumFavicons: return kChromiumFavicons;
    case BD::ChromiumTopSites: return kChromiumTopSites;
    case BD::ChromiumShortcuts: return kChromiumShortcuts;
    case BD::ChromiumPredictor: return kChromiumPredictor;
    case BD::ChromiumAutofill: return kChromiumAutofill;
    case BD::ChromiumKeywords: return kChromiumKeywords;
    case BD::ChromiumNel: return kChromiumNel;
    case BD::ChromiumReporting: return kChromiumReporting;
    case BD::ChromiumBounces: return kChromiumBounces;
    case BD::FirefoxDownloads: return kFirefoxDownloads;
    case BD::FirefoxFavicons: return kFirefoxFavicons;
    case BD::FirefoxFormHistory: return kFirefoxFormHistory;
    case BD::FirefoxWebStorage: return kFirefoxWebStorage;
    case BD::FirefoxPermissions: return kFirefoxPermissions;
    case BD::FirefoxContentPrefs: return kFirefoxContentPrefs;
    case BD::None: break;
    }
    return {};
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// One removal inside an open transaction.
class RowRemoval {
public:
    RowRemoval(Database& db, BrowserDatabase database) : db_(db), database_(database), layout_(LayoutOf(database)) {}

    // False on the first statement that fails; the caller rolls back.
    bool Run(const std::vector<FoundRow>& rows, std::unordered_map<int64_t, StayReason>& outcome) {
        return Prepare() && LoadFound(rows) && MarkDoomed() && Outcomes(outcome) && RemoveDoomed();
    }
    // The rows whose name is one of names (text, compared byte for byte), whatever their row ids.
    bool RunByNames(const std::vector<std::string>& names) {
        if (!Prepare() || !db_.Exec("CREATE TEMP TABLE names(name TEXT PRIMARY KEY)")) return false;
        Database::Statement add(db_, "INSERT OR IGNORE INTO names VALUES (?1)");
        for (const std::string& name : names) {
            add.Bind(1, name);
            add.Step();
            if (!add.Done()) return false;
            add.Reset();
        }
        const std::string name = layout_.name;
        return db_.Exec(Sql(("INSERT INTO found (rid, name) SELECT t.{R}, t." + name + " FROM main.{T} t WHERE typeof(t." +
                             name + ") = 'text' AND t." + name + " IN (SELECT name FROM names)")
                                .c_str())) &&
               MarkDoomed() && RemoveDoomed();
    }

private:
    bool Prepare() {
        rowid_ = RowIdName(db_, layout_.table);
        if (rowid_.empty() || !Has(layout_.table, layout_.name)) return false;
        for (const char* sql : kWorkTables)
            if (!db_.Exec(sql)) return false;
        return true;
    }

    bool RemoveDoomed() {
        if (!layout_.matchAll)
            for (const Step& step : kGoneIds)
                if (!Do(step)) return false;
        for (const Step& step : StepsOf(database_))
            if (!Do(step)) return false;
        return true;
    }

    std::string Sql(const char* sql) const {
        return Replaced(Replaced(sql, "{R}", rowid_), "{T}", layout_.table);
    }

    bool Has(const std::string& table, const std::string& column = {}) {
        const std::string key = table + "." + column;
        const auto it = known_.find(key);
        if (it != known_.end()) return it->second;
        const bool there = column.empty() ? db_.HasTable(table) : Has(table) && db_.HasColumn(table, column);
        return known_[key] = there;
    }

    bool Do(const Step& step) {
        for (const char* need : step.needs) {
            const std::string n = Sql(need);
            const size_t dot = n.find('.');
            if (!(dot == std::string::npos ? Has(n) : Has(n.substr(0, dot), n.substr(dot + 1)))) return true;
        }
        const std::string sql = Sql(step.sql);
        for (int round = 0; round < (step.repeat ? kRounds : 1); ++round) {
            if (!db_.Exec(sql)) return false;
            if (db_.Changes() == 0) break;
        }
        return true;
    }

    bool LoadFound(const std::vector<FoundRow>& rows) {
        Database::Statement add(db_, "INSERT OR IGNORE INTO found VALUES (?1, ?2, ?3, ?4)");
        for (const FoundRow& r : rows) {
            add.Bind(1, r.rowid);
            if (!layout_.matchAll) {
                add.Bind(2, r.url);
            } else {
                add.Bind(2, r.host);
                add.Bind(3, r.name);
                add.Bind(4, r.path);
            }
            add.Step();
            if (!add.Done()) return false;
            add.Reset();
        }
        return true;
    }

    // The rows that still hold what the scan saw: the same row id, the same
    // text, compared byte for byte whatever collation the table declares.
    bool MarkDoomed() {
        const auto same = [](const char* column, const char* seen) {
            return std::string(" AND typeof(t.") + column + ") IN ('text', 'null') AND IFNULL(t." + column +
                   ", '') = f." + seen + " COLLATE BINARY";
        };
        const std::string table = layout_.table;
        std::string sql = "INSERT INTO doomed SELECT t.{R}, " + std::string(Has(table, "id") ? "t.id" : "NULL") +
                          ", " + (Has(table, "origin_id") ? "t.origin_id" : "NULL") +
                          " FROM found f JOIN main.{T} t ON t.{R} = f.rid WHERE 1" + same(layout_.name, "name");
        if (layout_.matchAll) {
            if (!Has(table, layout_.text) || !Has(table, layout_.more)) return false;
            sql += same(layout_.text, "text") + same(layout_.more, "path");
        }
        return db_.Exec(Sql(sql.c_str()));
    }

    // Every found row: removed with the transaction, or why it stays.
    bool Outcomes(std::unordered_map<int64_t, StayReason>& outcome) {
        Database::Statement s(db_, Sql("SELECT f.rid, EXISTS (SELECT 1 FROM doomed d WHERE d.rid = f.rid), "
                                       "EXISTS (SELECT 1 FROM main.{T} t WHERE t.{R} = f.rid) FROM found f")
                                       .c_str());
        while (s.Step())
            outcome[s.Int(0)] = s.Int(1) ? StayReason::None : s.Int(2) ? StayReason::ChangedSinceScan : StayReason::NotFound;
        return s.Done();
    }

    Database& db_;
    BrowserDatabase database_;
    DatabaseLayout layout_;
    std::string rowid_;
    std::map<std::string, bool> known_;
};

StayReason Why(const Database& db) {
    const StayReason why = StayReasonOf(db.Why());
    return why == StayReason::None ? StayReason::Failed : why;
}

}  // namespace

namespace {

// Opens the database for a removal and runs it in one transaction with secure
// deletion, then rebuilds the file. None, or why nothing changed.
StayReason ChangeDatabase(const std::string& path, const std::function<bool(Database&)>& change) {
    if (IsLink(path)) return StayReason::LinkNotFollowed;
    if (!FileExists(path)) return StayReason::NotFound;
    // A read-only file stays (Wine running as root would write it).
    if (PathAttributes(path) & FILE_ATTRIBUTE_READONLY) return StayReason::ReadOnly;
    {
        // A file another program holds without sharing it: said at once
        // (SQLite would wait, retrying, and then only say it could not open it).
        File probe(path, File::Open::Shared);
        if (!probe) return StayReasonOf(ProblemOfSystemError(probe.Error()));
    }
    Database db;
    if (!db.Open(path, Database::Mode::ReadWrite)) return Why(db);
    // Freed space is overwritten with zeros; the working sets stay in memory;
    // pages are read through a mapping of the file (far fewer system calls).
    if (!db.Exec("PRAGMA secure_delete = ON") || !db.Exec("PRAGMA temp_store = MEMORY") ||
        !db.Exec("PRAGMA mmap_size = 268435456"))
        return Why(db);
    {
        Database::Transaction transaction(db);  // nothing is half removed
        if (!transaction.Begun() || !change(db) || !transaction.Commit()) return Why(db);
    }
    // The rows are gone. Rebuild the file, so that no page that held them is
    // left in it; closing then checkpoints and deletes the log, and the
    // journals went as each transaction ended, each overwritten first.
    db.Exec("VACUUM");
    db.Close();
    return StayReason::None;
}

}  // namespace

std::vector<StayReason> RemoveDatabaseRows(const std::string& path, BrowserDatabase database,
                                           const std::vector<FoundRow>& rows) {
    if (rows.empty()) return {};
    std::unordered_map<int64_t, StayReason> outcome;
    const StayReason why =
        ChangeDatabase(path, [&](Database& db) { return RowRemoval(db, database).Run(rows, outcome); });
    if (why != StayReason::None) return std::vector<StayReason>(rows.size(), why);
    std::vector<StayReason> result;
    result.reserve(rows.size());
    for (const FoundRow& r : rows) result.push_back(outcome.count(r.rowid) ? outcome[r.rowid] : StayReason::Failed);
    return result;
}

StayReason RemoveDatabaseNames(const std::string& path, BrowserDatabase database,
                               const std::vector<std::string>& names) {
    if (names.empty() || !FileExists(path)) return StayReason::None;
    return ChangeDatabase(path, [&](Database& db) { return RowRemoval(db, database).RunByNames(names); });
}

StayReason ChangeDatabaseValue(const std::string& path, const std::string& key,
                               const std::function<std::optional<std::string>(const std::string&)>& edit) {
    bool left = false;  // edit chose to change nothing
    const StayReason why = ChangeDatabase(path, [&](Database& db) {
        if (!db.HasTable("ItemTable")) return false;
        std::optional<std::string> now;
        {
            Database::Statement read(db, "SELECT value FROM main.ItemTable WHERE key = ?1");
            if (!read.Ok()) return false;
            read.Bind(1, key);
            if (!read.Step()) return read.Done();
            now = edit(read.Text(0));
        }
        if (!now) {
            left = true;
            return false;
        }
        Database::Statement write(db, "UPDATE main.ItemTable SET value = ?1 WHERE key = ?2");
        if (!write.Ok()) return false;
        write.Bind(1, *now);
        write.Bind(2, key);
        write.Step();
        return write.Done();
    });
    return left ? StayReason::None : why;
}
