// Browser databases laid out as today's browsers write them (Chrome and Edge
// History version 70 and Cookies version 24, Firefox places.sqlite and
// cookies.sqlite), for the seeder and the tests. Each writer replaces the file.
#pragma once

#include <string>
#include <vector>

struct SeedPage {
    std::string url, title;
    int visits = 1;
    bool bookmarked = false;  // Firefox: a bookmark points to it as well
};

struct SeedCookie {
    std::string host, name, path, value;
};

class Database;
// Makes the database at path afresh (with its journal and log gone) from a schema.
bool FreshDatabase(Database& db, const std::string& path, const char* schema);
const char* ChromiumHistorySchema();
const char* FirefoxPlacesSchema();

// urls with their visits, and for each page a search term, a segment and its
// use, a visit source, annotations and a cluster entry.
bool WriteChromiumHistory(const std::string& path, const std::vector<SeedPage>& pages);
bool WriteChromiumCookies(const std::string& path, const std::vector<SeedCookie>& cookies);
// Pages with visits (visits > 0) and bookmarks alone (visits 0, bookmarked),
// with their origins, visits, input history and the bookmark folders. WAL, as Firefox keeps it.
bool WriteFirefoxPlaces(const std::string& path, const std::vector<SeedPage>& pages);
bool WriteFirefoxCookies(const std::string& path, const std::vector<SeedCookie>& cookies);
