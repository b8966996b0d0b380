#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include "integration/fixtures.h"
#include "model/catalog.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

namespace {

bool Commit(const std::string& url, DWORD type) {
    char local[MAX_PATH + 1] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "", local, 0)) return false;
    HANDLE h = CreateFileA(local, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
    FILETIME zero{};
    return CommitUrlCacheEntryA(url.c_str(), local, zero, zero, type, nullptr, 0, nullptr, nullptr);
}

bool Has(const TResultContents& r, const std::string& url) {
    for (int i = 0; i < r.Count(); ++i)
        if (r.Item(i).ValueName == url) return true;
    return false;
}

constexpr char kMain[] = "Software\\Microsoft\\Internet Explorer\\Main";

}  // namespace

TEST(IEScanners, CacheAndCookiesSplitOnCookieColonAndNeedTheNormalBit) {
    ClearTraces({{"Cache", "Cookies"}});
    ASSERT_TRUE(Commit("Cookie:alice@shop.example/", NORMAL_CACHE_ENTRY | COOKIE_CACHE_ENTRY));
    ASSERT_TRUE(Commit("http://shop.example/cookie:lower", NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(Commit("http://shop.example/a.gif", NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(Commit("Cookie:nobit@shop.example/", COOKIE_CACHE_ENTRY));  // without bit 0x1
    ScanTree t;
    TResultContents cache = t.Scan("Cache");
    TResultContents cookies = t.Scan("Cookies");
    EXPECT_TRUE(Has(cache, "http://shop.example/cookie:lower"));  // the test is case-sensitive
    EXPECT_TRUE(Has(cache, "http://shop.example/a.gif"));
    EXPECT_FALSE(Has(cache, "Cookie:alice@shop.example/"));
    EXPECT_TRUE(Has(cookies, "Cookie:alice@shop.example/"));
    EXPECT_FALSE(Has(cookies, "http://shop.example/cookie:lower"));
    EXPECT_FALSE(Has(cache, "Cookie:nobit@shop.example/"));
    EXPECT_FALSE(Has(cookies, "Cookie:nobit@shop.example/"));
    EXPECT_EQ(t.Count(2), cache.Count());
    EXPECT_EQ(t.Count(4), cookies.Count());
    // Excluded by URL.
    t.Exclude("Cache", "http://shop.example/a.gif", "", "");
    t.Exclude("Cookies", "Cookie:alice@shop.example/", "", "");
    EXPECT_FALSE(Has(t.Scan("Cache"), "http://shop.example/a.gif"));
    EXPECT_FALSE(Has(t.Scan("Cookies"), "Cookie:alice@shop.example/"));
    // An entry whose local file is gone is still listed, with size 0.
    DeleteUrlCacheEntryByUrl("Cookie:nobit@shop.example/");
    t.session.ExcludeList.Clear();
    cache = t.Scan("Cache");
    for (int i = 0; i < cache.Count(); ++i) {
        DeleteFileA(cache.Item(i).Location.c_str());
    }
    cache = t.Scan("Cache");
    ASSERT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.Item(0).Size, 0);
    ClearTraces({{"Cache", "Cookies"}});
}

TEST(IEScanners, TypedUrlsPositionsWithAnExcludedFourth) {
    TestKey scratch("unused");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs");
    RegKey k;
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs"));
    for (int i = 1; i <= 5; ++i) k.WriteString("url" + std::to_string(i), "http://typed/" + std::to_string(i));
    ScanTree t;
    t.Exclude("Address Bar History", "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs", "",
                 "http://typed/4");
    const TResultContents r = t.Scan("Address Bar History");
    ASSERT_EQ(r.Count(), 4);
    EXPECT_EQ(r.Item(3).ValueName, "url5");
    EXPECT_EQ(r.Item(3).Group, "IE Address Bar History");
    EXPECT_EQ(t.Count(3), 5);
    k.Close();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs");
}

TEST(IEScanners, SingleValuesNeedTextAndSaveDirectoryIgnoresExclusions) {
    ClearTraces({{"Favorites Export File", "Save Directory"}});
    RegKey main;
    ASSERT_TRUE(main.OpenOrCreate(HKEY_CURRENT_USER, kMain));
    ScanTree t;
    main.WriteString("FavoritesExportFile", "");
    EXPECT_EQ(t.Scan("Favorites Export File").Count(), 0);
    EXPECT_EQ(t.Count(6), 0);
    main.WriteString("FavoritesExportFile", "C:\\bookmarks.htm");
    TResultContents r = t.Scan("Favorites Export File");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).ValueName, "FavoritesExportFile");
    EXPECT_EQ(r.Item(0).Group, "Internet Explorer");
    EXPECT_EQ(t.Count(6), 1);
    const std::string mainPath = "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main";
    t.Exclude("Favorites Export File", mainPath, "", " C:\\bookmarks.htm ");
    EXPECT_EQ(t.Scan("Favorites Export File").Count(), 0);
    main.WriteString("Save Directory", "C:\\saved");
    t.Exclude("Save Directory", mainPath, "", "C:\\saved");
    EXPECT_EQ(t.Scan("Save Directory").Count(), 1);
    main.Close();
    ClearTraces({{"Favorites Export File", "Save Directory"}});
}

TEST(IEScanners, AutoCompleteListsValuesWithoutReadingThem) {
    SeedOptions o;
    o.items = {"AutoCompleteData"};
    o.count = 2;
    SeedTraces(o);
    ScanTree t;
    EXPECT_EQ(t.Scan("AutoCompleteData").Count(), 3);
    EXPECT_EQ(t.Count(8), 3);
    // An entry for the key with empty data drops every value.
    t.Exclude("AutoCompleteData", "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\IntelliForms", "",
                 "");
    EXPECT_EQ(t.Scan("AutoCompleteData").Count(), 0);
    ClearTraces(o);
}

// Favorites lists its files by their bare names; a subfolder is no row (no clean removes one).
TEST(IEScanners, FavoritesListsFilesByBareNamesAndNoFolder) {
    SeedOptions o;
    o.items = {"Favorites"};
    o.count = 2;
    SeedTraces(o);
    const std::string folder = ShellFolder("Favorites");
    CreateDirectoryA((folder + "\\Links").c_str(), nullptr);
    ScanTree t;
    TResultContents r = t.Scan("Favorites");
    ASSERT_EQ(r.Count(), 2);
    for (int i = 0; i < r.Count(); ++i) {
        EXPECT_EQ(r.Item(i).Size, 0);
        EXPECT_EQ(r.Item(i).Location, folder + "\\" + r.Item(i).ValueName);
        EXPECT_NE(r.Item(i).ValueName, "Links");
    }
    t.Exclude("Favorites", r.Item(0).ValueName, "", "");
    const std::string kept = r.Item(1).ValueName;
    r = t.Scan("Favorites");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).ValueName, kept);
    RemoveDirectoryA((folder + "\\Links").c_str());
    ClearTraces(o);
}
