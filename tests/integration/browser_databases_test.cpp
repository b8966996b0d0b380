// Today's browsers: every profile's history and cookie rows listed exactly;
// a clean takes out exactly the ticked rows and what hangs on them, leaves
// bookmarks, other rows and other profiles, keeps the database sound, and
// leaves no removed address readable in its files. A database the browser
// holds is not touched.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "integration/browser_fixtures.h"
#include "model/catalog.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "tools/seeder/seeder.h"

namespace {

// A database file from the fixtures, copied to path.
bool CopyFixture(const char* name, const std::string& path) {
    std::string from = std::string("Z:") + SORVANDA_FIXTURE_DIR + "/browsers/" + name;
    for (char& c : from)
        if (c == '/') c = '\\';
    const std::string bytes = Slurp(from);
    if (bytes.empty()) return false;
    File f(path, File::Open::Create);
    return f && f.WriteAll(bytes);
}

}  // namespace

TEST(CurrentBrowsers, HistoryAndCookieRowsAreListedWithWhatTheyHold) {
    Scanned s({"Chrome History", "Chrome Cookies", "Firefox Places History", "Firefox Cookie Database"}, 3);
    const TResultContentItem& page = s.Record("https://www.example.com/chrome/profile1/page3.html");
    EXPECT_EQ(page.ValueData, "Seed page 3");
    EXPECT_EQ(page.KeyName, "3");  // visits
    EXPECT_EQ(page.Location, ChromeProfile("Profile 1") + "\\History");
    EXPECT_EQ(page.Kind, kKindHistoryRow);
    // The second profile keeps its cookies where browsers did before 2021.
    const TResultContentItem& cookie = s.Record("sid@.chrome2.profile1.example.com/");
    EXPECT_EQ(cookie.ValueData, ".chrome2.profile1.example.com");
    EXPECT_EQ(cookie.KeyName, "sid");
    EXPECT_EQ(cookie.DetailAt(4), "/");
    EXPECT_EQ(cookie.Location, ChromeProfile("Profile 1") + "\\Cookies");
    EXPECT_EQ(s.Record("sid@.chrome1.default.example.com/").Location, ChromeProfile("Default") + "\\Network\\Cookies");
    // A visited bookmark is history; a bookmark never visited is not.
    EXPECT_EQ(s.Record("https://www.example.org/firefox/x8c4v0zq/bookmarked.html").KeyName, "2");
    for (int i = 0; i < s.results.Count(); ++i)
        EXPECT_EQ(s.results.Item(i).ValueName.find("bookmark-only"), std::string::npos);
    EXPECT_EQ(s.results.Count(), 6 + 6 + 8 + 6);
}

TEST(CurrentBrowsers, ChromeHistoryLosesTheTickedPagesWithEverythingThatNamesThem) {
    const std::string history = ChromeProfile("Default") + "\\History";
    const std::string other = ChromeProfile("Profile 1") + "\\History";
    const std::string gone = "https://www.example.com/chrome/default/page1.html";
    const std::string unticked = "https://www.example.com/chrome/default/page2.html";
    const std::string excluded = "https://www.example.com/chrome/default/page3.html";
    SeedOptions o;
    o.items = {"Chrome History", "Chrome Download History"};
    SeedTraces(o);
    Scanned s;
    s.Exclude("Chrome History", excluded, "", "");
    s.Scan("Chrome History");
    ASSERT_EQ(s.results.Count(), 5);  // the excluded page is not listed
    s.Record(unticked).Checked = 0;
    for (int i = 0; i < s.results.Count(); ++i)
        if (s.results.Item(i).Location == other) s.results.Item(i).Checked = 0;
    s.Clean();

    EXPECT_EQ(s.Record(gone).Deleted, 1);
    EXPECT_EQ(s.Record(unticked).Deleted, 0);
    EXPECT_EQ(Texts(history, "SELECT url FROM urls"), (std::set<std::string>{unticked, excluded}));
    // Nothing that hung on page 1 (url id 1) is left; page 2 keeps its own.
    EXPECT_EQ(Number(history, "SELECT count(*) FROM visits WHERE url = 1"), 0);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM visits WHERE url = 2"), 2);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM visit_source WHERE id NOT IN (SELECT id FROM visits)"), 0);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM keyword_search_terms WHERE url_id = 1"), 0);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM segments WHERE url_id = 1"), 0);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM segment_usage WHERE segment_id = 1"), 0);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM visited_links WHERE link_url_id = 1"), 0);
    for (const char* table : {"content_annotations", "context_annotations", "clusters_and_visits"}) {
        const std::string sql = std::string("SELECT count(*) FROM ") + table + " WHERE visit_id NOT IN (SELECT id FROM visits)";
        EXPECT_EQ(Number(history, sql.c_str()), 0) << table;
    }
    EXPECT_EQ(Number(history, "SELECT count(*) FROM downloads"), 3);  // the downloads are an item of their own
    // The page leaves every store keyed by its address; the kept ones stay there; the
    // visited-links file, which the browser rebuilds from History, goes.
    const std::string profile = ChromeProfile("Default");
    for (const auto& [file, sql] : {std::pair{"Favicons", "SELECT page_url FROM icon_mapping"},
                                    std::pair{"Top Sites", "SELECT url FROM top_sites"},
                                    std::pair{"Shortcuts", "SELECT url FROM omni_box_shortcuts"},
                                    std::pair{"Network Action Predictor", "SELECT url FROM network_action_predictor"}}) {
        EXPECT_EQ(Texts(profile + "\\" + file, sql), (std::set<std::string>{unticked, excluded})) << file;
        EXPECT_EQ(AllBytesOf(profile + "\\" + file).find(gone), std::string::npos) << file;
    }
    EXPECT_EQ(Number(profile + "\\Favicons", "SELECT count(*) FROM favicons"), 2);  // page 1's icon had no other page
    EXPECT_FALSE(FileExists(profile + "\\Visited Links"));
    EXPECT_TRUE(FileExists(ChromeProfile("Profile 1") + "\\Visited Links"));
    EXPECT_EQ(IntegrityOf(history), "ok");
    EXPECT_EQ(AllBytesOf(history).find(gone), std::string::npos);
    EXPECT_FALSE(FileExists(history + "-journal"));
    EXPECT_EQ(Number(other, "SELECT count(*) FROM urls"), 3);  // the other profile as it was
}

TEST(CurrentBrowsers, FirefoxKeepsBookmarksAndLosesTheirVisits) {
    const std::string places = FirefoxProfile(kFirefoxFirst) + "\\places.sqlite";
    Scanned s({"Firefox Places History"}, 2);
    for (int i = 0; i < s.results.Count(); ++i)
        if (s.results.Item(i).Location != places) s.results.Item(i).Checked = 0;
    s.Clean();
    const std::string base = "https://www.example.org/firefox/x8c4v0zq/";
    EXPECT_EQ(Texts(places, "SELECT url FROM moz_places"),
              (std::set<std::string>{base + "bookmarked.html", base + "bookmark-only.html"}));
    EXPECT_EQ(Number(places, "SELECT visit_count FROM moz_places WHERE url LIKE '%/bookmarked.html'"), 0);
    EXPECT_EQ(Number(places, "SELECT last_visit_date IS NULL FROM moz_places WHERE url LIKE '%/bookmarked.html'"), 1);
    EXPECT_EQ(Number(places, "SELECT count(*) FROM moz_bookmarks"), 8);  // six folders, two bookmarks
    for (const char* table : {"moz_historyvisits", "moz_inputhistory", "moz_places_metadata"}) {
        const std::string sql = std::string("SELECT count(*) FROM ") + table;
        EXPECT_EQ(Number(places, sql.c_str()), 0) << table;
    }
    EXPECT_EQ(Number(places, "SELECT count(*) FROM moz_origins"), 1);  // the bookmarks' site stays
    EXPECT_EQ(IntegrityOf(places), "ok");
    EXPECT_EQ(AllBytesOf(places).find(base + "page1.html"), std::string::npos);
    EXPECT_EQ(Texts(places, "PRAGMA journal_mode"), (std::set<std::string>{"wal"}));  // Firefox's own mode kept
    const std::string second = FirefoxProfile("m2n6b9pl.work") + "\\places.sqlite";
    EXPECT_EQ(Number(second, "SELECT count(*) FROM moz_historyvisits"), 1 + 2 + 2);
}

TEST(CurrentBrowsers, CookiesGoByRowAndStayByHostAndNameExclusion) {
    const std::string chrome = ChromeProfile("Default") + "\\Network\\Cookies";
    const std::string firefox = FirefoxProfile(kFirefoxFirst) + "\\cookies.sqlite";
    SeedOptions o;
    o.items = {"Chrome Cookies", "Firefox Cookie Database"};
    SeedTraces(o);
    Scanned s;
    s.Exclude("Chrome Cookies", ".chrome2.default.example.com", "", "sid");
    s.Scan("Chrome Cookies");
    s.Scan("Firefox Cookie Database");
    ASSERT_EQ(s.results.Count(), 5 + 6);
    s.Record("uid@.ff3.x8c4v0zq.example.com/").Checked = 0;
    s.Clean();
    EXPECT_EQ(Texts(chrome, "SELECT host_key FROM cookies"), (std::set<std::string>{".chrome2.default.example.com"}));
    EXPECT_EQ(Texts(firefox, "SELECT host FROM moz_cookies"), (std::set<std::string>{".ff3.x8c4v0zq.example.com"}));
    EXPECT_EQ(IntegrityOf(chrome), "ok");
    EXPECT_EQ(IntegrityOf(firefox), "ok");
    EXPECT_EQ(AllBytesOf(chrome).find(".chrome1.default"), std::string::npos);
    EXPECT_EQ(AllBytesOf(firefox).find(".ff1.x8c4v0zq"), std::string::npos);
}

TEST(CurrentBrowsers, ADatabaseTheBrowserHoldsIsLeftWholeAndSaysSo) {
    const std::string history = ChromeProfile("Default") + "\\History";
    Scanned s({"Chrome History"}, 2);
    const std::string before = Slurp(history);
    {
        // The browser holds its database as Chrome does: exclusively, while it runs.
        Database browser;
        ASSERT_TRUE(browser.Open(history, Database::Mode::ReadWrite));
        ASSERT_TRUE(browser.Exec("PRAGMA locking_mode = EXCLUSIVE"));
        ASSERT_TRUE(browser.Exec("BEGIN EXCLUSIVE"));
        s.Clean();
        browser.Exec("COMMIT");
    }
    for (int i = 0; i < s.results.Count(); ++i) {
        const TResultContentItem& r = s.results.Item(i);
        if (r.Location != history) continue;
        EXPECT_EQ(r.Deleted, 0) << r.ValueName;
        EXPECT_EQ(r.Reason, StayReason::CloseTheBrowser) << r.ValueName;
    }
    EXPECT_EQ(Slurp(history), before);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM urls"), 2);
    // The other profile's database was free and went as ticked.
    EXPECT_EQ(Number(ChromeProfile("Profile 1") + "\\History", "SELECT count(*) FROM urls"), 0);
}

TEST(CurrentBrowsers, ARowThatChangedSinceTheScanStays) {
    const std::string history = ChromeProfile("Default") + "\\History";
    Scanned s({"Chrome History"}, 2);
    {
        // The browser ran between scan and clean: page 1's row now holds another address.
        Database browser;
        ASSERT_TRUE(browser.Open(history, Database::Mode::ReadWrite));
        ASSERT_TRUE(browser.Exec("UPDATE urls SET url = 'https://www.example.net/kept.html' WHERE id = 1"));
    }
    s.Clean();
    EXPECT_EQ(s.Record("https://www.example.com/chrome/default/page1.html").Reason, StayReason::ChangedSinceScan);
    EXPECT_EQ(s.Record("https://www.example.com/chrome/default/page2.html").Deleted, 1);
    EXPECT_EQ(Texts(history, "SELECT url FROM urls"), (std::set<std::string>{"https://www.example.net/kept.html"}));
}

TEST(CurrentBrowsers, DatabasesWrittenByRealBrowsersReadAndCleanAlike) {
    ClearTraces({});
    const std::string chrome = ChromeProfile("Default");
    const std::string firefox = FirefoxProfile(kFirefoxFirst);
    DeleteFolderTree(chrome);
    DeleteFolderTree(firefox);
    CreateFolders(chrome);
    CreateFolders(firefox);
    ASSERT_TRUE(CopyFixture("chrome-59-History", chrome + "\\History"));
    ASSERT_TRUE(CopyFixture("chrome-old-Cookies", chrome + "\\Cookies"));  // the older place
    ASSERT_TRUE(CopyFixture("firefox-cookies.sqlite", firefox + "\\cookies.sqlite"));

    Scanned s;
    for (const char* item : {"Chrome History", "Chrome Cookies", "Firefox Cookie Database"}) s.Scan(item);
    ASSERT_EQ(s.results.Count(), 1 + 560 + 90);
    EXPECT_EQ(s.Record("https://raw.githubusercontent.com/dfirlabs/chrome-specimens/master/generate-specimens.sh").KeyName, "1");
    // Only two cookies ticked: one of each database.
    for (int i = 0; i < s.results.Count(); ++i) s.results.Item(i).Checked = 0;
    s.Record("__utma@.tools.google.com/chrome/intl/en/").Checked = 1;
    s.Record("A4@.serving-sys.com/").Checked = 1;
    s.Clean();
    EXPECT_EQ(Number(chrome + "\\Cookies", "SELECT count(*) FROM cookies"), 559);
    EXPECT_EQ(Number(chrome + "\\Cookies", "SELECT count(*) FROM cookies WHERE name = '__utma' AND host_key = '.tools.google.com'"), 0);
    EXPECT_EQ(Number(firefox + "\\cookies.sqlite", "SELECT count(*) FROM moz_cookies"), 89);
    EXPECT_EQ(IntegrityOf(chrome + "\\Cookies"), "ok");
    EXPECT_EQ(IntegrityOf(firefox + "\\cookies.sqlite"), "ok");
    EXPECT_EQ(Number(chrome + "\\History", "SELECT count(*) FROM urls"), 1);
    DeleteFolderTree(chrome);
    DeleteFolderTree(firefox);
}
