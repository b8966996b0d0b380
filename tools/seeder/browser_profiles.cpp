#include "tools/seeder/browser_profiles.h"

#include <cctype>

#include "platform/database.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "tools/seeder/browser_databases.h"
#include "tools/seeder/browser_stores.h"

void DeleteFolderTree(const std::string& folder);  // seeder.h

namespace {

std::string Num(const char* pattern, int i) {
    std::string s(pattern);
    const size_t at = s.find("%d");
    if (at != std::string::npos) s.replace(at, 2, std::to_string(i));
    return s;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) CreateFolders(path.substr(0, slash));
    File f(path, File::Open::Create);
    if (f) f.WriteAll(bytes);
}

void Remove(const std::string& path) {
    const DWORD attributes = PathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) DeleteFolderTree(path);
    else DeletePath(path);
}

void RemoveDatabase(const std::string& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) DeletePath(path + suffix);
}

// A profile's name as it goes into addresses: "default", "profile1", "x8c4v0zq", "operastable".
std::string Tag(const std::string& profilePath) {
    const std::string folder = profilePath.substr(profilePath.find_last_of('\\') + 1);
    std::string tag;
    for (char ch : folder.substr(0, folder.find('.')))
        if (isalnum(static_cast<unsigned char>(ch))) tag += static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    return tag;
}

// A browser as the seeder lays it out: where its profiles and caches lie.
struct SeedBrowser {
    const char* prefix;  // its items' names start with it ("Chrome History")
    const char* site;    // its part of the seeded addresses ("chrome")
    bool firefox;
    std::vector<std::string> (*profiles)();
    std::vector<std::string> (*caches)();  // the profile folders that hold its caches
};

std::string Local() { return ShellFolder("Local AppData"); }
std::string Roaming() { return ShellFolder("AppData"); }

std::vector<std::string> TwoOf(const std::string& data) { return {data + "\\Default", data + "\\Profile 1"}; }
std::vector<std::string> OneOf(const std::string& data) { return {data + "\\Default"}; }

const SeedBrowser kBrowsers[] = {
    {"Chrome", "chrome", false, [] { return TwoOf(Local() + "\\Google\\Chrome\\User Data"); },
     [] { return TwoOf(Local() + "\\Google\\Chrome\\User Data"); }},
    {"Edge", "edge", false, [] { return TwoOf(Local() + "\\Microsoft\\Edge\\User Data"); },
     [] { return TwoOf(Local() + "\\Microsoft\\Edge\\User Data"); }},
    {"Brave", "brave", false, [] { return OneOf(Local() + "\\BraveSoftware\\Brave-Browser\\User Data"); },
     [] { return OneOf(Local() + "\\BraveSoftware\\Brave-Browser\\User Data"); }},
    {"Vivaldi", "vivaldi", false, [] { return OneOf(Local() + "\\Vivaldi\\User Data"); },
     [] { return OneOf(Local() + "\\Vivaldi\\User Data"); }},
    // Opera's profile is its folder itself; Opera GX keeps one in "Default" there.
    {"Opera", "opera", false, [] { return std::vector<std::string>{Roaming() + "\\Opera Software\\Opera Stable"}; },
     [] { return std::vector<std::string>{Local() + "\\Opera Software\\Opera Stable"}; }},
    {"Opera GX", "operagx", false,
     [] { return std::vector<std::string>{Roaming() + "\\Opera Software\\Opera GX Stable\\Default"}; },
     [] { return std::vector<std::string>{Local() + "\\Opera Software\\Opera GX Stable"}; }},
    {"Chromium", "chromium", false, [] { return OneOf(Local() + "\\Chromium\\User Data"); },
     [] { return OneOf(Local() + "\\Chromium\\User Data"); }},
    {"Firefox", "firefox", true,
     [] {
         const std::string root = Roaming() + "\\Mozilla\\Firefox\\Profiles";
         return std::vector<std::string>{root + "\\x8c4v0zq.default-release", root + "\\m2n6b9pl.work"};
     },
     [] {
         const std::string root = Local() + "\\Mozilla\\Firefox\\Profiles";
         return std::vector<std::string>{root + "\\x8c4v0zq.default-release", root + "\\m2n6b9pl.work"};
     }},
};

// The addresses of a profile's pages: "https://www.example.com/chrome/default/page1.html";
// Firefox's under example.org, with a visited bookmark (listed, kept without its
// visits) and a bookmark alone (never listed).
std::vector<SeedPage> Pages(BrowserSeed& c, const SeedBrowser& b, const std::string& profile) {
    std::vector<SeedPage> pages;
    const std::string base = std::string(b.firefox ? "https://www.example.org/" : "https://www.example.com/") + b.site +
                             "/" + Tag(profile) + "/";
    for (int i = 0; i < c.count; ++i) {
        pages.push_back({base + Num("page%d.html", i + 1), Num("Seed page %d", i + 1), 1 + i % 3});
        c.made->push_back(pages.back().url);
    }
    if (b.firefox) {
        pages.push_back({base + "bookmarked.html", "Seed bookmark", 2, true});
        c.made->push_back(pages.back().url);
        pages.push_back({base + "bookmark-only.html", "Seed bookmark never visited", 0, true});
    }
    return pages;
}

// "site1.default.chrome.example.com": the hosts of a profile's other stores.
std::vector<std::string> Hosts(BrowserSeed& c, const SeedBrowser& b, const std::string& profile, const char* what,
                               bool made = true) {
    std::vector<std::string> hosts;
    for (int i = 0; i < c.count; ++i) {
        hosts.push_back(std::string(what) + std::to_string(i + 1) + "." + Tag(profile) + "." + b.site +
                        (b.firefox ? ".example.org" : ".example.com"));
        if (made) c.made->push_back(hosts.back());
    }
    return hosts;
}

// Files beside a profile's history that no item lists and no clean touches:
// passwords, bookmarks, preferences, each naming the pages' site.
void KeptFiles(const SeedBrowser& b, const std::string& profile) {
    const std::string site = std::string("https://www.example.com/") + b.site + "/" + Tag(profile) + "/";
    if (b.firefox) {
        WriteBytes(profile + "\\logins.json", "{\"logins\":[{\"hostname\":\"https://www.example.org\"}]}");
        return;
    }
    Database logins;
    FreshDatabase(logins, profile + "\\Login Data",
                  "CREATE TABLE logins (origin_url VARCHAR NOT NULL, username_value VARCHAR, password_value BLOB);"
                  "INSERT INTO logins VALUES ('https://www.example.com/login', 'seed', X'00');");
    WriteBytes(profile + "\\Bookmarks", "{\"roots\":{\"bookmark_bar\":{\"children\":[{\"url\":\"" + site + "\"}]}}}");
    WriteBytes(profile + "\\Preferences",
               "{\"profile\":{\"content_settings\":{\"exceptions\":{\"notifications\":{\"https://www.example.com:443,*\":{}}}}}}");
}

void ClearKeptFiles(const std::string& profile) {
    for (const char* name : {"logins.json", "Bookmarks", "Preferences"}) DeletePath(profile + "\\" + name);
    RemoveDatabase(profile + "\\Login Data");
}

// ---- the items of a Chromium browser

void ChromiumHistory(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        const std::vector<SeedPage> pages = Pages(c, b, p);
        WriteChromiumHistory(p + "\\History", pages);
        WriteChromiumFavicons(p + "\\Favicons", pages);
        WriteChromiumTopSites(p + "\\Top Sites", pages);
        WriteChromiumShortcuts(p + "\\Shortcuts", pages);
        WriteChromiumPredictor(p + "\\Network Action Predictor", pages);
        WriteBytes(p + "\\Visited Links", std::string("VLnk\x03\0\0\0", 8) + std::string(56, '\x5A'));
        KeptFiles(b, p);
    }
}

void ClearChromiumHistory(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        for (const char* db : {"History", "Favicons", "Top Sites", "Shortcuts", "Network Action Predictor"})
            RemoveDatabase(p + "\\" + db);
        DeletePath(p + "\\Visited Links");
        ClearKeptFiles(p);
    }
}

std::vector<SeedDownload> Downloads(BrowserSeed& c, const SeedBrowser& b, const std::string& profile) {
    std::vector<SeedDownload> downloads;
    for (int i = 0; i < c.count; ++i) {
        const std::string file = std::string(b.site) + "-" + Tag(profile) + "-" + std::to_string(i + 1) + ".zip";
        const std::string site = "https://downloads.example." + std::string(b.firefox ? "org/" : "com/") + b.site + "/";
        downloads.push_back({b.firefox ? "file:///C:/users/Public/Downloads/" + file : "C:\\users\\Public\\Downloads\\" + file,
                             site + file, site + "index.html"});
        c.made->push_back(downloads.back().targetPath);
    }
    return downloads;
}

void ChromiumDownloads(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        AddChromiumDownloads(p + "\\History", Downloads(c, b, p));
    }
}

void ClearDownloads(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        const std::string path = p + (b.firefox ? "\\places.sqlite" : "\\History");
        if (!FileExists(path)) continue;
        Database db;
        if (!db.Open(path, Database::Mode::ReadWrite)) continue;
        if (b.firefox)
            db.Exec("DELETE FROM moz_places WHERE id IN (SELECT place_id FROM moz_annos); DELETE FROM moz_annos;");
        else db.Exec("DELETE FROM downloads; DELETE FROM downloads_url_chains;");
    }
}

// The first profile keeps its cookies where browsers do since 2021, the second where they did before.
void ChromiumCookies(BrowserSeed& c, const SeedBrowser& b) {
    const std::vector<std::string> profiles = b.profiles();
    for (const std::string& p : profiles) {
        const std::string folder = p + (p == profiles.front() ? "\\Network" : "");
        CreateFolders(folder);
        std::vector<SeedCookie> cookies;
        for (int i = 0; i < c.count; ++i) {
            cookies.push_back({"." + std::string(b.site) + std::to_string(i + 1) + "." + Tag(p) + ".example.com", "sid",
                               "/", Num("v%d", i + 1)});
            c.made->push_back(cookies.back().name + "@" + cookies.back().host + cookies.back().path);
        }
        WriteChromiumCookies(folder + "\\Cookies", cookies);
    }
}

void ClearChromiumCookies(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        RemoveDatabase(p + "\\Network\\Cookies");
        RemoveDatabase(p + "\\Cookies");
    }
}

void Files(BrowserSeed& c, const std::string& folder, const char* pattern, const std::string& content) {
    for (int i = 0; i < c.count; ++i) {
        WriteBytes(folder + "\\" + Num(pattern, i + 1), content + std::to_string(i + 1));
        c.made->push_back(Num(pattern, i + 1));
    }
}

void ChromiumCache(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& at : b.caches()) {
        const std::string url = "https://www.example.com/" + std::string(b.site) + "/cached/";
        Files(c, at + "\\Cache\\Cache_Data", "f_00000%d", url);
        Files(c, at + "\\Code Cache\\js", "9f86d081884c7d6%d_0", url + "script.js ");
        WriteBytes(at + "\\Code Cache\\js\\index-dir\\the-real-index", "index");
        c.made->push_back("the-real-index");
    }
}

void ClearChromiumCache(const SeedBrowser& b) {
    for (const std::string& at : b.caches())
        for (const char* folder : {"Cache", "Code Cache", "GPUCache"}) Remove(at + "\\" + folder);
}

void ChromiumSessions(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        const std::string base = std::string("https://www.example.com/") + b.site + "/" + Tag(p) + "/";
        for (int i = 0; i < c.count; ++i) {
            const std::string name = Num("Session_1341239040000000%d", i + 1);
            WriteBytes(p + "\\Sessions\\" + name, SessionFileBytes({base + Num("tab%d.html", i + 1)}));
            c.made->push_back(name);
        }
        WriteBytes(p + "\\Sessions\\Tabs_13412390400000001", SessionFileBytes({base + "tabs.html"}));
        c.made->push_back("Tabs_13412390400000001");
    }
}

void ClearChromiumSessions(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) Remove(p + "\\Sessions");
}

void ChromiumFormData(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        std::vector<SeedEntry> entries;
        for (int i = 0; i < c.count; ++i) {
            entries.push_back({"q", "seed search " + std::string(b.site) + " " + Tag(p) + " " + std::to_string(i + 1)});
            c.made->push_back(entries.back().value);
        }
        const std::string search = "https://search.example.com/" + std::string(b.site) + "/" + Tag(p) + "?q={searchTerms}";
        WriteChromiumWebData(p + "\\Web Data", entries, search);
        c.made->push_back(search);
    }
}

void ClearChromiumFormData(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) RemoveDatabase(p + "\\Web Data");
}

// A LevelDB folder as Chromium leaves one: its log holding the pairs, a manifest, CURRENT and LOCK.
void LevelDb(const std::string& folder, const std::vector<std::pair<std::string, std::string>>& pairs) {
    WriteBytes(folder + "\\000003.log", LevelDbLogBytes(pairs));
    WriteBytes(folder + "\\MANIFEST-000001", std::string("\x56\x19\xfd\x41\x1c\x00\x01", 7) + "leveldb.BytewiseComparator");
    WriteBytes(folder + "\\CURRENT", "MANIFEST-000001\n");
    WriteBytes(folder + "\\LOCK", "");
}

void ChromiumSiteData(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        const std::vector<std::string> sites = Hosts(c, b, p, "store", false);
        std::vector<std::pair<std::string, std::string>> local, session, worker;
        for (const std::string& host : sites) {
            local.push_back({"_https://" + host + std::string("\0\1", 2) + "seed", std::string("\1", 1) + "value"});
            session.push_back({"map-1-https://" + host + "/", "value"});
            worker.push_back({"REG:https://" + host + "/", "https://" + host + "/sw.js"});
        }
        LevelDb(p + "\\Local Storage\\leveldb", local);
        c.made->push_back("Local Storage\\leveldb");
        LevelDb(p + "\\Session Storage", session);
        c.made->push_back("Session Storage");
        for (size_t i = 0; i < sites.size(); ++i) {
            const std::string folder = p + "\\IndexedDB\\https_" + sites[i] + "_0.indexeddb.leveldb";
            LevelDb(folder, {{"\0\0\0\0\x32" + sites[i], "seed"}});
            c.made->push_back("https://" + sites[i]);
            if (i == 0) {
                WriteBytes(p + "\\IndexedDB\\https_" + sites[i] + "_0.indexeddb.blob\\1\\00\\1", "blob of " + sites[i]);
                c.made->push_back("https://" + sites[i]);
            }
        }
        LevelDb(p + "\\Service Worker\\Database", worker);
        WriteBytes(p + "\\Service Worker\\ScriptCache\\index", "https://" + sites.front() + "/sw.js");
        c.made->push_back("Service Worker");
    }
}

void ClearChromiumSiteData(const SeedBrowser& b) {
    for (const std::string& p : b.profiles())
        for (const char* folder : {"Local Storage", "Session Storage", "IndexedDB", "Service Worker"}) Remove(p + "\\" + folder);
}

void ChromiumSiteSettings(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        const std::vector<std::string> sites = Hosts(c, b, p, "setting", false);
        std::string servers;
        for (const std::string& host : sites) servers += std::string(servers.empty() ? "" : ",") + "{\"server\":\"https://" + host + "\"}";
        WriteBytes(p + "\\Network\\Network Persistent State", "{\"net\":{\"http_server_properties\":{\"servers\":[" + servers + "]}}}");
        c.made->push_back("Network Persistent State");
        WriteBytes(p + "\\Network\\TransportSecurity", "{\"sts\":[{\"host\":\"6kNLmwNLHBXCXhWqZ9TwQ6O4BtS3zErQs0bMyRzDqxA=\"}]}");
        c.made->push_back("TransportSecurity");
        WriteChromiumReporting(p + "\\Network\\Reporting and NEL", sites);
        for (int twice = 0; twice < 2; ++twice) c.made->insert(c.made->end(), sites.begin(), sites.end());
        WriteChromiumBounces(p + "\\DIPS", sites);
        c.made->insert(c.made->end(), sites.begin(), sites.end());
    }
}

void ClearChromiumSiteSettings(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        for (const char* file : {"Network\\Network Persistent State", "Network\\TransportSecurity"}) DeletePath(p + "\\" + file);
        RemoveDatabase(p + "\\Network\\Reporting and NEL");
        RemoveDatabase(p + "\\DIPS");
    }
}

// ---- Firefox

void FirefoxHistory(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        const std::vector<SeedPage> pages = Pages(c, b, p);
        WriteFirefoxPlaces(p + "\\places.sqlite", pages);
        std::vector<SeedPage> visited;
        for (const SeedPage& page : pages)
            if (page.visits > 0 && !page.bookmarked) visited.push_back(page);
        WriteFirefoxFavicons(p + "\\favicons.sqlite", visited);
        KeptFiles(b, p);
    }
}

void ClearFirefoxHistory(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        RemoveDatabase(p + "\\places.sqlite");
        RemoveDatabase(p + "\\favicons.sqlite");
        ClearKeptFiles(p);
    }
}

void FirefoxDownloads(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        AddFirefoxDownloads(p + "\\places.sqlite", Downloads(c, b, p));
    }
}

void FirefoxCookies(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        std::vector<SeedCookie> cookies;
        for (int i = 0; i < c.count; ++i) {
            cookies.push_back({".ff" + std::to_string(i + 1) + "." + Tag(p) + ".example.com", "uid", "/", Num("v%d", i + 1)});
            c.made->push_back(cookies.back().name + "@" + cookies.back().host + cookies.back().path);
        }
        WriteFirefoxCookies(p + "\\cookies.sqlite", cookies);
    }
}

void ClearFirefoxCookies(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) RemoveDatabase(p + "\\cookies.sqlite");
}

void FirefoxCache(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.caches()) {
        Files(c, p + "\\cache2\\entries", "0F4E3D2C1B0A99887766554433221100AABBCC%d",
              "a,:https://www.example.org/firefox/cached/");
        WriteBytes(p + "\\cache2\\index", "not an entry");  // the index lies beside the entries
    }
}

void ClearFirefoxCache(const SeedBrowser& b) {
    for (const std::string& p : b.caches()) Remove(p + "\\cache2");
}

std::string SessionJson(const std::string& url) { return "{\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":\"" + url + "\"}]}]}]}"; }

void FirefoxSessions(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        const std::string base = "https://www.example.org/firefox/" + Tag(p) + "/";
        WriteBytes(p + "\\sessionstore.jsonlz4", MozLz4Bytes(SessionJson(base + "open.html")));
        c.made->push_back("sessionstore.jsonlz4");
        for (const char* name : {"recovery.jsonlz4", "recovery.baklz4"}) {
            WriteBytes(p + "\\sessionstore-backups\\" + name, MozLz4Bytes(SessionJson(base + name)));
            c.made->push_back(name);
        }
    }
}

void ClearFirefoxSessions(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        DeletePath(p + "\\sessionstore.jsonlz4");
        Remove(p + "\\sessionstore-backups");
    }
}

void FirefoxFormData(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        std::vector<SeedEntry> entries;
        for (int i = 0; i < c.count; ++i) {
            entries.push_back({"searchbar-history", "seed search firefox " + Tag(p) + " " + std::to_string(i + 1)});
            c.made->push_back(entries.back().value);
        }
        WriteFirefoxFormHistory(p + "\\formhistory.sqlite", entries);
    }
}

void ClearFirefoxFormData(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) RemoveDatabase(p + "\\formhistory.sqlite");
}

void FirefoxSiteData(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        const std::vector<std::string> sites = Hosts(c, b, p, "store", false);
        for (const std::string& host : sites) {
            WriteBytes(p + "\\storage\\default\\https+++" + host + "\\ls\\data.sqlite", "https://" + host + "/ stored");
            WriteBytes(p + "\\storage\\default\\https+++" + host + "\\.metadata-v2", "https://" + host);
            c.made->push_back("https://" + host);
        }
        WriteFirefoxWebStorage(p + "\\webappsstore.sqlite", sites);
        for (const std::string& host : sites) c.made->push_back(WebStorageKey(host));
    }
}

void ClearFirefoxSiteData(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        Remove(p + "\\storage");
        RemoveDatabase(p + "\\webappsstore.sqlite");
    }
}

void FirefoxSiteSettings(BrowserSeed& c, const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        CreateFolders(p);
        const std::vector<std::string> sites = Hosts(c, b, p, "setting", false);
        std::vector<std::string> origins;
        for (const std::string& host : sites) origins.push_back("https://" + host);
        WriteFirefoxPermissions(p + "\\permissions.sqlite", origins);
        c.made->insert(c.made->end(), origins.begin(), origins.end());
        WriteFirefoxContentPrefs(p + "\\content-prefs.sqlite", sites);
        c.made->insert(c.made->end(), sites.begin(), sites.end());
        std::string state;
        for (const std::string& host : sites) state += host + ":HSTS\t0\t20000\t1830297600000,1,0\n";
        WriteBytes(p + "\\SiteSecurityServiceState.txt", state);
        c.made->push_back("SiteSecurityServiceState.txt");
    }
}

void ClearFirefoxSiteSettings(const SeedBrowser& b) {
    for (const std::string& p : b.profiles()) {
        RemoveDatabase(p + "\\permissions.sqlite");
        RemoveDatabase(p + "\\content-prefs.sqlite");
        DeletePath(p + "\\SiteSecurityServiceState.txt");
    }
}

}  // namespace

const std::vector<BrowserSeedItem>& BrowserSeedItems() {
    static const std::vector<BrowserSeedItem> items = [] {
        std::vector<BrowserSeedItem> out;
        for (const SeedBrowser& b : kBrowsers) {
            const SeedBrowser* p = &b;
            const auto add = [&](std::string name, void (*seed)(BrowserSeed&, const SeedBrowser&),
                                 void (*clear)(const SeedBrowser&)) {
                out.push_back({std::move(name), [p, seed](BrowserSeed& c) { seed(c, *p); }, [p, clear] { clear(*p); }});
            };
            const std::string n = b.prefix;
            if (!b.firefox) {
                add(n + " History", ChromiumHistory, ClearChromiumHistory);
                add(n + " Download History", ChromiumDownloads, ClearDownloads);
                add(n + " Cookies", ChromiumCookies, ClearChromiumCookies);
                add(n + " Cache", ChromiumCache, ClearChromiumCache);
                add(n + " Sessions", ChromiumSessions, ClearChromiumSessions);
                add(n + " Form Data", ChromiumFormData, ClearChromiumFormData);
                add(n + " Site Data", ChromiumSiteData, ClearChromiumSiteData);
                add(n + " Site Settings", ChromiumSiteSettings, ClearChromiumSiteSettings);
            } else {
                add("Firefox Places History", FirefoxHistory, ClearFirefoxHistory);
                add("Firefox Download History", FirefoxDownloads, ClearDownloads);
                add("Firefox Cookie Database", FirefoxCookies, ClearFirefoxCookies);
                add("Firefox Disk Cache", FirefoxCache, ClearFirefoxCache);
                add("Firefox Sessions", FirefoxSessions, ClearFirefoxSessions);
                add("Firefox Form Data", FirefoxFormData, ClearFirefoxFormData);
                add("Firefox Site Data", FirefoxSiteData, ClearFirefoxSiteData);
                add("Firefox Site Settings", FirefoxSiteSettings, ClearFirefoxSiteSettings);
            }
        }
        return out;
    }();
    return items;
}

std::vector<std::string> SeededProfiles(const std::string& item) {
    // The browser whose name the item's begins with: the longest ("Opera GX" before "Opera").
    const SeedBrowser* browser = nullptr;
    for (const SeedBrowser& b : kBrowsers) {
        const std::string prefix = std::string(b.prefix) + " ";
        if (item.rfind(prefix, 0) == 0 && (!browser || prefix.size() > std::string(browser->prefix).size() + 1)) browser = &b;
    }
    if (!browser) return {};
    return item.find("Cache") != std::string::npos ? browser->caches() : browser->profiles();
}
