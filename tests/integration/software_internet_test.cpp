#include <gtest/gtest.h>

#include <windows.h>

#include "integration/fixtures.h"
#include "model/catalog.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

namespace {

void Put(const std::string& key, const std::string& name, const std::string& text) {
    RegKey k;
    k.OpenOrCreate(HKEY_CURRENT_USER, key);
    k.WriteString(name, text);
}

int Node(const char* item) { return FindCatalogItemByName(item)->node; }

}  // namespace

TEST(SoftwareScanners, FrontPageKeysInTheirScanOrder) {
    ClearTraces({{"Microsoft FrontPage"}});
    ScanTree t;
    EXPECT_EQ(t.Scan("Microsoft FrontPage").Count(), 0);
    EXPECT_EQ(t.Count(Node("Microsoft FrontPage")), 0);
    const std::string k16 = "Software\\Microsoft\\FrontPage\\Editor\\Insert Hyperlink\\Recently Used URLs";
    const std::string k3 = "Software\\Microsoft\\FrontPage\\Editor\\Recently Used URLs";
    Put(k16, "url1", "http://sixteen/");
    Put(k3, "url1", "http://three/1");
    Put(k3, "url2", "http://three/2");
    const TResultContents r = t.Scan("Microsoft FrontPage");
    ASSERT_EQ(r.Count(), 3);
    EXPECT_EQ(r.Item(0).Location, "HKEY_CURRENT_USER\\" + k3);
    EXPECT_EQ(r.Item(1).Location, "HKEY_CURRENT_USER\\" + k3);
    EXPECT_EQ(r.Item(2).Location, "HKEY_CURRENT_USER\\" + k16);
    EXPECT_EQ(r.Item(2).ValueData, "http://sixteen/");
    EXPECT_EQ(t.Count(Node("Microsoft FrontPage")), 3);
    // Exclusions of a multi-key item match the value text read from the record's key.
    t.Exclude("Microsoft FrontPage", "HKEY_CURRENT_USER\\" + k3, "", "http://three/2");
    EXPECT_EQ(t.Scan("Microsoft FrontPage").Count(), 2);
    ClearTraces({{"Microsoft FrontPage"}});
}

TEST(SoftwareScanners, OfficeScansEachKeyOnce) {
    ClearTraces({{"Microsoft Office"}});
    Put("Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU3", "a", "C:\\x.mdb");
    Put("Software\\Microsoft\\Office\\9.0\\Access\\Settings\\MRU3", "b", "C:\\y.mdb");
    ScanTree t;
    EXPECT_EQ(t.Scan("Microsoft Office").Count(), 2);
    EXPECT_EQ(t.Count(Node("Microsoft Office")), 2);
    ClearTraces({{"Microsoft Office"}});
}

TEST(SoftwareScanners, WinZipFolderNamesIgnoreCaseButNotLength) {
    ClearTraces({{"WinZip History"}});
    const std::string dirs = "Software\\Nico Mak Computing\\WinZip\\directories";
    for (const char* n : {"defdir", "EXTRACT", "ExtractTo", "ExtractTo2", "AddDir"}) Put(dirs, n, std::string("C:\\") + n);
    ScanTree t;
    const TResultContents r = t.Scan("WinZip History");
    std::set<std::string> names;
    for (int i = 0; i < r.Count(); ++i) names.insert(r.Item(i).ValueName);
    EXPECT_EQ(names, (std::set<std::string>{"defdir", "EXTRACT", "ExtractTo"}));
    EXPECT_EQ(t.Count(Node("WinZip History")), 3);
    ClearTraces({{"WinZip History"}});
}

TEST(SoftwareScanners, FixedValuesAndKeys) {
    ClearTraces({{"ASPack History", "ACDSee History", "Microsoft Netmeeting"}});
    ScanTree t;
    Put("Software\\ASPack\\Options", "OD_FileName", "");
    EXPECT_EQ(t.Scan("ASPack History").Count(), 0);
    Put("Software\\ACD Systems\\ACDSee\\OpenFolder", "", "C:\\pics");
    TResultContents r = t.Scan("ACDSee History");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Kind, 3);
    EXPECT_EQ(r.Item(0).ValueName, "OpenFolder");
    EXPECT_EQ(r.Item(0).Location, "HKEY_CURRENT_USER\\Software\\ACD Systems\\ACDSee\\OpenFolder");
    EXPECT_EQ(t.Count(Node("ACDSee History")), 1);
    Put("Software\\ACD Systems\\ACDSee\\LastFolder", "", "C:\\pics");
    EXPECT_EQ(t.Scan("ACDSee History").Count(), 2);
    EXPECT_EQ(t.Count(Node("ACDSee History")), 2);
    Put("UNICODE Program Groups", "Accessories", "x");
    r = t.Scan("Microsoft Netmeeting");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Kind, 3);
    EXPECT_EQ(r.Item(0).ValueName, "Accessories");
    EXPECT_EQ(r.Item(0).KeyName, "");
    EXPECT_EQ(r.Item(0).ValueData, "");
    EXPECT_EQ(r.Item(0).Location, "HKEY_CURRENT_USER\\UNICODE Program Groups");
    ClearTraces({{"ASPack History", "ACDSee History", "Microsoft Netmeeting"}});
}

TEST(InternetScanners, DownloadManagersIgnoreExclusionsAndAddUp) {
    SeedOptions o;
    o.items = {"GetRight", "Real DownLoad"};
    o.count = 3;
    SeedTraces(o);
    RegKey k;
    k.OpenForWrite(HKEY_CURRENT_USER, "Software\\Headlight\\GetRight\\TypedURLs");
    k.DeleteValue("URL3");
    ScanTree t;
    t.Exclude("GetRight", "HKEY_CURRENT_USER\\Software\\Headlight\\GetRight\\MRU", "", "http://www.example.com/get/1.zip");
    TResultContents r = t.Scan("GetRight");
    EXPECT_EQ(r.Count(), 5);
    EXPECT_EQ(t.Count(Node("GetRight")), 5);
    EXPECT_EQ(r.Item(0).Group, "Internet SoftWare");
    // Real DownLoad: three values of the user's key, then the default profile's list.
    r = t.Scan("Real DownLoad");
    ASSERT_EQ(r.Count(), 4);
    EXPECT_EQ(r.Item(3).Location, "HKEY_USERS\\.default\\Software\\RealNetworks\\RealDownload");
    EXPECT_EQ(t.Count(Node("Real DownLoad")), 4);
    t.Exclude("Real DownLoad", "HKEY_USERS\\.default\\Software\\RealNetworks\\RealDownload", "",
                 "http://www.example.com/real/default.rm");
    EXPECT_EQ(t.Scan("Real DownLoad").Count(), 3);
    k.Close();
    ClearTraces(o);
}

TEST(InternetScanners, BrowserFilesAndCacheFolders) {
    SeedOptions o;
    o.items = {"FireFoxHistory", "FireFoxCache"};
    o.count = 2;
    SeedTraces(o);
    ScanTree t;
    // History found in both profiles, but no cookies.txt: the cookie scanner finds nothing.
    EXPECT_EQ(t.Scan("FireFoxHistory").Count(), 4);
    EXPECT_EQ(FindProfileFiles(ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles", "history.dat", t.Context(49)).size(), 2u);
    EXPECT_EQ(t.Scan("FireFoxCookies").Count(), 0);
    EXPECT_TRUE(FindProfileFiles(ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles", "cookies.txt", t.Context(50)).empty());
    TResultContents r = t.Scan("FireFoxHistory");
    ASSERT_EQ(r.Count(), 4);
    EXPECT_EQ(r.Item(0).Kind, 4);
    EXPECT_EQ(r.Item(0).Group, "");
    EXPECT_EQ(r.Item(0).CleanName, "");
    EXPECT_EQ(r.Item(0).Size, static_cast<int64_t>(r.Item(0).DetailAt(4).size()));
    EXPECT_EQ(r.Item(0).Location.substr(r.Item(0).Location.size() - 11), "history.dat");
    // A subfolder of the cache is listed, size 0, and not entered.
    const std::string cache = ShellFolder("Local AppData") + "\\Mozilla\\Firefox\\Profiles\\k3j9x2aa.default\\Cache";
    CreateDirectoryA((cache + "\\sub").c_str(), nullptr);
    HANDLE h = CreateFileA((cache + "\\sub\\inner").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    // Another program's folder named Cache is no Firefox cache.
    const std::string stranger = ShellFolder("Local AppData") + "\\Another Program\\Cache";
    CreateDirectoryA((ShellFolder("Local AppData") + "\\Another Program").c_str(), nullptr);
    CreateDirectoryA(stranger.c_str(), nullptr);
    CloseHandle(CreateFileA((stranger + "\\data_0").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    r = t.Scan("FireFoxCache");
    DeleteFolderTree(ShellFolder("Local AppData") + "\\Another Program");
    ASSERT_EQ(r.Count(), 5);  // two maps, two files, the subfolder
    for (int i = 0; i < r.Count(); ++i) {
        EXPECT_EQ(r.Item(i).DetailAt(6), r.Item(i).Location);
        EXPECT_EQ(r.Item(i).Location.find("inner"), std::string::npos);
        if (r.Item(i).Location == cache + "\\sub") { EXPECT_EQ(r.Item(i).Size, 0); }
        if (r.Item(i).Location == cache + "\\_CACHE_MAP_") { EXPECT_EQ(r.Item(i).Size, 64); }
    }
    ClearTraces(o);
}

TEST(InternetScanners, ProfileSearchStopsOnAbort) {
    SeedOptions o;
    o.items = {"FireFoxHistory"};
    SeedTraces(o);
    ScanTree t;
    t.session.ScanState = kScanAbort;
    EXPECT_EQ(t.Scan("FireFoxHistory").Count(), 0);
    EXPECT_TRUE(FindProfileFiles(ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles", "history.dat", t.Context(49)).empty());
    ClearTraces(o);
}
