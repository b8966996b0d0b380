// Browser databases as an attacker or a running browser leaves them: the
// database's own code never runs, a layout the scan does not know is said
// rather than passed over, rows are told apart by their row id and what they
// held, a scan changes no file of a profile and still reads a database the
// browser holds, and every reason a database stays is its own. Then what a
// partial clean leaves: a database the browser opens without complaint.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "integration/browser_fixtures.h"
#include "model/catalog.h"
#include "model/result_items.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "tools/seeder/seeder.h"

namespace {

std::string FirstFirefoxProfile() { return FirefoxProfile(kFirefoxFirst); }
const std::string kChromeSite = "https://www.example.com/chrome/default/";
const std::string kFirefoxSite = "https://www.example.org/firefox/x8c4v0zq/";

// Statements run as the browser (or an attacker) would run them.
void RunSql(const std::string& path, const std::string& sql) {
    Database db;
    ASSERT_TRUE(db.Open(path, Database::Mode::ReadWrite)) << path;
    ASSERT_TRUE(db.Exec(sql)) << sql;
}

std::map<std::string, std::string> FilesUnder(const std::string& folder) {
    std::map<std::string, std::string> files;
    CollectFiles(folder, files);
    return files;
}

// The private copies a scan makes in the temporary folder.
int SnapshotFolders() {
    int n = 0;
    FolderWalker w(TempDirectory());
    FolderEntry e;
    while (w.Next(e)) n += e.name.rfind("sorvanda-", 0) == 0;
    return n;
}

// The records of one database file.
std::vector<const TResultContentItem*> RecordsOf(const TResultContents& results, const std::string& path) {
    std::vector<const TResultContentItem*> out;
    for (int i = 0; i < results.Count(); ++i)
        if (results.Item(i).Location == path) out.push_back(&results.Item(i));
    return out;
}

// The one notice (a row that names what could not be read) of a database file, or nullptr.
const TResultContentItem* NoticeOf(const TResultContents& results, const std::string& path) {
    const TResultContentItem* notice = nullptr;
    for (const TResultContentItem* r : RecordsOf(results, path))
        if (r->Line < 0) {
            EXPECT_EQ(notice, nullptr) << "two notices for " << path;
            notice = r;
        }
    return notice;
}

}  // namespace

TEST(HostileDatabases, TheDatabasesOwnTriggersNeverRun) {
    const std::string history = ChromeProfile("Default") + "\\History";
    SeedOptions o;
    o.items = {"Chrome History"};
    SeedTraces(o);
    // One trigger keeps a copy of each deleted address, one empties the
    // database when a visit goes, one joins every row with every other.
    RunSql(history, R"sql(
        CREATE TABLE stash(url TEXT);
        CREATE TRIGGER keep_copy AFTER DELETE ON urls BEGIN INSERT INTO stash VALUES (OLD.url); END;
        CREATE TRIGGER wipe_out AFTER DELETE ON visits BEGIN DELETE FROM meta; DELETE FROM urls; END;
        CREATE TRIGGER slow AFTER DELETE ON segments BEGIN
          INSERT INTO stash SELECT a.url FROM urls a, urls b, urls c, urls d, urls e, urls f, urls g; END;
    )sql");
    Scanned s;
    s.Exclude("Chrome History", kChromeSite + "page3.html", "", "");
    s.Scan("Chrome History");
    s.Record(kChromeSite + "page2.html").Checked = 0;
    s.Clean();
    EXPECT_EQ(s.Record(kChromeSite + "page1.html").Deleted, 1);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM stash"), 0);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM meta"), 3);
    EXPECT_EQ(Texts(history, "SELECT url FROM urls"), (std::set<std::string>{kChromeSite + "page2.html", kChromeSite + "page3.html"}));
    EXPECT_EQ(Number(history, "SELECT count(*) FROM sqlite_schema WHERE type = 'trigger'"), 3);  // not ours to remove
    EXPECT_EQ(AllBytesOf(history).find(kChromeSite + "page1.html"), std::string::npos);
}

// Each layout the scan does not know lists what it can and one row that says
// why the rest could not be read; the clean leaves that row with its reason
// and every row it did not list exactly as it was.
TEST(HostileDatabases, AnUnknownLayoutIsSaidAndWhatCouldBeReadIsListed) {
    const std::string history = ChromeProfile("Default") + "\\History";
    struct Case {
        const char* change;
        const char* notice;           // the notice's text, or nullptr for none
        std::set<std::string> listed;  // the addresses listed
        const char* after;             // what is left of the data after a clean of everything listed
        std::set<std::string> left;
    };
    const std::string p1 = kChromeSite + "page1.html", p2 = kChromeSite + "page2.html", p3 = kChromeSite + "page3.html";
    const Case cases[] = {
        {"ALTER TABLE urls RENAME TO pages; CREATE VIEW urls AS SELECT * FROM pages",
         "Default\\History could not be read: urls is not a table", {}, "SELECT url FROM pages", {p1, p2, p3}},
        {"DROP TABLE urls", "Default\\History could not be read: urls is missing", {}, "SELECT count(*) FROM visits", {"6"}},
        {"ALTER TABLE urls RENAME COLUMN url TO address", "Default\\History could not be read: urls has no column url", {},
         "SELECT address FROM urls", {p1, p2, p3}},
        {"ALTER TABLE urls DROP COLUMN title", nullptr, {p1, p2, p3}, "SELECT count(*) FROM urls", {"0"}},
        {"UPDATE urls SET url = CAST(url AS BLOB) WHERE id = 2; UPDATE urls SET url = x'00ff' WHERE id = 3",
         "Default\\History: 2 rows hold no text and could not be read", {p1}, "SELECT id FROM urls", {"2", "3"}},
        {"CREATE TABLE u2(id INTEGER PRIMARY KEY, url, title, visit_count) WITHOUT ROWID; DROP TABLE urls;"
         "ALTER TABLE u2 RENAME TO urls; INSERT INTO urls VALUES (1, 'https://www.example.com/x', 't', 1)",
         "Default\\History could not be read: urls has no row ids", {}, "SELECT url FROM urls", {"https://www.example.com/x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        SeedOptions o;
        o.items = {"Chrome History"};
        SeedTraces(o);
        RunSql(history, c.change);
        Scanned s;
        s.Scan("Chrome History");
        std::set<std::string> listed;
        for (const TResultContentItem* r : RecordsOf(s.results, history))
            if (r->Line >= 0) listed.insert(r->ValueName);
        EXPECT_EQ(listed, c.listed);
        const TResultContentItem* notice = NoticeOf(s.results, history);
        if (c.notice) {
            ASSERT_NE(notice, nullptr);
            EXPECT_EQ(notice->ValueName, c.notice);
            EXPECT_EQ(notice->Reason, StayReason::Unreadable);
        } else {
            EXPECT_EQ(notice, nullptr);
        }
        EXPECT_EQ(RecordsOf(s.results, ChromeProfile("Profile 1") + "\\History").size(), 3u);  // the other profile as ever
        s.Clean();
        EXPECT_EQ(Texts(history, c.after), c.left);
        if (notice) {
            EXPECT_EQ(notice->Deleted, 0);
            EXPECT_EQ(notice->Reason, StayReason::Unreadable);
        }
        EXPECT_EQ(Number(history, "SELECT count(*) FROM meta"), 3);
    }
}

TEST(HostileDatabases, RowsSharingAnIdGoOnlyByTheirRowIdAndWhatTheyHeld) {
    const std::string history = ChromeProfile("Default") + "\\History";
    SeedOptions o;
    o.items = {"Chrome History"};
    SeedTraces(o);
    // A urls table whose ids are no key: the twin shares page 2's id.
    RunSql(history, R"sql(
        CREATE TABLE plain(id INTEGER, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER DEFAULT 0 NOT NULL,
          typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0 NOT NULL);
        INSERT INTO plain SELECT * FROM urls; DROP TABLE urls; ALTER TABLE plain RENAME TO urls;
        INSERT INTO urls (id, url, title, visit_count, last_visit_time) VALUES (2, 'https://www.example.com/twin.html', 'twin', 1, 0);
    )sql");
    Scanned s;
    s.Exclude("Chrome History", kChromeSite + "page2.html", "", "");
    s.Scan("Chrome History");
    ASSERT_EQ(RecordsOf(s.results, history).size(), 3u);  // pages 1 and 3, and the twin
    s.Clean();
    EXPECT_EQ(s.Record("https://www.example.com/twin.html").Deleted, 1);
    EXPECT_EQ(Texts(history, "SELECT url FROM urls"), (std::set<std::string>{kChromeSite + "page2.html"}));
    // Page 2 keeps what hangs on id 2: the id is still its.
    EXPECT_EQ(Number(history, "SELECT count(*) FROM visits WHERE url = 2"), 2);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM keyword_search_terms WHERE url_id = 2"), 1);
    EXPECT_EQ(Number(history, "SELECT count(*) FROM visits WHERE url IN (1, 3)"), 0);
}

// A page without an address is named as such, never by its visit count, and
// goes by its row id like any other.
TEST(HostileDatabases, APageWithoutAnAddressSaysSo) {
    const std::string history = ChromeProfile("Default") + "\\History";
    SeedOptions o;
    o.items = {"Chrome History"};
    o.count = 1;
    SeedTraces(o);
    RunSql(history, R"sql(
        CREATE TABLE plain(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER DEFAULT 0 NOT NULL,
          typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0 NOT NULL);
        INSERT INTO plain SELECT * FROM urls; DROP TABLE urls; ALTER TABLE plain RENAME TO urls;
        INSERT INTO urls (id, url, title, visit_count, last_visit_time) VALUES (50, NULL, 'Untitled page', 7, 0), (51, NULL, NULL, 9, 0);
    )sql");
    Scanned s;
    s.Scan("Chrome History");
    std::set<std::string> shown;
    for (const TResultContentItem* r : RecordsOf(s.results, history)) shown.insert(ShownNameOf(4, *r));
    EXPECT_EQ(shown, (std::set<std::string>{kChromeSite + "page1.html", "(a page without an address) Untitled page",
                                            "(a page without an address)"}));
    s.Clean();
    EXPECT_EQ(Number(history, "SELECT count(*) FROM urls"), 0);
}

// A database the browser holds is read from a copy and listed; the clean
// leaves it whole, says why, and the command line's check finds it again.
TEST(HostileDatabases, ADatabaseTheBrowserHoldsIsListedAndStaysWithItsReason) {
    const std::string history = ChromeProfile("Default") + "\\History";
    SeedOptions o;
    o.items = {"Chrome History"};
    SeedTraces(o);
    const std::string before = Slurp(history);
    {
        Database browser;  // as Chrome holds it while it runs
        ASSERT_TRUE(browser.Open(history, Database::Mode::ReadWrite));
        ASSERT_TRUE(browser.Exec("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE"));
        Scanned s;
        s.Scan("Chrome History");
        EXPECT_EQ(RecordsOf(s.results, history).size(), 3u);
        EXPECT_EQ(NoticeOf(s.results, history), nullptr);
        const CliRun cli = RunCli("clean --only \"Google Chrome/Chrome History\" --verify");
        EXPECT_EQ(cli.exitCode, 1u) << cli.out;
        EXPECT_NE(cli.out.find(kChromeSite + "page1.html\t0\tNOT REMOVED (close the browser first)"), std::string::npos) << cli.out;
        EXPECT_NE(cli.out.find("3 traces a clean could remove are still there."), std::string::npos) << cli.out;
        browser.Exec("COMMIT");
    }
    EXPECT_TRUE(Slurp(history) == before);  // the bytes as they were
    // Held by a program that shares the file with nobody: not even a copy can be read.
    File holder(history, File::Open::Exclusive);
    ASSERT_TRUE(holder);
    Scanned s;
    s.Scan("Chrome History");
    const TResultContentItem* notice = NoticeOf(s.results, history);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->ValueName, "Default\\History could not be read");
    EXPECT_EQ(notice->Reason, StayReason::InUse);
    EXPECT_EQ(RecordsOf(s.results, history).size(), 1u);
    s.Clean();
    EXPECT_EQ(notice->Deleted, 0);
    EXPECT_EQ(notice->Reason, StayReason::InUse);
    holder.Close();
    EXPECT_TRUE(Slurp(history) == before);  // the bytes as they were
}

// What keeps a clean from changing a database, each with a reason of its own.
TEST(HostileDatabases, EachObstacleHasItsOwnReason) {
    const std::string history = ChromeProfile("Default") + "\\History";
    struct Case {
        const char* what;
        std::function<void()> make, undo;
        StayReason scan, clean;  // the scan's notice (None: the rows are listed), the clean's reason
    };
    const Case cases[] = {
        {"a journal that is a folder", [&] { CreateFolder(history + "-journal"); },
         [&] { RemoveFolder(history + "-journal"); }, StayReason::None, StayReason::CannotOpen},
        {"a read-only file", [&] { SetPathAttributes(history, FILE_ATTRIBUTE_READONLY); },
         [&] { SetPathAttributes(history, FILE_ATTRIBUTE_NORMAL); }, StayReason::None, StayReason::ReadOnly},
        {"no database", [&] { File(history, File::Open::Create).WriteAll(std::string(8192, 'x')); }, [] {},
         StayReason::Damaged, StayReason::Damaged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SeedOptions o;
        o.items = {"Chrome History"};
        SeedTraces(o);
        c.make();
        const std::string before = Slurp(history);
        Scanned s;
        s.Scan("Chrome History");
        const std::vector<const TResultContentItem*> records = RecordsOf(s.results, history);
        if (c.scan == StayReason::None) {
            EXPECT_EQ(records.size(), 3u);
        } else {
            ASSERT_EQ(records.size(), 1u);
            EXPECT_EQ(records[0]->Reason, c.scan);
        }
        s.Clean();
        for (const TResultContentItem* r : records) {
            EXPECT_EQ(r->Deleted, 0);
            EXPECT_EQ(r->Reason, c.clean) << StayReasonText(r->Reason);
        }
        EXPECT_TRUE(Slurp(history) == before);  // the bytes as they were
        c.undo();
    }
}

// A scan of a closed profile in write-ahead-log mode, and of one whose
// browser runs with pages only in its log: the log's rows are listed, and
// no file of the profile is created or changed; no copy is left behind.
TEST(HostileDatabases, AScanChangesNoFileOfAProfile) {
    SeedOptions o;
    o.items = {"Firefox Places History", "Firefox Cookie Database", "Chrome History", "Chrome Cookies"};
    const std::string places = FirstFirefoxProfile() + "\\places.sqlite";
    const std::string roaming = ShellFolder("AppData") + "\\Mozilla", local = ShellFolder("Local AppData") + "\\Google";
    const int copiesBefore = SnapshotFolders();
    for (bool running : {false, true}) {
        SCOPED_TRACE(running ? "Firefox runs" : "Firefox closed");
        SeedTraces(o);
        Database firefox;
        if (running) {
            ASSERT_TRUE(firefox.Open(places, Database::Mode::ReadWrite));
            ASSERT_TRUE(firefox.Exec(R"sql(
                PRAGMA wal_autocheckpoint = 0;
                INSERT INTO moz_places (url, title, visit_count, guid, origin_id) VALUES ('https://www.example.org/only-in-the-log.html', 'log', 1, 'logonly00001', 1);
                INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) VALUES (last_insert_rowid(), 1, 1);
            )sql"));
            ASSERT_GT(FileSize64(places + "-wal"), 0);
        }
        const auto before = FilesUnder(roaming), beforeLocal = FilesUnder(local);
        Scanned s;
        for (const char* item : {"Firefox Places History", "Firefox Cookie Database", "Chrome History", "Chrome Cookies"})
            s.Scan(item);
        EXPECT_EQ(s.results.Count(), 8 + 6 + 6 + 6 + (running ? 1 : 0));
        for (int i = 0; i < s.results.Count(); ++i) EXPECT_GE(s.results.Item(i).Line, 0);
        EXPECT_TRUE(FilesUnder(roaming) == before);
        EXPECT_TRUE(FilesUnder(local) == beforeLocal);
        EXPECT_EQ(SnapshotFolders(), copiesBefore);
    }
    EXPECT_FALSE(FileExists(places + "-wal"));  // Firefox's own log went when it closed
    EXPECT_FALSE(FileExists(places + "-shm"));
}

// A journal left by a browser that stopped mid-transaction: the scan rolls it
// back in its copy and lists what the database held, leaving both files as
// they were; the clean rolls it back in the profile before it removes rows.
TEST(HostileDatabases, AHotJournalIsAppliedToTheCopyNeverToTheProfile) {
    SeedOptions o;
    o.items = {"Firefox Cookie Database"};
    SeedTraces(o);
    const std::string cookies = FirstFirefoxProfile() + "\\cookies.sqlite";
    RunSql(cookies, "PRAGMA journal_mode = DELETE");
    std::string midway, journal;
    {
        // The browser stops while its transaction has reached the file: a
        // small cache spills the changed pages before the commit.
        Database browser;
        ASSERT_TRUE(browser.Open(cookies, Database::Mode::ReadWrite));
        ASSERT_TRUE(browser.Exec("PRAGMA cache_size = 2; BEGIN; DELETE FROM moz_cookies;"
                                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                                 "INSERT INTO moz_cookies (name, value, host, path) SELECT 'junk' || i, "
                                 "hex(randomblob(300)), '.junk.example', '/' FROM n"));
        midway = Slurp(cookies);
        journal = Slurp(cookies + "-journal");
        browser.Exec("ROLLBACK");
    }
    ASSERT_FALSE(journal.empty());
    ASSERT_TRUE(midway != Slurp(cookies));  // the file itself was changed midway
    File(cookies, File::Open::Create).WriteAll(midway);
    File(cookies + "-journal", File::Open::Create).WriteAll(journal);

    Scanned s;
    s.Scan("Firefox Cookie Database");
    std::set<std::string> hosts;
    for (const TResultContentItem* r : RecordsOf(s.results, cookies)) hosts.insert(r->ValueData);
    EXPECT_EQ(hosts, (std::set<std::string>{".ff1.x8c4v0zq.example.com", ".ff2.x8c4v0zq.example.com",
                                            ".ff3.x8c4v0zq.example.com"}));
    EXPECT_TRUE(Slurp(cookies) == midway);
    EXPECT_TRUE(Slurp(cookies + "-journal") == journal);
    s.Clean();
    EXPECT_EQ(Number(cookies, "SELECT count(*) FROM moz_cookies"), 0);
    EXPECT_EQ(Texts(cookies, "PRAGMA integrity_check"), (std::set<std::string>{"ok"}));
    EXPECT_FALSE(FileExists(cookies + "-journal"));
}

// The journal and the log held the old pages, the removed rows among them:
// each is overwritten before it is deleted. A handle held on it (as any
// program could) reads what was left in it.
TEST(HostileDatabases, AJournalOrLogIsOverwrittenBeforeItGoes) {
    const std::string history = ChromeProfile("Default") + "\\History";
    SeedOptions o;
    o.items = {"Chrome History", "Firefox Places History"};
    SeedTraces(o);
    const auto held = [](const std::string& path) {
        return CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    };
    const auto rest = [](HANDLE h) {
        std::string bytes(1 << 20, '\0');
        DWORD got = 0;
        SetFilePointer(h, 0, nullptr, FILE_BEGIN);
        ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(h);
        bytes.resize(got);
        return bytes;
    };
    HANDLE journal = INVALID_HANDLE_VALUE;
    {
        Database db;
        ASSERT_TRUE(db.Open(history, Database::Mode::ReadWrite));
        ASSERT_TRUE(db.Exec("BEGIN; DELETE FROM urls WHERE id = 1"));
        journal = held(history + "-journal");
        ASSERT_NE(journal, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(db.Exec("COMMIT"));
    }
    std::string left = rest(journal);
    EXPECT_FALSE(FileExists(history + "-journal"));  // gone once no one holds it
    EXPECT_FALSE(left.empty());
    EXPECT_EQ(left.find_first_not_of('\0'), std::string::npos) << "the journal kept its pages";

    const std::string places = FirstFirefoxProfile() + "\\places.sqlite";
    HANDLE log = INVALID_HANDLE_VALUE;
    {
        Database db;
        ASSERT_TRUE(db.Open(places, Database::Mode::ReadWrite));
        ASSERT_TRUE(db.Exec("INSERT INTO moz_places (url, guid) VALUES ('https://secret.example/', 'secret000001')"));
        log = held(places + "-wal");
        ASSERT_NE(log, INVALID_HANDLE_VALUE);
    }  // the last connection closes: the log is applied and deleted
    left = rest(log);
    EXPECT_FALSE(FileExists(places + "-wal"));
    EXPECT_FALSE(left.empty());
    EXPECT_EQ(left.find("secret.example"), std::string::npos) << "the log kept its pages";
    EXPECT_EQ(left.find_first_not_of('\0'), std::string::npos);
}

// Chrome: a partial clean re-points the kept visits that came from or were
// opened by a removed visit to that visit's own referrer, down a chain of
// removed ones; a cluster left without a visit goes with its keywords; a
// cluster over kept and removed visits stays with the kept ones.
TEST(DatabaseConsistency, ChromeKeepsItsVisitChainsAndClustersWhole) {
    const std::string history = ChromeProfile("Default") + "\\History";
    SeedOptions o;
    o.items = {"Chrome History"};
    o.count = 4;  // visits: page 1 has 1, page 2 two, page 3 three, page 4 one (ids 1 to 7)
    SeedTraces(o);
    RunSql(history, R"sql(
        UPDATE visits SET from_visit = id - 1;
        UPDATE visits SET opener_visit = 1 WHERE id = 3;
        UPDATE visits SET opener_visit = 3 WHERE id = 7;
        INSERT INTO clusters VALUES (2, 1, 'gone', 'gone', 1, '', 0);
        INSERT INTO clusters_and_visits (cluster_id, visit_id, url_for_deduping, normalized_url, url_for_display)
          VALUES (2, 4, 'a', 'a', 'a'), (2, 5, 'b', 'b', 'b');
        INSERT INTO cluster_keywords VALUES (1, 'kept-keyword', 1, 1, ''), (2, 'secret-keyword', 1, 1, '');
        INSERT INTO cluster_visit_duplicates VALUES (1, 2), (7, 1);
    )sql");
    Scanned s;
    s.Exclude("Chrome History", kChromeSite + "page4.html", "", "");
    s.Scan("Chrome History");
    s.Record(kChromeSite + "page1.html").Checked = 0;
    s.Clean();
    EXPECT_EQ(Texts(history, "SELECT url FROM urls"), (std::set<std::string>{kChromeSite + "page1.html", kChromeSite + "page4.html"}));
    EXPECT_EQ(Texts(history, "SELECT id || ':' || from_visit || ':' || IFNULL(opener_visit, 'none') FROM visits"),
              (std::set<std::string>{"1:0:none", "7:1:1"}));
    EXPECT_EQ(Number(history, "SELECT count(*) FROM visits WHERE (from_visit NOT IN (0) AND from_visit NOT IN "
                              "(SELECT id FROM visits)) OR opener_visit NOT IN (SELECT id FROM visits)"), 0);
    EXPECT_EQ(Texts(history, "SELECT cluster_id FROM clusters"), (std::set<std::string>{"1"}));
    EXPECT_EQ(Texts(history, "SELECT keyword FROM cluster_keywords"), (std::set<std::string>{"kept-keyword"}));
    EXPECT_EQ(Texts(history, "SELECT visit_id FROM clusters_and_visits"), (std::set<std::string>{"1", "7"}));
    EXPECT_EQ(Texts(history, "SELECT visit_id || '-' || duplicate_visit_id FROM cluster_visit_duplicates"),
              (std::set<std::string>{"7-1"}));
    EXPECT_EQ(Texts(history, "PRAGMA integrity_check"), (std::set<std::string>{"ok"}));
    EXPECT_TRUE(Texts(history, "PRAGMA foreign_key_check").empty());
    const std::string bytes = AllBytesOf(history);
    for (const char* gone : {"page2.html", "page3.html", "secret-keyword"})
        EXPECT_EQ(bytes.find(gone), std::string::npos) << gone;
}

// Firefox: several pages of a site cleaned together take the site's row with
// them; a site that keeps a page stays, marked to be weighed again; the
// metadata that named a removed place as its referrer goes, and a search
// term with it unless a kept page still names it; a bookmarked page stays
// without its history; the sites' statistics match what is left.
TEST(DatabaseConsistency, FirefoxLeavesNoOrphanAndFreshStatistics) {
    const std::string places = FirstFirefoxProfile() + "\\places.sqlite";
    SeedOptions o;
    o.items = {"Firefox Places History"};
    SeedTraces(o);
    RunSql(places, R"sql(
        INSERT INTO moz_origins (id, prefix, host, frecency) VALUES (10, 'https://', 'a.example.net', 300), (11, 'https://', 'b.example.net', 500);
        INSERT INTO moz_places (id, url, title, visit_count, frecency, guid, origin_id) VALUES
          (101, 'https://a.example.net/1', 'a1', 1, 100, 'pa1', 10), (102, 'https://a.example.net/2', 'a2', 1, 100, 'pa2', 10),
          (103, 'https://a.example.net/3', 'a3', 1, 100, 'pa3', 10),
          (111, 'https://b.example.net/1', 'b1', 1, 250, 'pb1', 11), (112, 'https://b.example.net/2', 'b2', 1, 250, 'pb2', 11);
        INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) SELECT id, 1, 1 FROM moz_places WHERE id > 100;
        INSERT INTO moz_places_metadata_search_queries VALUES (1, 'secret search'), (2, 'shared search');
        INSERT INTO moz_places_metadata (place_id, referrer_place_id, created_at, search_query_id) VALUES
          (101, NULL, 1, 1), (102, NULL, 1, 2), (112, 101, 1, NULL), (111, NULL, 1, 2);
        INSERT INTO moz_places_extra VALUES (101, '{}'), (111, '{}');
    )sql");
    Scanned s;
    s.Scan("Firefox Places History");
    for (const char* kept : {"https://b.example.net/1", "page1.html"})
        for (int i = 0; i < s.results.Count(); ++i)
            if (s.results.Item(i).ValueName.find(kept) != std::string::npos) s.results.Item(i).Checked = 0;
    for (int i = 0; i < s.results.Count(); ++i)
        if (s.results.Item(i).Location != places) s.results.Item(i).Checked = 0;
    s.Clean();
    EXPECT_EQ(Texts(places, "SELECT url FROM moz_places"),
              (std::set<std::string>{"https://b.example.net/1", kFirefoxSite + "page1.html", kFirefoxSite + "bookmarked.html",
                                     kFirefoxSite + "bookmark-only.html"}));
    EXPECT_EQ(Texts(places, "SELECT host FROM moz_origins"), (std::set<std::string>{"www.example.org", "b.example.net"}));
    EXPECT_EQ(Texts(places, "SELECT host FROM moz_origins WHERE recalc_frecency = 1"),
              (std::set<std::string>{"www.example.org", "b.example.net"}));
    EXPECT_EQ(Texts(places, "SELECT visit_count || ':' || recalc_frecency FROM moz_places WHERE url LIKE '%/bookmarked.html'"),
              (std::set<std::string>{"0:1"}));
    EXPECT_EQ(Texts(places, "SELECT terms FROM moz_places_metadata_search_queries"), (std::set<std::string>{"shared search"}));
    EXPECT_EQ(Texts(places, "SELECT place_id FROM moz_places_metadata"), (std::set<std::string>{"1", "111"}));
    EXPECT_EQ(Texts(places, "SELECT place_id FROM moz_places_extra"), (std::set<std::string>{"111"}));
    EXPECT_EQ(Number(places, "SELECT count(*) FROM moz_origins WHERE id NOT IN (SELECT origin_id FROM moz_places)"), 0);
    EXPECT_EQ(Number(places, "SELECT count(*) FROM moz_historyvisits WHERE place_id NOT IN (SELECT id FROM moz_places)"), 0);
    EXPECT_EQ(Number(places, "SELECT (SELECT value FROM moz_meta WHERE key = 'origin_frecency_count') = "
                             "(SELECT count(*) FROM moz_origins WHERE frecency > 0) AND "
                             "(SELECT value FROM moz_meta WHERE key = 'origin_frecency_sum') = "
                             "(SELECT total(frecency) FROM moz_origins WHERE frecency > 0)"), 1);
    EXPECT_TRUE(Texts(places, "PRAGMA foreign_key_check").empty());
    EXPECT_EQ(Texts(places, "PRAGMA integrity_check"), (std::set<std::string>{"ok"}));
    const std::string bytes = AllBytesOf(places);
    for (const char* gone : {"a.example.net", "b.example.net/2", "secret search", "page2.html"})
        EXPECT_EQ(bytes.find(gone), std::string::npos) << gone;
}
