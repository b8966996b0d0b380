// A clean removes exactly what the user chose: a key or file that stands for
// several traces goes whole only when all of them are ticked and none is
// excluded; links are never followed; the recycle bin is emptied only when
// asked; and every record says truthfully what became of its trace.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <map>
#include <set>
#include <string>

#include "clean/clean_engine.h"
#include "integration/fixtures.h"
#include "model/catalog.h"
#include "base/text.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "scan/scan_conventions.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

namespace {

constexpr char kOpenWith[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\otherFolder";
constexpr char kTelnet[] = "Software\\Microsoft\\Telnet";
constexpr char kRegedit[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
constexpr char kNetmeeting[] = "UNICODE Program Groups";

}  // namespace

TEST(CleanChoice, AnExcludedOrUntickedOpenWithValueStaysWhenTheOthersGo) {
    {
        Scanned s({"Windows Explorer Open With History"});
        ASSERT_EQ(s.results.Count(), 3);
        s.Record("seedapp2.exe").Checked = 0;
        // The user excluded seedapp3.exe after the scan (its row left the results).
        s.Exclude("Windows Explorer Open With History", HkcuPath(kOpenWith), "", "seedapp3.exe");
        s.results.Delete(2);
        s.Clean();
        EXPECT_EQ(ValuesOf(kOpenWith), (std::set<std::string>{"seedapp2.exe", "seedapp3.exe"}));
        EXPECT_EQ(s.Record("seedapp1.exe").Deleted, 1);
        EXPECT_EQ(s.Record("seedapp2.exe").Deleted, 0);
    }
    {
        // Everything ticked and nothing excluded: the listed key goes whole.
        Scanned s({"Windows Explorer Open With History", "Start Menu Click History"});
        s.Clean();
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kOpenWith));
        for (int i = 0; i < s.results.Count(); ++i) EXPECT_EQ(s.results.Item(i).Deleted, 1) << i;
    }
}

TEST(CleanChoice, TelnetAndMyNetworkPlacesGoTogetherOrEachAsTicked) {
    {
        Scanned s({"Telnet Menu History", "My Network Places"});
        ASSERT_EQ(s.results.Count(), 7);  // three hosts, LastMachine, three machines
        s.Clean();
        EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kTelnet));
        // The machines went with the Telnet key: removed, not "not removed".
        for (int i = 0; i < s.results.Count(); ++i) EXPECT_EQ(s.results.Item(i).Deleted, 1) << i;
    }
    {
        Scanned s({"Telnet Menu History", "My Network Places"});
        s.Record("seedmachine2").Checked = 0;
        s.Clean();
        EXPECT_EQ(SubkeysOf(kTelnet), (std::set<std::string>{"LastMachine"}));
        EXPECT_EQ(SubkeysOf(std::string(kTelnet) + "\\LastMachine"), (std::set<std::string>{"seedmachine2"}));
        EXPECT_EQ(s.Record("seedhost1.example.com").Deleted, 1);
        EXPECT_EQ(s.Record("seedmachine1").Deleted, 1);
        EXPECT_EQ(s.Record("LastMachine").Deleted, 0);
        EXPECT_EQ(s.Record("LastMachine").Reason, StayReason::HoldsKeptTraces);
        EXPECT_EQ(s.Record("seedmachine2").Deleted, 0);
    }
}

TEST(CleanChoice, NetmeetingLosesOnlyItsTickedValues) {
    Scanned s({"Microsoft Netmeeting"});
    s.Record("Seed Group 2").Checked = 0;
    s.Clean();
    EXPECT_EQ(ValuesOf(kNetmeeting), (std::set<std::string>{"Seed Group 2"}));
    EXPECT_EQ(s.Record("Seed Group 1").Deleted, 1);
}

// The trace is LastKey, the key the editor had open last; the locations the
// user saved in Favorites on purpose stay, and so does the key's default value.
TEST(CleanChoice, Regedit32HistoryRemovesLastKeyAndKeepsFavorites) {
    Scanned s({"Regedit32 History"});
    {
        RegKey k;
        ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, kRegedit));
        k.WriteString("", "the key's own default value");
    }
    ASSERT_EQ(s.results.Count(), 3);  // two subkeys and LastKey, not Favorites
    EXPECT_EQ(s.Record("LastKey").ValueData, "Computer\\HKEY_CURRENT_USER\\Software\\Seed");
    s.Record("Seed Subkey 2").Checked = 0;
    s.Clean();
    EXPECT_EQ(SubkeysOf(kRegedit), (std::set<std::string>{"Seed Subkey 2", "Favorites"}));
    EXPECT_EQ(ValuesOf(kRegedit), (std::set<std::string>{""}));
    EXPECT_EQ(ValuesOf(std::string(kRegedit) + "\\Favorites"), (std::set<std::string>{"Seed Favorite"}));
    EXPECT_EQ(s.Record("LastKey").Deleted, 1);
    EXPECT_EQ(s.Record("Seed Subkey 1").Deleted, 1);
    EXPECT_EQ(s.Record("Seed Subkey 2").Deleted, 0);
}

TEST(CleanChoice, ACookieFileLosesExactlyItsTickedLines) {
    Scanned s({"FireFoxCookies"});
    ASSERT_EQ(s.results.Count(), 6);  // three in each profile's file
    const std::string file = s.results.Item(0).Location, other = s.results.Item(3).Location;
    ASSERT_NE(file, other);
    const std::string before = Slurp(file), otherBefore = Slurp(other);
    const std::string folder = file.substr(0, file.find_last_of('\\'));
    const int entries = Entries(folder);
    for (int i : {1, 3, 4, 5}) s.results.Item(i).Checked = 0;
    s.Clean();
    EXPECT_EQ(Slurp(other), otherBefore);
    const std::string after = Slurp(file);
    // The kept lines, byte for byte, in order: the comment, the unticked cookie, the line without a dot.
    std::string kept;
    size_t at = 0;
    for (int line = 0; at < before.size(); ++line) {
        const size_t end = before.find("\r\n", at) + 2;
        if (line != 1 && line != 3) kept += before.substr(at, end - at);
        at = end;
    }
    EXPECT_EQ(after, kept);
    for (int i : {0, 2}) {
        EXPECT_EQ(s.results.Item(i).Deleted, 1);
        const std::string domain = s.results.Item(i).DetailAt(5).substr(3, s.results.Item(i).DetailAt(5).size() - 4);
        EXPECT_EQ(AsciiLower(after).find(AsciiLower(domain)), std::string::npos) << domain;
    }
    EXPECT_EQ(s.results.Item(1).Deleted, 0);
    EXPECT_EQ(Entries(folder), entries);  // nothing left beside it
}

TEST(CleanChoice, AHistoryFileStaysUnlessAllItsTracesAreTicked) {
    Scanned s({"FireFoxHistory"});
    ASSERT_EQ(s.results.Count(), 6);  // three in each profile's file
    const std::string file = s.results.Item(0).Location, other = s.results.Item(3).Location;
    const std::string before = Slurp(file), otherBefore = Slurp(other);
    for (int i : {0, 3, 4, 5}) s.results.Item(i).Checked = 0;
    s.Clean();
    EXPECT_EQ(Slurp(file), before);
    for (int i : {1, 2}) {
        EXPECT_EQ(s.results.Item(i).Deleted, 0);
        EXPECT_EQ(s.results.Item(i).Reason, StayReason::KeptWithItsFile);
    }
    s.results.Item(0).Checked = 1;
    s.Clean();
    EXPECT_FALSE(FileExists(file));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.results.Item(i).Deleted, 1);
    EXPECT_EQ(Slurp(other), otherBefore);  // the other profile's history, all unticked
}

// Links made by the test fixture in a Favorites and a Recent folder: cleaned,
// the file a link points to keeps every byte, and a link's row says removed
// only when the link itself went.
TEST(CleanChoice, LinksInFavoritesAndRecentAreNeverFollowed) {
    const std::string base = "C:\\SorvandaLinkTest";
    ASSERT_TRUE(DirectoryExists(base + "\\favorites")) << "the link fixture did not run (run the tests through ctest)";
    const std::map<std::string, std::string> places = {{"Favorites", "favorites"}, {"Recent", "recent"}};
    for (const auto& [value, folder] : places) {
        const std::string old = ShellFolder(value);
        {
            RegKey k;
            k.OpenForWrite(HKEY_CURRENT_USER, kShellFoldersKey);
            k.WriteString(value, base + "\\" + folder);
        }
        ScanTree t;
        TResultContents results;
        ScanOneItem(t.session, *FindCatalogItemByName(value == "Favorites" ? "Favorites" : "Recent Files"), t.tree,
                    results);
        ASSERT_EQ(results.Count(), 2) << value;
        CleanProgress progress;
        progress.total = 2;
        CleanEvidences(results, progress);
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            const bool there = PathAttributes(r.Location) != INVALID_FILE_ATTRIBUTES;
            EXPECT_EQ(r.Deleted, there ? 0 : 1) << r.Location;
            if (r.ValueName.find("linked") != std::string::npos && there) {
                EXPECT_EQ(r.Reason, StayReason::LinkNotFollowed);
            }
            if (r.ValueName.find("own") != std::string::npos) {
                EXPECT_FALSE(there) << r.Location;
            }
        }
        RegKey k;
        k.OpenForWrite(HKEY_CURRENT_USER, kShellFoldersKey);
        k.WriteString(value, old);
    }
    EXPECT_EQ(Slurp(base + "\\outside\\favorite.url"), "favorite target");
    EXPECT_EQ(Slurp(base + "\\outside\\recent.txt"), "recent target");
}

// The headless clean of one item leaves the user's recycle bin alone; only a
// ticked recycle-bin trace empties it.
TEST(CleanChoice, TheRecycleBinIsEmptiedOnlyWhenItsTracesAreTicked) {
    auto binItems = [] {
        SHQUERYRBINFO info{};
        info.cbSize = sizeof info;
        return SUCCEEDED(SHQueryRecycleBinW(nullptr, &info)) ? info.i64NumItems : -1;
    };
    TempFolder dir("Bin");
    const std::string path = dir.File("in-the-bin.txt", "x");
    const std::wstring from = ToWide(path) + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    ASSERT_EQ(SHFileOperationW(&op), 0);
    const long long before = binItems();
    ASSERT_GE(before, 1);
    SeedOptions o;
    o.items = {"Run History"};
    SeedTraces(o);
    const CliRun run = RunCli("clean --only \"Windows System/Run History\"");
    EXPECT_EQ(run.exitCode, 0u) << run.out;
    EXPECT_EQ(binItems(), before);
    TResultContents none, ticked;
    EXPECT_FALSE(RecycleBinTicked(none));
    TResultContentItem& r = ticked.Item(ticked.AddNew());
    r.Item = FindCatalogItemByName("RecycleBin");
    EXPECT_FALSE(RecycleBinTicked(ticked));
    r.Checked = 1;
    EXPECT_TRUE(RecycleBinTicked(ticked));
    ClearTraces(o);
}
