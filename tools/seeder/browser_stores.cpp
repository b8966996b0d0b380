#include "tools/seeder/browser_stores.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/database.h"
#include "platform/files.h"

namespace {


constexpr char kMeta[] =
    "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
    "INSERT INTO meta VALUES('mmap_status','-1');";

// Runs the statements (";"-separated) for each item in turn, binding what bind
// gives (the item and its number from 1) to each; all in one transaction.
template <typename T, typename Bind>
bool Rows(Database& db, const std::string& sqls, const std::vector<T>& items, Bind bind) {
    if (!db.Exec("BEGIN")) return false;
    std::vector<std::unique_ptr<Database::Statement>> statements;
    for (size_t at = 0; at < sqls.size();) {
        const size_t end = std::min(sqls.find(';', at), sqls.size());
        statements.push_back(std::make_unique<Database::Statement>(db, sqls.substr(at, end - at)));
        at = end + 1;
    }
    int64_t n = 0;
    for (const T& item : items) {
        ++n;
        for (const auto& s : statements) {
            bind(*s, item, n);
            s->Step();
            if (!s->Done()) return false;
            s->Reset();
        }
    }
    return db.Exec("COMMIT");
}

// Opens a database, made from its schema when it is not there yet.
bool OpenOrMake(Database& db, const std::string& path, const char* schema) {
    if (FileExists(path)) return db.Open(path, Database::Mode::ReadWrite);
    return FreshDatabase(db, path, schema);
}

void AppendU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}

// A pickled string: its length, its bytes, padding to four.
void AppendPickled(std::string& out, const std::string& text) {
    AppendU32(out, static_cast<uint32_t>(text.size()));
    out += text;
    while (out.size() % 4) out += '\0';
}

uint32_t Crc32c(const std::string& data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? (crc >> 1) ^ 0x82F63B78u : crc >> 1;
    }
    return ~crc;
}

void AppendVarint(std::string& out, uint64_t v) {
    while (v >= 0x80) {
        out += static_cast<char>(v & 0x7F | 0x80);
        v >>= 7;
    }
    out += static_cast<char>(v);
}

}  // namespace

bool WriteChromiumFavicons(const std::string& path, const std::vector<SeedPage>& pages) {
    Database db;
    return FreshDatabase(db, path, (std::string(kMeta) + R"sql(
        CREATE TABLE icon_mapping(id INTEGER PRIMARY KEY,page_url LONGVARCHAR NOT NULL,icon_id INTEGER,page_url_type INTEGER DEFAULT 0);
        CREATE TABLE favicons(id INTEGER PRIMARY KEY,url LONGVARCHAR NOT NULL,icon_type INTEGER DEFAULT 1);
        CREATE TABLE favicon_bitmaps(id INTEGER PRIMARY KEY,icon_id INTEGER NOT NULL,last_updated INTEGER DEFAULT 0,image_data BLOB,width INTEGER DEFAULT 0,height INTEGER DEFAULT 0,last_requested INTEGER DEFAULT 0);
        CREATE INDEX icon_mapping_page_url_idx ON icon_mapping(page_url);
        INSERT INTO meta VALUES('version','8');)sql").c_str()) &&
           Rows(db,
                "INSERT INTO favicons VALUES (?1, ?2 || 'favicon.ico', 1);"
                "INSERT INTO favicon_bitmaps (icon_id, image_data, width, height) VALUES (?1, X'89504E47', 16, 16);"
                "INSERT INTO icon_mapping (page_url, icon_id) VALUES (?2, ?1)",
                pages, [](Database::Statement& s, const SeedPage& p, int64_t n) {
                    s.Bind(1, n);
                    s.Bind(2, p.url);
                });
}

bool WriteChromiumTopSites(const std::string& path, const std::vector<SeedPage>& pages) {
    Database db;
    return FreshDatabase(db, path, (std::string(kMeta) + R"sql(
        CREATE TABLE top_sites(url TEXT NOT NULL PRIMARY KEY,url_rank INTEGER NOT NULL,title TEXT NOT NULL);
        INSERT INTO meta VALUES('version','5');)sql").c_str()) &&
           Rows(db, "INSERT INTO top_sites VALUES (?1, ?2, ?3)", pages,
                [](Database::Statement& s, const SeedPage& p, int64_t n) {
                    s.Bind(1, p.url);
                    s.Bind(2, n - 1);
                    s.Bind(3, p.title);
                });
}

bool WriteChromiumShortcuts(const std::string& path, const std::vector<SeedPage>& pages) {
    Database db;
    return FreshDatabase(db, path, (std::string(kMeta) + R"sql(
        CREATE TABLE omni_box_shortcuts (id VARCHAR PRIMARY KEY, text VARCHAR, fill_into_edit VARCHAR, url VARCHAR, document_type INTEGER, contents VARCHAR, contents_class VARCHAR, description VARCHAR, description_class VARCHAR, transition INTEGER, type INTEGER, keyword VARCHAR, last_access_time INTEGER, number_of_hits INTEGER);
        INSERT INTO meta VALUES('version','1');)sql").c_str()) &&
           Rows(db,
                "INSERT INTO omni_box_shortcuts VALUES ('seed-shortcut-' || ?1, 'seed ' || ?3, ?2, ?2, 0, ?2, '0,1', "
                "?3, '0,0', 1, 0, '', 13412390400000000, 2)",
                pages, [](Database::Statement& s, const SeedPage& p, int64_t n) {
                    s.Bind(1, n);
                    s.Bind(2, p.url);
                    s.Bind(3, p.title);
                });
}

bool WriteChromiumPredictor(const std::string& path, const std::vector<SeedPage>& pages) {
    Database db;
    return FreshDatabase(db, path, (std::string(kMeta) + R"sql(
        CREATE TABLE network_action_predictor (id TEXT PRIMARY KEY, user_text TEXT, url TEXT, number_of_hits INTEGER, number_of_misses INTEGER);
        INSERT INTO meta VALUES('version','1');)sql").c_str()) &&
           Rows(db, "INSERT INTO network_action_predictor VALUES ('seed-prediction-' || ?1, 'seed', ?2, 3, 0)", pages,
                [](Database::Statement& s, const SeedPage& p, int64_t n) {
                    s.Bind(1, n);
                    s.Bind(2, p.url);
                });
}

bool AddChromiumDownloads(const std::string& path, const std::vector<SeedDownload>& downloads) {
    Database db;
    return OpenOrMake(db, path, ChromiumHistorySchema()) &&
           Rows(db,
                "INSERT INTO downloads VALUES (NULL, 'seed-download-' || ?4, ?1, ?1, 13412390400000000, 1024, 1024, 1, "
                "0, 0, X'', 13412390401000000, 0, 13412390401000000, 0, ?3, ?3, '', ?3, ?3, 'GET', '', '', '', '', "
                "'', 'application/zip', 'application/zip');"
                "INSERT INTO downloads_url_chains VALUES (last_insert_rowid(), 0, ?2)",
                downloads, [](Database::Statement& s, const SeedDownload& d, int64_t n) {
                    s.Bind(1, d.targetPath);
                    s.Bind(2, d.url);
                    s.Bind(3, d.page);
                    s.Bind(4, n);
                });
}

bool AddFirefoxDownloads(const std::string& path, const std::vector<SeedDownload>& downloads) {
    Database db;
    if (!OpenOrMake(db, path, FirefoxPlacesSchema()) ||
        !db.Exec("INSERT OR IGNORE INTO moz_anno_attributes (name) VALUES ('downloads/destinationFileURI'), "
                 "('downloads/metaData')"))
        return false;
    const bool ok = Rows(
        db,
        "INSERT INTO moz_places (url, title, rev_host, guid, url_hash) VALUES (?2, ?2, '', 'seeddown' || ?3, ?3);"
        "INSERT INTO moz_annos (place_id, anno_attribute_id, content, type) SELECT last_insert_rowid(), id, ?1, 3 FROM "
        "moz_anno_attributes WHERE name = 'downloads/destinationFileURI';"
        "INSERT INTO moz_annos (place_id, anno_attribute_id, content, type) SELECT (SELECT id FROM moz_places WHERE "
        "url = ?2), id, '{\"state\":1,\"endTime\":1796083200000,\"fileSize\":1024}', 3 FROM moz_anno_attributes "
        "WHERE name = 'downloads/metaData'",
        downloads, [](Database::Statement& s, const SeedDownload& d, int64_t n) {
            s.Bind(1, d.targetPath);
            s.Bind(2, d.url);
            s.Bind(3, n);
        });
    return ok && db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

bool WriteChromiumWebData(const std::string& path, const std::vector<SeedEntry>& autofill,
                          const std::string& autoAddedSearchUrl) {
    Database db;
    if (!FreshDatabase(db, path, (std::string(kMeta) + R"sql(
        CREATE TABLE autofill (name VARCHAR, value VARCHAR, value_lower VARCHAR, date_created INTEGER DEFAULT 0, date_last_used INTEGER DEFAULT 0, count INTEGER DEFAULT 1, PRIMARY KEY (name, value));
        CREATE TABLE keywords (id INTEGER PRIMARY KEY,short_name VARCHAR NOT NULL,keyword VARCHAR NOT NULL,favicon_url VARCHAR NOT NULL,url VARCHAR NOT NULL,safe_for_autoreplace INTEGER,originating_url VARCHAR,date_created INTEGER DEFAULT 0,usage_count INTEGER DEFAULT 0,input_encodings VARCHAR,suggest_url VARCHAR,prepopulate_id INTEGER DEFAULT 0,created_by_policy INTEGER DEFAULT 0,last_modified INTEGER DEFAULT 0,sync_guid VARCHAR,alternate_urls VARCHAR,image_url VARCHAR,search_url_post_params VARCHAR,suggest_url_post_params VARCHAR,image_url_post_params VARCHAR,new_tab_url VARCHAR,last_visited INTEGER DEFAULT 0,created_from_play_api INTEGER DEFAULT 0,is_active INTEGER DEFAULT 0,starter_pack_id INTEGER DEFAULT 0,enforced_by_policy INTEGER DEFAULT 0,featured_by_policy INTEGER DEFAULT 0);
        CREATE TABLE logins_placeholder (id INTEGER);
        INSERT INTO meta VALUES('version','134');
        INSERT INTO keywords (short_name, keyword, favicon_url, url, safe_for_autoreplace, prepopulate_id, sync_guid)
          VALUES ('Google', 'google.com', 'https://www.google.com/favicon.ico', '{google:baseURL}search?q={searchTerms}', 1, 1, 'seed-google');)sql").c_str()) ||
        !Rows(db, "INSERT INTO autofill VALUES (?1, ?2, lower(?2), 1796083200, 1796083200, 1)", autofill,
              [](Database::Statement& s, const SeedEntry& e, int64_t) {
                  s.Bind(1, e.name);
                  s.Bind(2, e.value);
              }))
        return false;
    Database::Statement k(db, "INSERT INTO keywords (short_name, keyword, favicon_url, url, safe_for_autoreplace, "
                              "originating_url, prepopulate_id, sync_guid) VALUES (?1, ?1, '', ?2, 1, ?2, 0, 'seed-auto')");
    const size_t host = autoAddedSearchUrl.find("//") + 2;
    k.Bind(1, autoAddedSearchUrl.substr(host, autoAddedSearchUrl.find('/', host) - host));
    k.Bind(2, autoAddedSearchUrl);
    k.Step();
    return k.Done();
}

bool WriteChromiumReporting(const std::string& path, const std::vector<std::string>& hosts) {
    Database db;
    return FreshDatabase(db, path, (std::string(kMeta) + R"sql(
        CREATE TABLE nel_policies (nik TEXT NOT NULL, origin_scheme TEXT NOT NULL, origin_host TEXT NOT NULL, origin_port INTEGER NOT NULL, received_ip_address TEXT NOT NULL, group_name TEXT NOT NULL, expires_us_since_epoch INTEGER NOT NULL, success_fraction REAL NOT NULL, failure_fraction REAL NOT NULL, is_include_subdomains INTEGER NOT NULL, last_access_us_since_epoch INTEGER NOT NULL, PRIMARY KEY(nik, origin_scheme, origin_host, origin_port));
        CREATE TABLE reporting_endpoints (nik TEXT NOT NULL, origin_scheme TEXT NOT NULL, origin_host TEXT NOT NULL, origin_port INTEGER NOT NULL, group_name TEXT NOT NULL, url TEXT NOT NULL, priority INTEGER NOT NULL, weight INTEGER NOT NULL, PRIMARY KEY(nik, origin_scheme, origin_host, origin_port, group_name, url));
        CREATE TABLE reporting_endpoint_groups (nik TEXT NOT NULL, origin_scheme TEXT NOT NULL, origin_host TEXT NOT NULL, origin_port INTEGER NOT NULL, group_name TEXT NOT NULL, is_include_subdomains INTEGER NOT NULL, expires_us_since_epoch INTEGER NOT NULL, last_access_us_since_epoch INTEGER NOT NULL, PRIMARY KEY(nik, origin_scheme, origin_host, origin_port, group_name));
        INSERT INTO meta VALUES('version','2');)sql").c_str()) &&
           Rows(db,
                "INSERT INTO nel_policies VALUES ('', 'https', ?1, 443, '192.0.2.1', 'nel', 1830297600000000, 1.0, "
                "1.0, 0, 1796083200000000);"
                "INSERT INTO reporting_endpoints VALUES ('', 'https', ?1, 443, 'nel', 'https://' || ?1 || '/reports', "
                "1, 1);"
                "INSERT INTO reporting_endpoint_groups VALUES ('', 'https', ?1, 443, 'nel', 0, 1830297600000000, "
                "1796083200000000)",
                hosts, [](Database::Statement& s, const std::string& h, int64_t) { s.Bind(1, h); });
}

bool WriteChromiumBounces(const std::string& path, const std::vector<std::string>& sites) {
    Database db;
    return FreshDatabase(db, path, (std::string(kMeta) + R"sql(
        CREATE TABLE bounces(site TEXT PRIMARY KEY NOT NULL, first_site_storage_time INTEGER, last_site_storage_time INTEGER, first_user_interaction_time INTEGER, last_user_interaction_time INTEGER, first_stateful_bounce_time INTEGER, last_stateful_bounce_time INTEGER, first_bounce_time INTEGER, last_bounce_time INTEGER, first_web_authn_assertion_time INTEGER, last_web_authn_assertion_time INTEGER);
        CREATE TABLE popups(opener_site TEXT NOT NULL, popup_site TEXT NOT NULL, access_id TEXT, last_popup_time INTEGER, is_current_interaction BOOLEAN, is_authentication_interaction BOOLEAN, PRIMARY KEY (opener_site, popup_site));
        INSERT INTO meta VALUES('version','8');)sql").c_str()) &&
           Rows(db, "INSERT INTO bounces (site, first_bounce_time, last_bounce_time) VALUES (?1, 13412390400000000, 13412390400000000)",
                sites, [](Database::Statement& s, const std::string& site, int64_t) { s.Bind(1, site); }) &&
           (sites.empty() || [&] {
               Database::Statement p(db, "INSERT INTO popups VALUES (?1, 'login.example.net', '', 13412390400000000, 1, 0)");
               p.Bind(1, sites.front());
               p.Step();
               return p.Done();
           }());
}

std::string SessionFileBytes(const std::vector<std::string>& urls) {
    std::string out = "SNSS";
    AppendU32(out, 3);
    int index = 0;
    for (const std::string& url : urls) {
        // An "update tab navigation" command: a pickle of the tab, its index, the address and a title.
        std::string pickle;
        AppendU32(pickle, 7);      // tab id
        AppendU32(pickle, static_cast<uint32_t>(index++));
        AppendPickled(pickle, url);
        AppendU32(pickle, 0);      // an empty title
        std::string payload;
        AppendU32(payload, static_cast<uint32_t>(pickle.size()));
        payload += pickle;
        const uint16_t size = static_cast<uint16_t>(payload.size() + 1);
        out += static_cast<char>(size & 0xFF);
        out += static_cast<char>(size >> 8);
        out += static_cast<char>(6);  // the command's id
        out += payload;
    }
    return out;
}

std::string LevelDbLogBytes(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string batch(8, '\0');  // the sequence number: 1
    batch[0] = 1;
    AppendU32(batch, static_cast<uint32_t>(pairs.size()));
    for (const auto& [key, value] : pairs) {
        batch += '\x01';  // a put
        AppendVarint(batch, key.size());
        batch += key;
        AppendVarint(batch, value.size());
        batch += value;
    }
    // One full record: its masked checksum over the type and the data, the length, the type.
    const std::string typed = std::string(1, '\x01') + batch;
    const uint32_t crc = Crc32c(typed);
    const uint32_t masked = ((crc >> 15) | (crc << 17)) + 0xA282EAD8u;
    std::string out;
    AppendU32(out, masked);
    out += static_cast<char>(batch.size() & 0xFF);
    out += static_cast<char>(batch.size() >> 8 & 0xFF);
    out += typed;
    return out;
}

std::string MozLz4Bytes(const std::string& json) {
    std::string out("mozLz40\0", 8);
    AppendU32(out, static_cast<uint32_t>(json.size()));
    // One sequence of literals alone, as a valid LZ4 block may be.
    const size_t n = json.size();
    out += static_cast<char>((n >= 15 ? 15 : n) << 4);
    if (n >= 15) {
        size_t rest = n - 15;
        while (rest >= 255) {
            out += '\xFF';
            rest -= 255;
        }
        out += static_cast<char>(rest);
    }
    return out + json;
}

bool WriteFirefoxFavicons(const std::string& path, const std::vector<SeedPage>& pages) {
    Database db;
    if (!FreshDatabase(db, path, R"sql(
        PRAGMA journal_mode = WAL;
        PRAGMA user_version = 8;
        CREATE TABLE moz_icons ( id INTEGER PRIMARY KEY, icon_url TEXT NOT NULL, fixed_icon_url_hash INTEGER NOT NULL, width INTEGER NOT NULL DEFAULT 0, root INTEGER NOT NULL DEFAULT 0, color INTEGER, expire_ms INTEGER NOT NULL DEFAULT 0, flags INTEGER NOT NULL DEFAULT 0, data BLOB );
        CREATE TABLE moz_pages_w_icons ( id INTEGER PRIMARY KEY, page_url TEXT NOT NULL, page_url_hash INTEGER NOT NULL );
        CREATE TABLE moz_icons_to_pages ( page_id INTEGER NOT NULL, icon_id INTEGER NOT NULL, expire_ms INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (page_id, icon_id), FOREIGN KEY (page_id) REFERENCES moz_pages_w_icons ON DELETE CASCADE, FOREIGN KEY (icon_id) REFERENCES moz_icons ON DELETE CASCADE ) WITHOUT ROWID;
)sql"))
        return false;
    const bool ok = Rows(db,
                         "INSERT INTO moz_pages_w_icons VALUES (?1, ?2, ?1);"
                         "INSERT INTO moz_icons VALUES (?1, ?2 || '#icon', ?1, 16, 0, NULL, 0, 0, X'89504E47');"
                         "INSERT INTO moz_icons_to_pages VALUES (?1, ?1, 0)",
                         pages, [](Database::Statement& s, const SeedPage& p, int64_t n) {
                             s.Bind(1, n);
                             s.Bind(2, p.url);
                         });
    // Each site's root icon, found by the site alone.
    if (!ok || !db.Exec("INSERT INTO moz_icons (icon_url, fixed_icon_url_hash, width, root) SELECT DISTINCT "
                        "substr(page_url, 1, instr(substr(page_url, 9), '/') + 8) || 'favicon.ico', 2000, 16, 1 FROM "
                        "moz_pages_w_icons"))
        return false;
    return db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

bool WriteFirefoxFormHistory(const std::string& path, const std::vector<SeedEntry>& entries) {
    Database db;
    return FreshDatabase(db, path, R"sql(
        PRAGMA user_version = 5;
        CREATE TABLE moz_formhistory (id INTEGER PRIMARY KEY, fieldname TEXT NOT NULL, value TEXT NOT NULL, timesUsed INTEGER, firstUsed INTEGER, lastUsed INTEGER, guid TEXT);
        CREATE TABLE moz_sources (id INTEGER PRIMARY KEY, source TEXT NOT NULL);
        CREATE TABLE moz_history_to_sources (history_id INTEGER, source_id INTEGER, PRIMARY KEY (history_id, source_id), FOREIGN KEY (history_id) REFERENCES moz_formhistory(id) ON DELETE CASCADE, FOREIGN KEY (source_id) REFERENCES moz_sources(id) ON DELETE CASCADE) WITHOUT ROWID;)sql") &&
           Rows(db,
                "INSERT INTO moz_formhistory VALUES (?3, ?1, ?2, 1, 1796083200000000, 1796083200000000, 'seedform' || ?3);"
                "INSERT INTO moz_sources VALUES (?3, 'search-engine-' || ?3);"
                "INSERT INTO moz_history_to_sources VALUES (?3, ?3)",
                entries, [](Database::Statement& s, const SeedEntry& e, int64_t n) {
                    s.Bind(1, e.name);
                    s.Bind(2, e.value);
                    s.Bind(3, n);
                });
}

std::string WebStorageKey(const std::string& host) { return std::string(host.rbegin(), host.rend()) + ".:https:443"; }

bool WriteFirefoxWebStorage(const std::string& path, const std::vector<std::string>& hosts) {
    Database db;
    return FreshDatabase(db, path, R"sql(
        PRAGMA user_version = 4;
        CREATE TABLE webappsstore2 (originAttributes TEXT, originKey TEXT, scope TEXT, key TEXT, value TEXT);
        CREATE UNIQUE INDEX origin_key_index ON webappsstore2(originAttributes, originKey, key);)sql") &&
           Rows(db, "INSERT INTO webappsstore2 VALUES ('', ?1, ?2, 'seed', 'https://' || ?2 || '/stored')", hosts,
                [](Database::Statement& s, const std::string& h, int64_t) {
                    s.Bind(1, WebStorageKey(h));
                    s.Bind(2, h);
                });
}

bool WriteFirefoxPermissions(const std::string& path, const std::vector<std::string>& origins) {
    Database db;
    return FreshDatabase(db, path, R"sql(
        PRAGMA user_version = 12;
        CREATE TABLE moz_perms ( id INTEGER PRIMARY KEY,origin TEXT,type TEXT,permission INTEGER,expireType INTEGER,expireTime INTEGER,modificationTime INTEGER);
        CREATE TABLE moz_hosts ( id INTEGER PRIMARY KEY,host TEXT,type TEXT,permission INTEGER,expireType INTEGER,expireTime INTEGER,modificationTime INTEGER,isInBrowserElement INTEGER);)sql") &&
           Rows(db, "INSERT INTO moz_perms (origin, type, permission, expireType, expireTime, modificationTime) VALUES (?1, 'desktop-notification', 1, 0, 0, 1796083200000)",
                origins, [](Database::Statement& s, const std::string& o, int64_t) { s.Bind(1, o); });
}

bool WriteFirefoxContentPrefs(const std::string& path, const std::vector<std::string>& hosts) {
    Database db;
    return FreshDatabase(db, path, R"sql(
        PRAGMA user_version = 5;
        CREATE TABLE groups (id INTEGER PRIMARY KEY, name TEXT NOT NULL);
        CREATE TABLE settings (id INTEGER PRIMARY KEY, name TEXT NOT NULL);
        CREATE TABLE prefs (id INTEGER PRIMARY KEY, groupID INTEGER REFERENCES groups(id), settingID INTEGER NOT NULL REFERENCES settings(id), value BLOB, timestamp INTEGER NOT NULL DEFAULT 0);
        INSERT INTO settings VALUES (1, 'browser.content.full-zoom');)sql") &&
           Rows(db,
                "INSERT INTO groups VALUES (?2, ?1);"
                "INSERT INTO prefs (groupID, settingID, value, timestamp) VALUES (?2, 1, 1.2, 1796083200)",
                hosts, [](Database::Statement& s, const std::string& h, int64_t n) {
                    s.Bind(1, h);
                    s.Bind(2, n);
                });
}
