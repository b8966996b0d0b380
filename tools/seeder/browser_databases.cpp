#include "tools/seeder/browser_databases.h"

#include <memory>

#include "platform/database.h"
#include "platform/files.h"

namespace {

constexpr char kChromiumHistorySchema[] = R"sql(
CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT,url LONGVARCHAR,title LONGVARCHAR,visit_count INTEGER DEFAULT 0 NOT NULL,typed_count INTEGER DEFAULT 0 NOT NULL,last_visit_time INTEGER NOT NULL,hidden INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE visits(id INTEGER PRIMARY KEY AUTOINCREMENT,url INTEGER NOT NULL,visit_time INTEGER NOT NULL,from_visit INTEGER,external_referrer_url TEXT,transition INTEGER DEFAULT 0 NOT NULL,segment_id INTEGER,visit_duration INTEGER DEFAULT 0 NOT NULL,incremented_omnibox_typed_score BOOLEAN DEFAULT FALSE NOT NULL,opener_visit INTEGER,originator_cache_guid TEXT,originator_visit_id INTEGER,originator_from_visit INTEGER,originator_opener_visit INTEGER,is_known_to_sync BOOLEAN DEFAULT FALSE NOT NULL,consider_for_ntp_most_visited BOOLEAN DEFAULT FALSE NOT NULL,visited_link_id INTEGER DEFAULT 0 NOT NULL,app_id TEXT);
CREATE TABLE visit_source(id INTEGER PRIMARY KEY,source INTEGER NOT NULL);
CREATE TABLE keyword_search_terms (keyword_id INTEGER NOT NULL,url_id INTEGER NOT NULL,term LONGVARCHAR NOT NULL,normalized_term LONGVARCHAR NOT NULL);
CREATE TABLE downloads (id INTEGER PRIMARY KEY,guid VARCHAR NOT NULL,current_path LONGVARCHAR NOT NULL,target_path LONGVARCHAR NOT NULL,start_time INTEGER NOT NULL,received_bytes INTEGER NOT NULL,total_bytes INTEGER NOT NULL,state INTEGER NOT NULL,danger_type INTEGER NOT NULL,interrupt_reason INTEGER NOT NULL,hash BLOB NOT NULL,end_time INTEGER NOT NULL,opened INTEGER NOT NULL,last_access_time INTEGER NOT NULL,transient INTEGER NOT NULL,referrer VARCHAR NOT NULL,site_url VARCHAR NOT NULL,embedder_download_data VARCHAR NOT NULL,tab_url VARCHAR NOT NULL,tab_referrer_url VARCHAR NOT NULL,http_method VARCHAR NOT NULL,by_ext_id VARCHAR NOT NULL,by_ext_name VARCHAR NOT NULL,by_web_app_id VARCHAR NOT NULL,etag VARCHAR NOT NULL,last_modified VARCHAR NOT NULL,mime_type VARCHAR(255) NOT NULL,original_mime_type VARCHAR(255) NOT NULL);
CREATE TABLE downloads_url_chains (id INTEGER NOT NULL,chain_index INTEGER NOT NULL,url LONGVARCHAR NOT NULL, PRIMARY KEY (id, chain_index) );
CREATE TABLE downloads_slices (download_id INTEGER NOT NULL,offset INTEGER NOT NULL,received_bytes INTEGER NOT NULL,finished INTEGER NOT NULL DEFAULT 0,PRIMARY KEY (download_id, offset) );
CREATE TABLE segments (id INTEGER PRIMARY KEY,name VARCHAR,url_id INTEGER NON NULL);
CREATE TABLE segment_usage (id INTEGER PRIMARY KEY,segment_id INTEGER NOT NULL,time_slot INTEGER NOT NULL,visit_count INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE content_annotations(visit_id INTEGER PRIMARY KEY,visibility_score NUMERIC,floc_protected_score NUMERIC,categories VARCHAR,page_topics_model_version INTEGER,annotation_flags INTEGER NOT NULL,entities VARCHAR,related_searches VARCHAR,search_normalized_url VARCHAR,search_terms LONGVARCHAR,alternative_title VARCHAR,page_language VARCHAR,password_state INTEGER DEFAULT 0 NOT NULL,has_url_keyed_image BOOLEAN NOT NULL);
CREATE TABLE context_annotations(visit_id INTEGER PRIMARY KEY,context_annotation_flags INTEGER NOT NULL,duration_since_last_visit INTEGER,page_end_reason INTEGER,total_foreground_duration INTEGER,browser_type INTEGER DEFAULT 0 NOT NULL,window_id INTEGER DEFAULT -1 NOT NULL,tab_id INTEGER DEFAULT -1 NOT NULL,task_id INTEGER DEFAULT -1 NOT NULL,root_task_id INTEGER DEFAULT -1 NOT NULL,parent_task_id INTEGER DEFAULT -1 NOT NULL,response_code INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE clusters(cluster_id INTEGER PRIMARY KEY AUTOINCREMENT,should_show_on_prominent_ui_surfaces BOOLEAN NOT NULL,label VARCHAR NOT NULL,raw_label VARCHAR NOT NULL,triggerability_calculated BOOLEAN NOT NULL,originator_cache_guid TEXT NOT NULL,originator_cluster_id INTEGER NOT NULL);
CREATE TABLE clusters_and_visits(cluster_id INTEGER NOT NULL,visit_id INTEGER NOT NULL,score NUMERIC DEFAULT 0 NOT NULL,engagement_score NUMERIC DEFAULT 0 NOT NULL,url_for_deduping LONGVARCHAR NOT NULL,normalized_url LONGVARCHAR NOT NULL,url_for_display LONGVARCHAR NOT NULL,interaction_state INTEGER DEFAULT 0 NOT NULL,PRIMARY KEY(cluster_id,visit_id))WITHOUT ROWID;
CREATE TABLE cluster_keywords(cluster_id INTEGER NOT NULL,keyword VARCHAR NOT NULL,type INTEGER NOT NULL,score NUMERIC NOT NULL,collections VARCHAR NOT NULL);
CREATE TABLE cluster_visit_duplicates(visit_id INTEGER NOT NULL,duplicate_visit_id INTEGER NOT NULL,PRIMARY KEY(visit_id,duplicate_visit_id))WITHOUT ROWID;
CREATE TABLE visited_links(id INTEGER PRIMARY KEY AUTOINCREMENT,link_url_id INTEGER NOT NULL,top_level_url LONGVARCHAR NOT NULL,frame_url LONGVARCHAR NOT NULL,visit_count INTEGER DEFAULT 0 NOT NULL);
CREATE TABLE history_sync_metadata (storage_key INTEGER PRIMARY KEY NOT NULL, value BLOB);
CREATE INDEX visits_url_index ON visits (url);
CREATE INDEX visits_from_index ON visits (from_visit);
CREATE INDEX visits_time_index ON visits (visit_time);
CREATE INDEX visits_originator_id_index ON visits (originator_visit_id);
CREATE INDEX urls_url_index ON urls (url);
CREATE INDEX keyword_search_terms_index1 ON keyword_search_terms (keyword_id,normalized_term);
CREATE INDEX keyword_search_terms_index2 ON keyword_search_terms (url_id);
CREATE INDEX keyword_search_terms_index3 ON keyword_search_terms (term);
CREATE INDEX segments_name ON segments(name);
CREATE INDEX segments_url_id ON segments(url_id);
CREATE INDEX segment_usage_time_slot_segment_id ON segment_usage(time_slot, segment_id);
CREATE INDEX segments_usage_seg_id ON segment_usage(segment_id);
CREATE INDEX clusters_for_visit ON clusters_and_visits(visit_id);
CREATE INDEX cluster_keywords_cluster_id_index ON cluster_keywords(cluster_id);
CREATE UNIQUE INDEX visited_links_index ON visited_links (link_url_id, top_level_url, frame_url);
INSERT INTO meta VALUES('mmap_status','-1');
INSERT INTO meta VALUES('version','70');
INSERT INTO meta VALUES('last_compatible_version','16');
)sql";

constexpr char kChromiumCookiesSchema[] = R"sql(
CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);
CREATE TABLE cookies(creation_utc INTEGER NOT NULL,host_key TEXT NOT NULL,top_frame_site_key TEXT NOT NULL,name TEXT NOT NULL,value TEXT NOT NULL,encrypted_value BLOB NOT NULL,path TEXT NOT NULL,expires_utc INTEGER NOT NULL,is_secure INTEGER NOT NULL,is_httponly INTEGER NOT NULL,last_access_utc INTEGER NOT NULL,has_expires INTEGER NOT NULL,is_persistent INTEGER NOT NULL,priority INTEGER NOT NULL,samesite INTEGER NOT NULL,source_scheme INTEGER NOT NULL,source_port INTEGER NOT NULL,last_update_utc INTEGER NOT NULL,source_type INTEGER NOT NULL,has_cross_site_ancestor INTEGER NOT NULL);
CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, top_frame_site_key, has_cross_site_ancestor, name, path, source_scheme, source_port);
INSERT INTO meta VALUES('mmap_status','-1');
INSERT INTO meta VALUES('version','24');
INSERT INTO meta VALUES('last_compatible_version','24');
)sql";

constexpr char kFirefoxPlacesSchema[] = R"sql(
PRAGMA journal_mode = WAL;
PRAGMA user_version = 78;
CREATE TABLE moz_origins ( id INTEGER PRIMARY KEY, prefix TEXT NOT NULL, host TEXT NOT NULL, frecency INTEGER NOT NULL, recalc_frecency INTEGER NOT NULL DEFAULT 0, alt_frecency INTEGER, recalc_alt_frecency INTEGER NOT NULL DEFAULT 0, UNIQUE (prefix, host) );
CREATE TABLE moz_places (   id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER , guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL, url_hash INTEGER DEFAULT 0 NOT NULL , description TEXT, preview_image_url TEXT, site_name TEXT, origin_id INTEGER REFERENCES moz_origins(id), recalc_frecency INTEGER NOT NULL DEFAULT 0, alt_frecency INTEGER, recalc_alt_frecency INTEGER NOT NULL DEFAULT 0);
CREATE TABLE moz_historyvisits (  id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER, visit_date INTEGER, visit_type INTEGER, session INTEGER, source INTEGER DEFAULT 0 NOT NULL, triggeringPlaceId INTEGER);
CREATE TABLE moz_inputhistory (  place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL, use_count INTEGER, PRIMARY KEY (place_id, input));
CREATE TABLE moz_bookmarks (  id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, dateAdded INTEGER, lastModified INTEGER, guid TEXT, syncStatus INTEGER NOT NULL DEFAULT 0, syncChangeCounter INTEGER NOT NULL DEFAULT 1);
CREATE TABLE moz_bookmarks_deleted (  guid TEXT PRIMARY KEY, dateRemoved INTEGER NOT NULL DEFAULT 0);
CREATE TABLE moz_keywords (  id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE, place_id INTEGER, post_data TEXT);
CREATE TABLE moz_anno_attributes (  id INTEGER PRIMARY KEY, name VARCHAR(32) UNIQUE NOT NULL);
CREATE TABLE moz_annos (  id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL, anno_attribute_id INTEGER, content LONGVARCHAR, flags INTEGER DEFAULT 0, expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0, lastModified INTEGER DEFAULT 0);
CREATE TABLE moz_items_annos (  id INTEGER PRIMARY KEY, item_id INTEGER NOT NULL, anno_attribute_id INTEGER, content LONGVARCHAR, flags INTEGER DEFAULT 0, expiration INTEGER DEFAULT 0, type INTEGER DEFAULT 0, dateAdded INTEGER DEFAULT 0, lastModified INTEGER DEFAULT 0);
CREATE TABLE moz_meta (key TEXT PRIMARY KEY, value NOT NULL) WITHOUT ROWID;
CREATE TABLE moz_places_metadata (id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL, referrer_place_id INTEGER, created_at INTEGER NOT NULL DEFAULT 0, updated_at INTEGER NOT NULL DEFAULT 0, total_view_time INTEGER NOT NULL DEFAULT 0, typing_time INTEGER NOT NULL DEFAULT 0, key_presses INTEGER NOT NULL DEFAULT 0, scrolling_time INTEGER NOT NULL DEFAULT 0, scrolling_distance INTEGER NOT NULL DEFAULT 0, document_type INTEGER NOT NULL DEFAULT 0, search_query_id INTEGER, FOREIGN KEY (place_id) REFERENCES moz_places(id) ON DELETE CASCADE, FOREIGN KEY (referrer_place_id) REFERENCES moz_places(id) ON DELETE CASCADE, FOREIGN KEY(search_query_id) REFERENCES moz_places_metadata_search_queries(id) ON DELETE CASCADE CHECK(place_id != referrer_place_id));
CREATE TABLE moz_places_metadata_search_queries ( id INTEGER PRIMARY KEY, terms TEXT NOT NULL UNIQUE );
CREATE TABLE moz_places_extra (place_id INTEGER PRIMARY KEY NOT NULL, sync_json TEXT, FOREIGN KEY (place_id) REFERENCES moz_places(id) ON DELETE CASCADE);
CREATE TABLE moz_historyvisits_extra (visit_id INTEGER PRIMARY KEY NOT NULL, sync_json TEXT, FOREIGN KEY (visit_id) REFERENCES moz_historyvisits(id) ON DELETE CASCADE);
CREATE UNIQUE INDEX moz_places_metadata_placecreated_uniqueindex ON moz_places_metadata (place_id, created_at);
CREATE INDEX moz_places_metadata_referrerindex ON moz_places_metadata (referrer_place_id);
CREATE INDEX moz_places_url_hashindex ON moz_places (url_hash);
CREATE INDEX moz_places_hostindex ON moz_places (rev_host);
CREATE INDEX moz_places_visitcount ON moz_places (visit_count);
CREATE INDEX moz_places_frecencyindex ON moz_places (frecency);
CREATE INDEX moz_places_lastvisitdateindex ON moz_places (last_visit_date);
CREATE UNIQUE INDEX moz_places_guid_uniqueindex ON moz_places (guid);
CREATE INDEX moz_places_originidindex ON moz_places (origin_id);
CREATE INDEX moz_historyvisits_placedateindex ON moz_historyvisits (place_id, visit_date);
CREATE INDEX moz_historyvisits_fromindex ON moz_historyvisits (from_visit);
CREATE INDEX moz_historyvisits_dateindex ON moz_historyvisits (visit_date);
CREATE INDEX moz_bookmarks_itemindex ON moz_bookmarks (fk, type);
CREATE INDEX moz_bookmarks_parentindex ON moz_bookmarks (parent, position);
CREATE UNIQUE INDEX moz_bookmarks_guid_uniqueindex ON moz_bookmarks (guid);
CREATE UNIQUE INDEX moz_annos_placeattributeindex ON moz_annos (place_id, anno_attribute_id);
INSERT INTO moz_bookmarks (id, type, parent, position, title, guid) VALUES
  (1, 2, 0, 0, '', 'root________'), (2, 2, 1, 0, 'menu', 'menu________'), (3, 2, 1, 1, 'toolbar', 'toolbar_____'),
  (4, 2, 1, 2, 'tags', 'tags________'), (5, 2, 1, 3, 'unfiled', 'unfiled_____'), (6, 2, 1, 4, 'mobile', 'mobile______');
INSERT INTO moz_meta VALUES('origin_frecency_count', 0), ('origin_frecency_sum', 0), ('origin_frecency_sum_of_squares', 0);
)sql";

constexpr char kFirefoxCookiesSchema[] = R"sql(
PRAGMA journal_mode = WAL;
PRAGMA user_version = 16;
CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, isSecure INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, schemeMap INTEGER DEFAULT 0, isPartitionedAttributeSet INTEGER DEFAULT 0, CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));
)sql";

// What hangs on a page besides its visits, each naming it: ?1 is its id, ?2 its address.
constexpr const char* kPageExtras[] = {
    "INSERT INTO keyword_search_terms VALUES (2, ?1, 'seed search ' || ?2, 'seed search ' || ?2)",
    "INSERT INTO segments (id, name, url_id) VALUES (?1, ?2, ?1)",
    "INSERT INTO segment_usage (segment_id, time_slot, visit_count) SELECT ?1, 13412304000000000, 1 WHERE ?2 IS NOT NULL",
    "INSERT INTO content_annotations (visit_id, annotation_flags, search_normalized_url, search_terms, "
    "has_url_keyed_image) SELECT id, 0, ?2, 'seed', 0 FROM visits WHERE url = ?1",
    "INSERT INTO context_annotations (visit_id, context_annotation_flags) SELECT id, 0 FROM visits WHERE url = ?1 AND "
    "?2 IS NOT NULL",
    "INSERT INTO clusters_and_visits (cluster_id, visit_id, url_for_deduping, normalized_url, url_for_display) "
    "SELECT 1, id, ?2, ?2, ?2 FROM visits WHERE url = ?1",
    "INSERT INTO visited_links (link_url_id, top_level_url, frame_url, visit_count) VALUES (?1, ?2, ?2, 1)",
};

// Microseconds since 1601 (Chrome) and since 1970 (Firefox), about the end of 2026.
constexpr long long kChromeNow = 13412390400000000LL;
constexpr long long kUnixNow = 1796083200000000LL;

}  // namespace

bool FreshDatabase(Database& db, const std::string& path, const char* schema) {
    DeletePath(path);
    DeletePath(path + "-journal");
    DeletePath(path + "-wal");
    DeletePath(path + "-shm");
    return db.Open(path, Database::Mode::Create) && db.Exec(schema);
}

namespace {

bool Fresh(Database& db, const std::string& path, const char* schema) { return FreshDatabase(db, path, schema); }

// The host of an address: between "//" and the next "/".
std::string HostOf(const std::string& url) {
    const size_t start = url.find("//");
    if (start == std::string::npos) return {};
    const size_t end = url.find('/', start + 2);
    return url.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2);
}

}  // namespace

const char* ChromiumHistorySchema() { return kChromiumHistorySchema; }
const char* FirefoxPlacesSchema() { return kFirefoxPlacesSchema; }

bool WriteChromiumHistory(const std::string& path, const std::vector<SeedPage>& pages) {
    Database db;
    if (!Fresh(db, path, kChromiumHistorySchema) || !db.Exec("BEGIN")) return false;
    Database::Statement url(db, "INSERT INTO urls (url, title, visit_count, typed_count, last_visit_time) VALUES (?1, ?2, ?3, 1, ?4)");
    Database::Statement visit(db, "INSERT INTO visits (url, visit_time, transition, segment_id, visit_duration) VALUES (?1, ?2, 805306368, ?1, 4000000)");
    Database::Statement more(db, "INSERT INTO visit_source VALUES ((SELECT max(id) FROM visits), 0)");
    std::vector<std::unique_ptr<Database::Statement>> extras;
    for (const char* sql : kPageExtras) extras.push_back(std::make_unique<Database::Statement>(db, sql));
    long long time = kChromeNow;
    for (size_t i = 0; i < pages.size(); ++i) {
        const SeedPage& p = pages[i];
        url.Bind(1, p.url);
        url.Bind(2, p.title);
        url.Bind(3, static_cast<int64_t>(p.visits));
        url.Bind(4, static_cast<int64_t>(time));
        url.Step();
        url.Reset();
        const int64_t id = static_cast<int64_t>(i) + 1;
        for (int v = 0; v < p.visits; ++v) {
            visit.Bind(1, id);
            visit.Bind(2, static_cast<int64_t>(time += 1000000));
            visit.Step();
            visit.Reset();
            more.Step();
            more.Reset();
        }
        for (const auto& extra : extras) {
            extra->Bind(1, id);
            extra->Bind(2, p.url);
            extra->Step();
            extra->Reset();
        }
    }
    db.Exec("INSERT INTO clusters VALUES (1, 1, 'seed', 'seed', 1, '', 0)");
    return db.Exec("COMMIT");
}

bool WriteChromiumCookies(const std::string& path, const std::vector<SeedCookie>& cookies) {
    Database db;
    if (!Fresh(db, path, kChromiumCookiesSchema) || !db.Exec("BEGIN")) return false;
    Database::Statement s(db, R"sql(INSERT INTO cookies VALUES (?1, ?2, '', ?3, ?4, X'', ?5, ?6, 1, 1, ?1, 1, 1, 1, 0, 2, 443, ?1, 0, 0))sql");
    long long time = kChromeNow;
    for (const SeedCookie& c : cookies) {
        s.Bind(1, static_cast<int64_t>(time += 1000));
        s.Bind(2, c.host);
        s.Bind(3, c.name);
        s.Bind(4, c.value);
        s.Bind(5, c.path);
        s.Bind(6, static_cast<int64_t>(time + 31536000000000LL));
        s.Step();
        s.Reset();
    }
    return db.Exec("COMMIT");
}

bool WriteFirefoxPlaces(const std::string& path, const std::vector<SeedPage>& pages) {
    Database db;
    if (!Fresh(db, path, kFirefoxPlacesSchema) || !db.Exec("BEGIN")) return false;
    long long time = kUnixNow;
    int position = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        const SeedPage& p = pages[i];
        const int64_t id = static_cast<int64_t>(i) + 1;
        const std::string host = HostOf(p.url);
        Database::Statement origin(db, "INSERT OR IGNORE INTO moz_origins (prefix, host, frecency) VALUES ('https://', ?1, 100)");
        origin.Bind(1, host);
        origin.Step();
        std::string reversed(host.rbegin(), host.rend());
        Database::Statement place(db, R"sql(INSERT INTO moz_places (id, url, title, rev_host, visit_count, frecency, last_visit_date, guid, url_hash, origin_id)
            VALUES (?1, ?2, ?3, ?4, ?5, 100, ?6, 'seedplace' || ?1, ?1, (SELECT id FROM moz_origins WHERE host = ?7)))sql");
        place.Bind(1, id);
        place.Bind(2, p.url);
        place.Bind(3, p.title);
        place.Bind(4, reversed + ".");
        place.Bind(5, static_cast<int64_t>(p.visits));
        if (p.visits > 0) place.Bind(6, static_cast<int64_t>(time + p.visits * 1000000LL));
        place.Bind(7, host);
        place.Step();
        for (int v = 0; v < p.visits; ++v) {
            Database::Statement visit(db, "INSERT INTO moz_historyvisits (place_id, visit_date, visit_type, source) VALUES (?1, ?2, 1, 0)");
            visit.Bind(1, id);
            visit.Bind(2, static_cast<int64_t>(time += 1000000));
            visit.Step();
        }
        if (p.visits > 0) {
            Database::Statement input(db, "INSERT INTO moz_inputhistory VALUES (?1, 'seed ' || ?1, 1.0)");
            input.Bind(1, id);
            input.Step();
            Database::Statement meta(db, "INSERT INTO moz_places_metadata (place_id, created_at, updated_at, total_view_time) VALUES (?1, ?2, ?2, 5000)");
            meta.Bind(1, id);
            meta.Bind(2, static_cast<int64_t>(time / 1000));
            meta.Step();
        }
        if (p.bookmarked) {
            Database::Statement mark(db, R"sql(INSERT INTO moz_bookmarks (type, fk, parent, position, title, dateAdded, lastModified, guid)
                VALUES (1, ?1, 3, ?2, ?3, ?4, ?4, 'seedmark' || ?1))sql");
            mark.Bind(1, id);
            mark.Bind(2, static_cast<int64_t>(position++));
            mark.Bind(3, p.title);
            mark.Bind(4, static_cast<int64_t>(time));
            mark.Step();
            Database::Statement count(db, "UPDATE moz_places SET foreign_count = foreign_count + 1 WHERE id = ?1");
            count.Bind(1, id);
            count.Step();
        }
    }
    // The sites' statistics, as Firefox keeps them.
    db.Exec(R"sql(
        UPDATE moz_meta SET value = (SELECT count(*) FROM moz_origins WHERE frecency > 0) WHERE key = 'origin_frecency_count';
        UPDATE moz_meta SET value = (SELECT total(frecency) FROM moz_origins WHERE frecency > 0) WHERE key = 'origin_frecency_sum';
        UPDATE moz_meta SET value = (SELECT total(frecency * frecency) FROM moz_origins WHERE frecency > 0)
          WHERE key = 'origin_frecency_sum_of_squares';
    )sql");
    if (!db.Exec("COMMIT")) return false;
    // Firefox leaves its log behind while it runs; the seeded profile looks closed.
    return db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

bool WriteFirefoxCookies(const std::string& path, const std::vector<SeedCookie>& cookies) {
    Database db;
    if (!Fresh(db, path, kFirefoxCookiesSchema) || !db.Exec("BEGIN")) return false;
    Database::Statement s(db, R"sql(INSERT INTO moz_cookies (name, value, host, path, expiry, lastAccessed, creationTime, isSecure, isHttpOnly, sameSite, schemeMap)
        VALUES (?1, ?2, ?3, ?4, 1830297600, ?5, ?5, 1, 0, 1, 2))sql");
    long long time = kUnixNow;
    for (const SeedCookie& c : cookies) {
        s.Bind(1, c.name);
        s.Bind(2, c.value);
        s.Bind(3, c.host);
        s.Bind(4, c.path);
        s.Bind(5, static_cast<int64_t>(time += 1000));
        s.Step();
        s.Reset();
    }
    if (!db.Exec("COMMIT")) return false;
    return db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
}
