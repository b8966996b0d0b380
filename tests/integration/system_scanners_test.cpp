#include <gtest/gtest.h>

#include <windows.h>

#include "integration/fixtures.h"
#include "model/catalog.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

namespace {

SeedOptions Items(std::set<std::string> items, int count = 3) {
    SeedOptions o;
    o.items = std::move(items);
    o.count = count;
    return o;
}

constexpr char kRunPath[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

}  // namespace

TEST(SystemScanners, RunHistoryDropsAnExcludedTextAndCountsItsPosition) {
    const SeedOptions o = Items({"Run History"}, 2);  // a, b and MRUList
    SeedTraces(o);
    ScanTree t;
    t.Exclude("Run History", kRunPath, "b", "notepad C:\\seed\\note2.txt\\1 ");
    const TResultContents r = t.Scan("Run History");
    ASSERT_EQ(r.Count(), 2);
    for (int i = 0; i < r.Count(); ++i) EXPECT_NE(r.Item(i).ValueName, "b");
    EXPECT_EQ(t.Count(29), 3);
    ClearTraces(o);
}

TEST(SystemScanners, TrayNotifyCountsTheValuesItRecords) {
    const SeedOptions o = Items({"TrayNotify"});
    SeedTraces(o);
    ScanTree t;
    EXPECT_EQ(t.Scan("TrayNotify").Count(), 2);
    EXPECT_EQ(t.Count(40), 2);
    RegKey k;
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify"));
    k.DeleteValue("IconStreams");
    const TResultContents r = t.Scan("TrayNotify");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).ValueName, "PasticonsStream");
    EXPECT_EQ(r.Item(0).Kind, 1);
    EXPECT_EQ(t.Count(40), 1);
    // PasticonsStream is tested with its own name as the data.
    t.Exclude("TrayNotify", "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
                 "", "PasticonsStream");
    EXPECT_EQ(t.Scan("TrayNotify").Count(), 0);
    k.Close();
    ClearTraces(o);
}

TEST(SystemScanners, TelnetEntryForTheKeyDropsEverySubkey) {
    const SeedOptions o = Items({"Telnet Menu History", "My Network Places"});
    const SeedReport rep = SeedTraces(o);
    ScanTree t;
    EXPECT_EQ(t.Scan("Telnet Menu History").Count(), 4);  // three hosts and LastMachine
    EXPECT_EQ(t.Scan("My Network Places").Count(), 3);
    t.Exclude("Telnet Menu History", "HKEY_CURRENT_USER\\Software\\Microsoft\\Telnet", "", "");
    EXPECT_EQ(t.Scan("Telnet Menu History").Count(), 0);
    EXPECT_EQ(t.Scan("My Network Places").Count(), 3);  // another item's exclusion does not apply
    ClearTraces(o);
}

TEST(SystemScanners, MuiCacheListsPlainTextValuesOnly) {
    const SeedOptions o = Items({"Exe MUICache"}, 3);  // plus one expandable and one binary value
    SeedTraces(o);
    ScanTree t;
    const TResultContents r = t.Scan("Exe MUICache");
    ASSERT_EQ(r.Count(), 3);
    for (int i = 0; i < r.Count(); ++i) EXPECT_EQ(r.Item(i).ValueData.rfind("Seed App ", 0), 0u);
    EXPECT_EQ(t.Count(42), 3);  // running count of listed values
    ClearTraces(o);
}

TEST(SystemScanners, SendToHidesShellLinksInAnyCase) {
    const SeedOptions o = Items({"Windows Send To"}, 1);
    SeedTraces(o);
    const std::string folder = ShellFolder("SendTo");
    HANDLE h = CreateFileA((folder + "\\Fax.DESKLINK").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    ScanTree t;
    const TResultContents r = t.Scan("Windows Send To");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).ValueName, "Seed Target 1.lnk");
    EXPECT_EQ(r.Item(0).Size, 10);
    ClearTraces(o);
}

TEST(SystemScanners, RecycleBinSkipsItsOwnFilesAndMeasuresTheRest) {
    const SeedOptions o = Items({"RecycleBin"}, 2);
    SeedTraces(o);
    ScanTree t;
    TResultContents r = t.Scan("RecycleBin");
    ASSERT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Item(0).Location, "C:\\Recycled\\" + r.Item(0).ValueName);
    EXPECT_EQ(r.Item(0).Size, 14);  // "deleted file 1"
    EXPECT_EQ(t.Count(43), 2);
    t.Exclude("RecycleBin", "C:\\Recycled\\Dc1.txt", "", "");
    r = t.Scan("RecycleBin");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).ValueName, "Dc2.txt");
    ClearTraces(o);
    EXPECT_EQ(t.Scan("RecycleBin").Count(), 0);  // no Recycled folder at all
}

TEST(SystemScanners, OpenWithAndStartMenuAreTestedByName) {
    const SeedOptions o = Items({"Windows Explorer Open With History", "Start Menu Order History"}, 2);
    SeedTraces(o);
    ScanTree t;
    t.Exclude("Windows Explorer Open With History",
                 "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\otherFolder", "",
                 "seedapp1.exe");
    TResultContents r = t.Scan("Windows Explorer Open With History");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).KeyName, "seedapp2.exe");
    EXPECT_EQ(r.Item(0).Kind, 3);
    r = t.Scan("Start Menu Order History");
    ASSERT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Item(0).Kind, 1);
    EXPECT_FALSE(r.Item(0).ValueName.empty());
    EXPECT_EQ(r.Item(0).KeyName, "");
    ClearTraces(o);
}
