#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "clean/clean_engine.h"
#include "clean/wipe.h"
#include "integration/fixtures.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "tools/seeder/seeder.h"

namespace {

TResultContentItem& Add(TResultContents& results, const char* source, int kind, const std::string& location,
                        const std::string& valueName = "", const std::string& group = "") {
    TResultContentItem& r = results.Item(results.AddNew());
    r.Checked = 1;
    r.SourceType = source;
    r.Kind = kind;
    r.Location = location;
    r.ValueName = valueName;
    r.Group = group;
    return r;
}

struct CleanRun {
    CleanProgress progress;
    std::vector<int> gauge;
    explicit CleanRun(int total) {
        progress.total = total;
        progress.onGauge = [this](int p) { gauge.push_back(p); };
    }
};

}  // namespace

TEST(CleanEngine, GaugeRoundsHalvesToEven) {
    EXPECT_EQ(GaugePercent(3, 4), 75);
    EXPECT_EQ(GaugePercent(1, 3), 33);
    EXPECT_EQ(GaugePercent(2, 3), 67);
    EXPECT_EQ(GaugePercent(1, 8), 12);   // 12.5 -> 12
    EXPECT_EQ(GaugePercent(3, 8), 38);   // 37.5 -> 38
    EXPECT_EQ(GaugePercent(1, 200), 0);  // 0.5 -> 0
    EXPECT_EQ(GaugePercent(3, 200), 2);  // 1.5 -> 2
    EXPECT_EQ(GaugePercent(5, 5), 100);
    EXPECT_EQ(GaugePercent(1, 0), 0);
}

TEST(CleanEngine, ValuesAndKeysGoAndAVanishedValueStays) {
    TestKey key("Clean");
    key.SetString("one", "1");
    key.SetString("two", "2");
    key.AddSubkey("Sub\\Deeper");
    TResultContents results;
    Add(results, "Reg", 1, key.full(), "one");
    Add(results, "Reg", 2, key.full(), "two");
    Add(results, "Reg", 2, key.full(), "vanished");                     // gone before the clean
    Add(results, "Reg", 3, key.full() + "\\Sub");                       // a key after values of the same hive
    Add(results, "Reg", 3, "HKEY_NOWHERE\\Software");                   // an unknown root
    TResultContentItem& unchecked = Add(results, "Reg", 2, key.full(), "kept");
    unchecked.Checked = 0;
    key.SetString("kept", "stays");
    CleanRun run(5);
    CleanEvidences(results, run.progress);
    EXPECT_EQ(results.Item(0).Deleted, 1);
    EXPECT_EQ(results.Item(1).Deleted, 1);
    EXPECT_EQ(results.Item(2).Deleted, 0);
    EXPECT_EQ(results.Item(3).Deleted, 1);
    EXPECT_EQ(results.Item(4).Deleted, 0);
    EXPECT_EQ(results.Item(5).Deleted, 0);
    RegKey k;
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, key.path()));
    EXPECT_FALSE(k.ValueExists("one"));
    EXPECT_FALSE(k.ValueExists("two"));
    EXPECT_TRUE(k.ValueExists("kept"));  // what was not ticked is never touched
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key.path() + "\\Sub"));
    EXPECT_EQ(run.progress.handled, 3);
    EXPECT_EQ(run.gauge, (std::vector<int>{20, 40, 60}));  // ends below 100
}

TEST(CleanEngine, RecordsSharingOneKeyAllEndDeleted) {
    TestKey key("Shared");
    key.AddSubkey("host1");
    key.AddSubkey("host2");
    TResultContents results;
    Add(results, "Reg", 3, key.full());
    Add(results, "Reg", 3, key.full());
    CleanRun run(2);
    CleanEvidences(results, run.progress);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key.path()));
    EXPECT_EQ(results.Item(0).Deleted, 1);
    EXPECT_EQ(results.Item(1).Deleted, 1);
    EXPECT_EQ(run.gauge.back(), 100);
}

TEST(CleanEngine, FilesAreOverwrittenThenRemoved) {
    TempFolder dir("Wipe");
    // Each pass writes "01" blocks from the first byte; an odd length grows by one.
    const std::string five = dir.File("five.txt", "hello");
    {
        File f(five, File::Open::Exclusive);
        ASSERT_TRUE(OverwritePasses(f, 5, 2));
    }
    EXPECT_EQ(Slurp(five), "010101");
    const std::string empty = dir.File("empty.txt", "");
    {
        File f(empty, File::Open::Exclusive);
        ASSERT_TRUE(OverwritePasses(f, 0, 2));
    }
    EXPECT_EQ(Slurp(empty), "");
    const std::string keep = dir.File("keep.txt", "not a trace");
    // The wipe makes two passes, each leaving "010101" on the disk.
    EXPECT_EQ(ContentAfterEachPass([&] { EXPECT_TRUE(WipeAndDeleteFile(five, 1)); }),
              (std::vector<std::string>{"010101", "010101"}));
    EXPECT_EQ(ContentAfterEachPass([&] { EXPECT_TRUE(WipeAndDeleteFile(empty, 1)); }),
              (std::vector<std::string>{"", ""}));
    EXPECT_FALSE(FileExists(five));
    EXPECT_EQ(Entries(dir.path()), 1);  // no renamed leftovers
    EXPECT_EQ(Slurp(keep), "not a trace");
    EXPECT_TRUE(WipeAndDeleteFile(five, 1));           // already gone counts as gone
    EXPECT_FALSE(WipeAndDeleteFile(dir.path(), 1));    // a folder is no file
}

TEST(CleanEngine, ThreeHistoryRecordsOfOneFileWipeItOnce) {
    TempFolder dir("History");
    const std::string history = dir.File("history.dat", "(A=http://a/)(A=http://b/)(A=http://c/)");
    TResultContents results;
    for (int i = 0; i < 3; ++i) Add(results, "File", 4, history);
    CleanRun run(3);
    CleanEvidences(results, run.progress);
    EXPECT_FALSE(FileExists(history));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(results.Item(i).Deleted, 1);
    EXPECT_EQ(Entries(dir.path()), 0);
    EXPECT_EQ(run.gauge.back(), 100);
}

TEST(CleanEngine, ALockedOrReadOnlyFileKeepsItsBytesAndStaysListed) {
    TempFolder dir("Locked");
    const std::string locked = dir.File("locked.txt", "precious");
    const std::string readOnly = dir.File("readonly.txt", "also precious", FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TResultContents results;
    Add(results, "File", 0, locked);
    Add(results, "File", 0, readOnly);
    CleanRun run(2);
    CleanEvidences(results, run.progress);
    CloseHandle(held);
    EXPECT_EQ(results.Item(0).Deleted, 0);
    EXPECT_EQ(results.Item(1).Deleted, 0);
    EXPECT_EQ(Slurp(locked), "precious");
    EXPECT_EQ(Slurp(readOnly), "also precious");
    EXPECT_EQ(Entries(dir.path()), 2);
    EXPECT_TRUE(run.gauge.empty());
}

TEST(CleanEngine, ARandomNameThatIsTakenReplacesNothing) {
    TempFolder dir("Names");
    // Every draw but the last hits a file that is there already.
    for (int n = 0; n < 5; ++n) dir.File(std::to_string(n), "bystander " + std::to_string(n));
    static int next;
    next = 0;
    SetWipeNameSource([] { return next < 5 ? next++ : 77777; });
    const std::string victim = dir.File("victim.txt", "secret");
    EXPECT_TRUE(WipeAndDeleteFile(victim, 1));
    // When every name is taken the file goes under its own name.
    SetWipeNameSource([] { return 0; });
    const std::string second = dir.File("second.txt", "secret");
    EXPECT_TRUE(WipeAndDeleteFile(second, 1));
    SetWipeNameSource(nullptr);
    for (int n = 0; n < 5; ++n) EXPECT_EQ(Slurp(dir.path() + "\\" + std::to_string(n)), "bystander " + std::to_string(n));
    EXPECT_EQ(Entries(dir.path()), 5);
}

TEST(CleanEngine, CacheRecordsGoByUrlAndLeaveTheirFileAlone) {
    SeedOptions o;
    o.items = {"Cookies"};
    o.count = 1;
    SeedTraces(o);
    const std::string url = "Cookie:user@seed1.example.com/";
    TempFolder dir("Cookie");
    const std::string other = dir.File("not-the-entry.txt", "keep me");
    TResultContents results;
    Add(results, "File", 11, other, url, "IE Cookies");
    Add(results, "File", 10, other, "http://never.cached.example/", "IE Cache");  // not in the cache: gone
    CleanRun run(2);
    CleanEvidences(results, run.progress);
    EXPECT_EQ(results.Item(0).Deleted, 1);
    EXPECT_EQ(results.Item(1).Deleted, 1);
    EXPECT_EQ(Slurp(other), "keep me");
    UrlCacheWalker w;
    UrlCacheEntry e;
    for (bool ok = w.First(e); ok; ok = w.Next(e)) EXPECT_NE(e.url, url);
}

TEST(CleanEngine, NothingCheckedChangesNothing) {
    TestKey key("Unchecked");
    key.SetString("v", "x");
    TResultContents results;
    Add(results, "Reg", 2, key.full(), "v").Checked = 0;
    CleanRun run(0);
    int steps = 0;
    run.progress.onStep = [&](const std::string&) { ++steps; };
    CleanEvidences(results, run.progress);
    EXPECT_EQ(steps, 0);
    EXPECT_TRUE(run.gauge.empty());
    EXPECT_EQ(results.Item(0).Deleted, 0);
}
