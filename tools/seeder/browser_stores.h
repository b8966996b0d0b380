// The other stores of a browser profile, laid out as today's browsers write
// them (from their published schemas and file formats), for the seeder and
// the tests: Chromium's Favicons, Top Sites, Shortcuts, Network Action
// Predictor, Web Data, Reporting and NEL, DIPS, session files and LevelDB
// logs; Firefox's favicons, form history, web storage, permissions, site
// preferences and compressed session store. Each writer replaces its file.
#pragma once

#include <string>
#include <vector>

#include "tools/seeder/browser_databases.h"

// Chromium: what keys a page by its address, besides History.
bool WriteChromiumFavicons(const std::string& path, const std::vector<SeedPage>& pages);
bool WriteChromiumTopSites(const std::string& path, const std::vector<SeedPage>& pages);
bool WriteChromiumShortcuts(const std::string& path, const std::vector<SeedPage>& pages);
bool WriteChromiumPredictor(const std::string& path, const std::vector<SeedPage>& pages);

struct SeedDownload {
    std::string targetPath, url, page;  // where it went, where it came from, the page that had the link
};
// Adds downloads to a History file (made with its schema when absent).
bool AddChromiumDownloads(const std::string& path, const std::vector<SeedDownload>& downloads);
// Adds downloads to a places.sqlite (made with its schema when absent): a place
// for each address with the two download annotations Firefox gives it.
bool AddFirefoxDownloads(const std::string& path, const std::vector<SeedDownload>& downloads);

// Web Data: autofill entries (a field's name and a value typed into it), the
// maker's own search engine (which stays) and one site search the browser
// added by itself.
struct SeedEntry {
    std::string name, value;
};
bool WriteChromiumWebData(const std::string& path, const std::vector<SeedEntry>& autofill,
                          const std::string& autoAddedSearchUrl);
// Reporting and NEL: a policy and an endpoint (with its group) per host.
bool WriteChromiumReporting(const std::string& path, const std::vector<std::string>& hosts);
// DIPS: a bounce per site, and a pop-up the first site opened.
bool WriteChromiumBounces(const std::string& path, const std::vector<std::string>& sites);

// A Chromium session file ("SNSS" with a tab's navigations to the addresses).
std::string SessionFileBytes(const std::vector<std::string>& urls);
// A LevelDB log holding the pairs, in one write batch.
std::string LevelDbLogBytes(const std::vector<std::pair<std::string, std::string>>& pairs);
// Firefox's compressed JSON ("mozLz40\0", size, one LZ4 block).
std::string MozLz4Bytes(const std::string& json);

// Firefox.
bool WriteFirefoxFavicons(const std::string& path, const std::vector<SeedPage>& pages);
bool WriteFirefoxFormHistory(const std::string& path, const std::vector<SeedEntry>& entries);
// webappsstore2 rows for the sites (their keys as Firefox writes them: the host reversed).
bool WriteFirefoxWebStorage(const std::string& path, const std::vector<std::string>& hosts);
bool WriteFirefoxPermissions(const std::string& path, const std::vector<std::string>& origins);
bool WriteFirefoxContentPrefs(const std::string& path, const std::vector<std::string>& hosts);
// The key webappsstore2 gives a host: "moc.elpmaxe.www.:https:443".
std::string WebStorageKey(const std::string& host);
