// Every browser's whole profile: after a clean of every item no file or folder
// of a seeded profile names a cleaned site, its search terms or its cookie
// hosts (but the stores no item touches: passwords, bookmarks, preferences);
// a partial clean keeps the excluded page everywhere and leaves every
// database whole; every browser is found in its own folder layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "integration/browser_fixtures.h"
#include "model/catalog.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "scan/scanners.h"
#include "tools/seeder/browser_profiles.h"
#include "tools/seeder/seeder.h"

namespace {

bool IsBrowserItem(const CatalogItem& item) { return item.special == Special::ProfileStores; }

// The files no item lists and no clean touches.
bool Kept(const std::string& name) {
    return name == "Bookmarks" || name == "Preferences" || name == "logins.json" || name.rfind("Login Data", 0) == 0;
}

// Every file and folder below a folder but the kept ones: its path (names included) and its bytes.
void Collect(const std::string& folder, std::map<std::string, std::string>& out) { CollectFiles(folder, out, true, Kept); }

// What a seeded trace leaves in a file: a cookie by its host, everything else by its name.
std::string Marker(const std::string& identity) {
    const size_t at = identity.find('@');
    if (at != std::string::npos && identity.find('@', at + 1) == std::string::npos && identity.back() == '/')
        return identity.substr(at + 1, identity.size() - at - 2);
    return identity;
}

// Every profile folder the seeder made for the browsers, roaming and local.
std::set<std::string> SeededFolders() {
    std::set<std::string> folders;
    for (const CatalogItem& item : kCatalogItems)
        if (IsBrowserItem(item))
            for (const std::string& p : SeededProfiles(std::string(item.name))) folders.insert(p);
    return folders;
}

struct AllBrowsers {
    AllBrowsers() {
        SeedOptions o;
        for (const CatalogItem& item : kCatalogItems)
            if (IsBrowserItem(item)) o.items.insert(std::string(item.name));
        o.count = 2;
        report = SeedTraces(o);
        for (const CatalogItem& item : kCatalogItems)
            if (IsBrowserItem(item)) s.Scan(std::string(item.name).c_str());
    }
    SeedReport report;
    Scanned s;
};

}  // namespace

TEST(WholeProfiles, ACleanOfEveryItemLeavesNoTraceOfTheSitesInAnyFile) {
    AllBrowsers all;
    std::set<std::string> markers;
    for (const auto& [item, made] : all.report.made)
        for (const std::string& identity : made)
            if (identity.find("bookmark") == std::string::npos && identity.size() > 6) markers.insert(Marker(identity));
    // The markers as the profiles hold them before the clean: each in a name or in a file's bytes.
    std::map<std::string, std::string> before;
    for (const std::string& folder : SeededFolders()) Collect(folder, before);
    std::set<std::string> held;
    for (const std::string& marker : markers)
        for (const auto& [path, bytes] : before)
            if (path.find(marker) != std::string::npos || bytes.find(marker) != std::string::npos) {
                held.insert(marker);
                break;
            }
    EXPECT_GT(held.size(), markers.size() * 9 / 10);
    ASSERT_GT(held.size(), 150u);
    // What is left where a clean could not leave it: the passwords, bookmarks and preferences.
    std::map<std::string, std::string> kept;
    for (const std::string& folder : SeededFolders())
        for (const char* name : {"Bookmarks", "Preferences", "logins.json", "Login Data"})
            if (FileExists(folder + "\\" + name)) kept[folder + "\\" + name] = Slurp(folder + "\\" + name);
    ASSERT_FALSE(kept.empty());

    all.s.Clean();
    for (int i = 0; i < all.s.results.Count(); ++i) {
        const TResultContentItem& r = all.s.results.Item(i);
        EXPECT_EQ(r.Deleted, 1) << r.ItemName << " " << r.ValueName << ": " << StayReasonText(r.Reason);
    }
    std::map<std::string, std::string> files;
    for (const std::string& folder : SeededFolders()) Collect(folder, files);
    ASSERT_GT(files.size(), 20u);
    for (const auto& [path, bytes] : files)
        for (const std::string& marker : held) {
            EXPECT_EQ(path.find(marker), std::string::npos) << marker << " in the name " << path;
            EXPECT_EQ(bytes.find(marker), std::string::npos) << marker << " in " << path;
        }
    for (const auto& [path, bytes] : kept) EXPECT_TRUE(Slurp(path) == bytes) << path;
    // Firefox's bookmarks stay, without their history.
    const std::string places = FirefoxProfile(kFirefoxFirst) + "\\places.sqlite";
    EXPECT_EQ(Texts(places, "SELECT url FROM moz_places"),
              (std::set<std::string>{"https://www.example.org/firefox/x8c4v0zq/bookmarked.html",
                                     "https://www.example.org/firefox/x8c4v0zq/bookmark-only.html"}));
    // Nothing is left that a scan of the same items finds.
    Scanned again;
    for (const CatalogItem& item : kCatalogItems)
        if (IsBrowserItem(item)) again.Scan(std::string(item.name).c_str());
    for (int i = 0; i < again.results.Count(); ++i)
        ADD_FAILURE() << "still there: " << again.results.Item(i).ItemName << " " << again.results.Item(i).ValueName;
}

// One page excluded in a Chrome and a Firefox profile: it keeps its visits,
// its icon and its place in every store keyed by pages; every database of
// every profile is whole, with no row pointing at one that went.
TEST(WholeProfiles, APartialCleanKeepsTheExcludedPageEverywhereAndEveryDatabaseWhole) {
    AllBrowsers all;
    const std::string chrome = ChromeProfile("Default"), firefox = FirefoxProfile(kFirefoxFirst);
    const std::string chromePage = "https://www.example.com/chrome/default/page1.html";
    const std::string firefoxPage = "https://www.example.org/firefox/x8c4v0zq/page1.html";
    Scanned s;
    s.Exclude("Chrome History", chromePage, "", "");
    s.Exclude("Firefox Places History", firefoxPage, "", "");
    for (const CatalogItem& item : kCatalogItems)
        if (IsBrowserItem(item)) s.Scan(std::string(item.name).c_str());
    s.Clean();

    EXPECT_EQ(Texts(chrome + "\\History", "SELECT url FROM urls"), (std::set<std::string>{chromePage}));
    EXPECT_EQ(Number(chrome + "\\History", "SELECT count(*) FROM visits WHERE url = 1"), 1);
    EXPECT_EQ(Number(chrome + "\\History", "SELECT count(*) FROM downloads"), 0);
    for (const auto& [file, sql] : {std::pair{"Favicons", "SELECT page_url FROM icon_mapping"},
                                    std::pair{"Top Sites", "SELECT url FROM top_sites"},
                                    std::pair{"Shortcuts", "SELECT url FROM omni_box_shortcuts"}})
        EXPECT_EQ(Texts(chrome + "\\" + file, sql), (std::set<std::string>{chromePage})) << file;
    EXPECT_EQ(Number(chrome + "\\Favicons", "SELECT count(*) FROM favicons"), 1);  // the kept page's icon
    EXPECT_EQ(Number(firefox + "\\places.sqlite", "SELECT visit_count FROM moz_places WHERE url = '" + firefoxPage + "'"), 1);
    EXPECT_EQ(Number(firefox + "\\places.sqlite", "SELECT count(*) FROM moz_historyvisits"), 1);
    EXPECT_EQ(Texts(firefox + "\\favicons.sqlite", "SELECT page_url FROM moz_pages_w_icons"),
              (std::set<std::string>{firefoxPage}));
    EXPECT_EQ(Number(firefox + "\\favicons.sqlite", "SELECT count(*) FROM moz_icons WHERE root = 1"), 1);  // its site's

    int databases = 0;
    for (const std::string& folder : SeededFolders()) {
        std::map<std::string, std::string> files;
        Collect(folder, files);
        for (const auto& [path, bytes] : files) {
            if (bytes.rfind("SQLite format 3", 0) != 0) continue;
            ++databases;
            EXPECT_EQ(IntegrityOf(path), "ok") << path;
            EXPECT_EQ(Number(path, "SELECT count(*) FROM pragma_foreign_key_check"), 0) << path;
        }
    }
    EXPECT_GT(databases, 60);
}

// Each browser in its own layout: channels beside the stable browser, Opera's
// profile as its folder itself or in "Default", Firefox from the Microsoft
// Store; a browser with no profile here has none to show.
TEST(WholeProfiles, EveryBrowserIsFoundInItsOwnFolderLayout) {
    ClearTraces({});
    const std::string local = ShellFolder("Local AppData"), roaming = ShellFolder("AppData");
    for (const std::string& folder : {local + "\\Google", local + "\\Microsoft\\Edge", local + "\\BraveSoftware",
                                      local + "\\Vivaldi", local + "\\Chromium", local + "\\Opera Software",
                                      roaming + "\\Opera Software", roaming + "\\Mozilla"})
        DeleteFolderTree(folder);
    for (int c = 4; c < kModernCategory; ++c) EXPECT_FALSE(CategoryHasProfiles(c)) << kCatalogCategories[c].caption;
    EXPECT_TRUE(CategoryHasProfiles(0));  // no browser's
    AllBrowsers all;
    for (int c = 4; c < kModernCategory; ++c) EXPECT_TRUE(CategoryHasProfiles(c)) << kCatalogCategories[c].caption;
    for (const CatalogItem& item : kCatalogItems) {
        if (!IsBrowserItem(item)) continue;
        const std::vector<std::string> found = ProfilesOf(item.roots);
        for (const std::string& seeded : SeededProfiles(std::string(item.name)))
            EXPECT_NE(std::find(found.begin(), found.end(), seeded), found.end()) << item.name << ": " << seeded;
    }
    // The other channels and the Store's Firefox, each a copy of a seeded profile.
    const std::vector<std::pair<std::string, std::string>> copies = {
        {ChromeProfile("Default"), local + "\\Google\\Chrome SxS\\User Data\\Profile 3"},
        {local + "\\Microsoft\\Edge\\User Data\\Default", local + "\\Microsoft\\Edge Dev\\User Data\\Default"},
        {local + "\\BraveSoftware\\Brave-Browser\\User Data\\Default",
         local + "\\BraveSoftware\\Brave-Browser-Nightly\\User Data\\Default"},
        {FirefoxProfile(kFirefoxFirst),
         local + "\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2\\LocalCache\\Roaming\\Mozilla\\Firefox\\Profiles\\s7t0r3.default"},
    };
    for (const auto& [from, to] : copies) {
        CreateFolders(to);
        for (const char* file : {"History", "places.sqlite"})
            if (FileExists(from + "\\" + file)) CopyFileW(ToWide(from + "\\" + file).c_str(), ToWide(to + "\\" + file).c_str(), FALSE);
    }
    for (const auto& [item, folder] : std::vector<std::pair<const char*, std::string>>{
             {"Chrome History", copies[0].second}, {"Edge History", copies[1].second},
             {"Brave History", copies[2].second}, {"Firefox Places History", copies[3].second}}) {
        Scanned s;
        s.Scan(item);
        int there = 0;
        for (int i = 0; i < s.results.Count(); ++i) there += s.results.Item(i).Location.rfind(folder, 0) == 0;
        EXPECT_GT(there, 0) << item << " in " << folder;
    }
    for (const char* made : {"\\Google\\Chrome SxS", "\\Microsoft\\Edge Dev", "\\BraveSoftware\\Brave-Browser-Nightly",
                             "\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2"})
        DeleteFolderTree(local + made);
}
