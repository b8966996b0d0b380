// Names outside the code page, from the system to the records and back: each
// trace is listed with its exact name, removed for real, reported truthfully,
// and a look-alike beside it keeps every byte. Run under several code pages
// (1252 by default; 1251 and 932 through the locale, see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/utf.h"
#include "clean/clean_engine.h"
#include "clean/shred.h"
#include "exclude/exclude_lines.h"
#include "exclude/exclude_store.h"
#include "exclude/exclude_tests.h"
#include "integration/fixtures.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "scan/scan_conventions.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

namespace {

// A character of the system's own code page that is not ASCII.
std::string InCodePage() {
    switch (SystemAnsiCodePage()) {
    case 1251: return "Ёлка";
    case 932: return "日本";
    default: return "café résumé";
    }
}

// Names that no single code page holds, and look-alikes that a lossy
// conversion would turn one into the other.
struct Names {
    std::vector<std::string> hostile = {InCodePage() + ".txt", "Привет мир.txt", "报纸们.txt", "😀 smile.txt",
                                        "Łódź.txt", "ｆile.txt"};
    std::vector<std::string> bystanders = {"Lódz.txt", "file.txt", "Lodz.txt"};
};

// Reads a registry value straight through the W function, independent of the program's layer.
bool ValueThere(const std::string& keyPath, const std::string& name, std::wstring* data = nullptr) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(keyPath).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    wchar_t buf[512] = {};
    DWORD size = sizeof buf;
    const LONG rc = RegQueryValueExW(h, ToWide(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(h);
    if (data) *data = buf;
    return rc == ERROR_SUCCESS;
}

bool FileThere(const std::string& path) { return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// The shell folder value of the current user, changed for a test and put back after.
class ShellFolderAs {
public:
    ShellFolderAs(const char* value, const std::string& folder) : value_(value), old_(ShellFolder(value)) {
        RegKey k;
        k.OpenOrCreate(HKEY_CURRENT_USER, kShellFoldersKey);
        k.WriteString(value_, folder);
    }
    ~ShellFolderAs() {
        RegKey k;
        if (k.OpenForWrite(HKEY_CURRENT_USER, kShellFoldersKey)) k.WriteString(value_, old_);
    }

private:
    std::string value_, old_;
};

std::map<std::string, const TResultContentItem*> ByName(const TResultContents& results) {
    std::map<std::string, const TResultContentItem*> m;
    for (int i = 0; i < results.Count(); ++i) m[results.Item(i).ValueName] = &results.Item(i);
    return m;
}

// Ticks only the records whose ValueName is one of names, cleans, and says
// which records were reported removed.
std::set<std::string> CleanOnly(TResultContents& results, const std::vector<std::string>& names) {
    const std::set<std::string> wanted(names.begin(), names.end());
    for (int i = 0; i < results.Count(); ++i) results.Item(i).Checked = wanted.count(results.Item(i).ValueName) ? 1 : 0;
    CleanProgress progress;
    progress.total = static_cast<int>(names.size());
    CleanEvidences(results, progress);
    std::set<std::string> removed;
    for (int i = 0; i < results.Count(); ++i)
        if (results.Item(i).Deleted) removed.insert(results.Item(i).ValueName);
    return removed;
}

}  // namespace

// The runs under other code pages name the one they expect, so that a locale
// that did not take hold fails instead of testing code page 1252 again.
TEST(Unicode, RunsUnderTheCodePageItWasStartedFor) {
    const std::string expected = EnvironmentVariable("SORVANDA_EXPECT_CODE_PAGE");
    RecordProperty("code_page", static_cast<int>(SystemAnsiCodePage()));
    std::printf("system code page %u\n", SystemAnsiCodePage());
    if (!expected.empty()) {
        EXPECT_EQ(std::to_string(SystemAnsiCodePage()), expected);
    }
}

TEST(Unicode, RegistryValueNamesAndDataAreListedAndRemovedExactly) {
    const Names n;
    TestKey key("Unicode Значения 值");
    std::vector<std::string> all = n.hostile;
    all.insert(all.end(), n.bystanders.begin(), n.bystanders.end());
    for (const std::string& name : all) key.SetString(name, "C:\\Документы\\" + name);
    // A name with an unpaired surrogate beside the name it would become if it were replaced.
    const std::string lone = FromWide(std::wstring(L"x") + wchar_t(0xD800) + L"y");
    key.SetString(lone, "lone");
    key.SetString("x\xEF\xBF\xBDy", "replacement");  // x U+FFFD y
    ScanTree t;
    const ListScannerRow row{"Run History", "Clean RunMRU", "Microsoft Windows", key.path().c_str(),
                             ListScannerRow::Lists::Values, kKindRegValueText, NameField::ValueName,
                             true, TestData::ValueText};
    RunListScanner(row, t.Context(29));
    const auto found = ByName(t.results);
    ASSERT_EQ(t.results.Count(), static_cast<int>(all.size()) + 2);
    for (const std::string& name : all) {
        ASSERT_TRUE(found.count(name)) << name;
        EXPECT_EQ(found.at(name)->ValueData, "C:\\Документы\\" + name);
        EXPECT_EQ(found.at(name)->Location, key.full());
    }
    ASSERT_TRUE(found.count(lone));
    EXPECT_EQ(found.at(lone)->ValueData, "lone");

    std::vector<std::string> remove = n.hostile;
    remove.push_back(lone);
    EXPECT_EQ(CleanOnly(t.results, remove), std::set<std::string>(remove.begin(), remove.end()));
    for (const std::string& name : remove) EXPECT_FALSE(ValueThere(key.path(), name)) << name;
    for (const std::string& name : n.bystanders) {
        std::wstring data;
        EXPECT_TRUE(ValueThere(key.path(), name, &data)) << name;
        EXPECT_EQ(FromWide(data), "C:\\Документы\\" + name);
    }
    std::wstring replacement;
    EXPECT_TRUE(ValueThere(key.path(), "x\xEF\xBF\xBDy", &replacement));
    EXPECT_EQ(FromWide(replacement), "replacement");
}

// A file name with an unpaired surrogate, where the file system can hold one,
// is listed and shredded as itself; the name it would collapse onto stays.
TEST(Unicode, AFileNameWithAnUnpairedSurrogateIsNeverTakenForAnother) {
    TempFolder dir("Surrogates");
    const std::string lone = dir.path() + "\\" + FromWide(std::wstring(L"x") + wchar_t(0xDC00) + L"y.txt");
    const std::string replaced = dir.File("x\xEF\xBF\xBDy.txt", "bystander");
    {
        File f(lone, File::Open::Create);
        if (!f) GTEST_SKIP() << "this file system holds no such name (error " << f.Error() << ")";
        f.WriteAll("secret");
    }
    ScanTree t;
    ScanFolderFiles(dir.path(), 1, t.Context(31));
    const auto found = ByName(t.results);
    ASSERT_EQ(found.size(), 2u);
    ASSERT_TRUE(found.count(lone.substr(dir.path().size() + 1)));
    EXPECT_TRUE(ShredFile(lone, 1));
    EXPECT_FALSE(FileThere(lone));
    EXPECT_EQ(Slurp(replaced), "bystander");
}

TEST(Unicode, PlainTextValuesNamedOutsideTheCodePageAreAskedForByTheirOwnName) {
    TestKey key("Unicode MUICache");
    key.SetString("C:\\Игры\\Wow!\\wow.exe", "Игра");
    key.SetString("C:\\游戏\\game.exe", "游戏");
    key.SetString("C:\\Games\\expand.exe", "%x%", REG_EXPAND_SZ);
    ScanTree t;
    ListScannerRow row{"Exe MUICache", "Clean Windows MUICache", "Microsoft Windows", key.path().c_str(),
                       ListScannerRow::Lists::Values, kKindRegValueText, NameField::ValueName, true,
                       TestData::ValueText};
    row.count = Counting::Running;
    row.plainTextOnly = true;
    RunListScanner(row, t.Context(42));
    const auto found = ByName(t.results);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found.at("C:\\Игры\\Wow!\\wow.exe")->ValueData, "Игра");
    EXPECT_EQ(found.at("C:\\游戏\\game.exe")->ValueData, "游戏");
}

TEST(Unicode, RecentFilesInAFolderNamedOutsideTheCodePage) {
    const Names n;
    TempFolder home("Пользователь 用户");
    const std::string recent = home.Folder("Recent");
    for (const std::string& name : n.hostile) home.File("Recent\\" + name, "recent " + name);
    for (const std::string& name : n.bystanders) home.File("Recent\\" + name, "bystander " + name);
    ShellFolderAs as("Recent", recent);
    ScanTree t;
    ScanOneItem(t.session, *FindCatalogItemByName("Recent Files"), t.tree, t.results);
    const auto found = ByName(t.results);
    ASSERT_EQ(found.size(), n.hostile.size() + n.bystanders.size());
    for (const std::string& name : n.hostile) {
        ASSERT_TRUE(found.count(name)) << name;
        EXPECT_EQ(found.at(name)->Location, recent + "\\" + name);
        EXPECT_EQ(found.at(name)->Size, static_cast<int64_t>(("recent " + name).size()));
    }
    EXPECT_EQ(CleanOnly(t.results, n.hostile), std::set<std::string>(n.hostile.begin(), n.hostile.end()));
    for (const std::string& name : n.hostile) EXPECT_FALSE(FileThere(recent + "\\" + name)) << name;
    for (const std::string& name : n.bystanders) EXPECT_EQ(Slurp(recent + "\\" + name), "bystander " + name);
    EXPECT_EQ(Entries(recent), static_cast<int>(n.bystanders.size()));  // no renamed leftovers
}

TEST(Unicode, FavoritesAreExcludedAndCleanedByTheirExactNames) {
    const Names n;
    TempFolder favorites("Избранное");
    for (const std::string& name : n.hostile) favorites.File(name + ".url", "[InternetShortcut]");
    for (const std::string& name : n.bystanders) favorites.File(name + ".url", "kept " + name);
    ShellFolderAs as("Favorites", favorites.path());
    ScanTree t;
    // The exclusion of one CJK favorite keeps exactly that one out.
    t.Exclude("Favorites", "报纸们.txt.url", "", "");
    ScanOneItem(t.session, *FindCatalogItemByName("Favorites"), t.tree, t.results);
    const auto found = ByName(t.results);
    EXPECT_EQ(found.size(), n.hostile.size() + n.bystanders.size() - 1);
    EXPECT_FALSE(found.count("报纸们.txt.url"));
    std::vector<std::string> remove;
    for (const std::string& name : n.hostile)
        if (name != "报纸们.txt") remove.push_back(name + ".url");
    EXPECT_EQ(CleanOnly(t.results, remove), std::set<std::string>(remove.begin(), remove.end()));
    for (const std::string& name : remove) EXPECT_FALSE(FileThere(favorites.path() + "\\" + name)) << name;
    EXPECT_TRUE(FileThere(favorites.path() + "\\报纸们.txt.url"));
    for (const std::string& name : n.bystanders) EXPECT_EQ(Slurp(favorites.path() + "\\" + name + ".url"), "kept " + name);
}

TEST(Unicode, AUrlCacheEntryIsListedAsItsAddressAndRemovedByIt) {
    const std::string url = "http://www.example.com/café/报纸/Привет?q=😀";
    const std::string bystander = "http://www.example.com/cafe/";
    for (const std::string& u : {url, bystander}) {
        wchar_t local[MAX_PATH + 1] = {};
        ASSERT_TRUE(CreateUrlCacheEntryW(ToWide(u).c_str(), 0, L"", local, 0));
        {
            File f(FromWide(local), File::Open::Create);
            f.WriteAll("body");
        }
        FILETIME zero{};
        ASSERT_TRUE(CommitUrlCacheEntryW(ToWide(u).c_str(), local, zero, zero, NORMAL_CACHE_ENTRY, nullptr, 0,
                                         nullptr, nullptr));
    }
    ScanTree t;
    ScanOneItem(t.session, *FindCatalogItemByName("Cache"), t.tree, t.results);
    const auto found = ByName(t.results);
    ASSERT_TRUE(found.count(url)) << "the address as the cache holds it";
    ASSERT_TRUE(found.count(bystander));
    EXPECT_EQ(CleanOnly(t.results, {url}), std::set<std::string>{url});
    DWORD size = 0;
    EXPECT_FALSE(GetUrlCacheEntryInfoW(ToWide(url).c_str(), nullptr, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    size = 0;
    GetUrlCacheEntryInfoW(ToWide(bystander).c_str(), nullptr, &size);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER)) << "the look-alike entry stays";
    DeleteUrlCacheEntryW(ToWide(bystander).c_str());
}

TEST(Unicode, TheShredderDestroysTheFileNamedAndNoLookAlike) {
    const Names n;
    TempFolder dir("Шредер 粉碎");
    for (const std::string& name : n.bystanders) dir.File(name, "bystander " + name);
    for (const std::string& name : n.hostile) {
        const std::string path = dir.File(name, "secret " + name);
        EXPECT_TRUE(ShredFile(path, 1)) << name;
        EXPECT_FALSE(FileThere(path)) << name;
    }
    for (const std::string& name : n.bystanders) EXPECT_EQ(Slurp(dir.path() + "\\" + name), "bystander " + name);
    EXPECT_EQ(Entries(dir.path()), static_cast<int>(n.bystanders.size()));

    // A folder walk reaches every name in it.
    const std::string folder = dir.Folder("Папка 文件夹 😀");
    for (const std::string& name : n.hostile) dir.File("Папка 文件夹 😀\\" + name, "secret");
    ShredReport report;
    ShredEntry(folder, 1, report, ScanSession());
    EXPECT_EQ(report.shredded, static_cast<int>(n.hostile.size()));
    EXPECT_TRUE(report.AllGone());
    EXPECT_FALSE(FileThere(folder));

    // The headless front end takes the path exactly as given and prints it in UTF-8.
    const std::string target = dir.File("Łódź.txt", "secret");
    const CliRun run = RunCli("shred --passes 1 \"" + target + "\"");
    EXPECT_EQ(run.exitCode, 0u) << run.out;
    EXPECT_NE(run.out.find(target + "\tshredded"), std::string::npos) << run.out;
    EXPECT_FALSE(FileThere(target));
    EXPECT_EQ(Slurp(dir.path() + "\\Lódz.txt"), "bystander Lódz.txt");
}

TEST(Unicode, TheHeadlessScanPrintsUtf8) {
    TestKey key("Unused");  // the test root exists
    RegKey run;
    ASSERT_TRUE(run.OpenOrCreate(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"));
    run.WriteString("a", "notepad C:\\报纸\\们.txt\\1");
    run.WriteString("b", "notepad C:\\Привет\\😀.txt\\1");
    const CliRun plain = RunCli("scan --only \"Windows System/Run History\"");
    EXPECT_NE(plain.out.find("Run History\tnotepad C:\\报纸\\们.txt\\1\t0"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("notepad C:\\Привет\\😀.txt\\1"), std::string::npos) << plain.out;
    const CliRun json = RunCli("scan --only \"Windows System/Run History\" --json");
    EXPECT_NE(json.out.find("\"ValueData\":\"notepad C:\\\\报纸\\\\们.txt\\\\1\""), std::string::npos) << json.out;
    RegDeleteKeyTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU");
}

TEST(Unicode, AnExclusionOfOneCjkTraceHidesThatTraceAndNoOther) {
    TestKey key("RunMRU 报纸");
    key.SetString("a", "notepad C:\\报纸\\们.txt\\1");
    key.SetString("b", "notepad C:\\秘密\\书.txt\\1");
    key.SetString("c", "notepad C:\\??\\?.txt\\1");
    ScanTree t;
    t.Exclude("Run History", key.full(), "a", "notepad C:\\报纸\\们.txt\\1");
    const ListScannerRow row{"Run History", "Clean RunMRU", "Microsoft Windows", key.path().c_str(),
                             ListScannerRow::Lists::Values, kKindRegValueText, NameField::ValueName,
                             true, TestData::ValueText};
    RunListScanner(row, t.Context(29));
    const auto found = ByName(t.results);
    EXPECT_EQ(found.size(), 2u);
    EXPECT_FALSE(found.count("a"));
    EXPECT_TRUE(found.count("b"));
    EXPECT_TRUE(found.count("c"));
}

TEST(Unicode, TheExclusionFileStaysInTheCodePageUntilANameNeedsMoreThenStaysUtf8) {
    TempFolder dir("ExcludeFile");
    const std::string path = dir.path() + "\\Exclude1Items.est";
    // An old file, written in the code page as the program always wrote it.
    std::string oldLine;
    ASSERT_TRUE(Utf8ToCodePage("Run History|HKEY_CURRENT_USER\\Software\\" + InCodePage() + "!a<" + InCodePage() +
                                   " data\r\n",
                               SystemAnsiCodePage(), oldLine));
    ASSERT_TRUE(std::any_of(oldLine.begin(), oldLine.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    ASSERT_NE(oldLine, "Run History|HKEY_CURRENT_USER\\Software\\" + InCodePage() + "!a<" + InCodePage() + " data\r\n")
        << "code-page bytes, not UTF-8";
    dir.File("Exclude1Items.est", oldLine);
    TExcludeContents list;
    LoadExcludeItemsFrom(path, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0).Location, "HKEY_CURRENT_USER\\Software\\" + InCodePage());
    EXPECT_EQ(list.Item(0).EntryData, InCodePage() + " data");

    // Entries that fit: the file keeps the code page, byte for byte.
    AddExcludeItemTo(path, list, {"Paint", "HKEY_CURRENT_USER\\x", "File1", InCodePage()});
    std::string fitting;
    ASSERT_TRUE(Utf8ToCodePage("Paint|HKEY_CURRENT_USER\\x!File1<" + InCodePage() + "\r\n", SystemAnsiCodePage(),
                               fitting));
    EXPECT_EQ(Slurp(path), oldLine + fitting);

    // A name outside the code page: the whole file becomes UTF-8 with its mark, every entry kept.
    const TExcludeContentItem cjk{"Run History", "HKEY_CURRENT_USER\\Software", "b", "notepad C:\\报纸\\们.txt\\1"};
    const TExcludeContentItem emoji{"Favorites", "😀 Ünïcödé.url", "", ""};
    AddExcludeItemTo(path, list, cjk);
    AddExcludeItemTo(path, list, emoji);
    const std::string utf8 = Slurp(path);
    EXPECT_EQ(utf8.substr(0, 3), "\xEF\xBB\xBF");
    TExcludeContents reloaded;
    LoadExcludeItemsFrom(path, reloaded);
    ASSERT_EQ(reloaded.Count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(SameEntry(reloaded.Item(i), list.Item(i))) << i;

    // Without them again, the file keeps the encoding it was read in.
    RemoveExcludeItemFrom(path, reloaded, "Favorites", "😀 Ünïcödé.url");
    RemoveExcludeItemFrom(path, reloaded, "Run History", "notepad C:\\报纸\\们.txt\\1");
    EXPECT_EQ(Slurp(path), "\xEF\xBB\xBFRun History|HKEY_CURRENT_USER\\Software\\" + InCodePage() + "!a<" + InCodePage() +
                               " data\r\nPaint|HKEY_CURRENT_USER\\x!File1<" + InCodePage() + "\r\n");
}

// Old history and cookie files are code-page text with any line ends. Their
// traces are cut out of the file as read and made into records only when read.
TEST(Unicode, ProfileFileTracesReadTheirTextOutsideAsciiAndAcrossLines) {
    SeedOptions o;
    o.items = {"FireFoxHistory", "FireFoxCookies"};
    o.count = 1;
    SeedTraces(o);
    const std::string profiles = ShellFolder("AppData") + "\\Mozilla\\Firefox\\Profiles";
    const std::string word = InCodePage();
    std::string history, cookies;
    ASSERT_TRUE(Utf8ToCodePage("(A=http://a.example/" + word + ")\r(A=http://b.example/x\ry\nz\r\n)\n(A=http://c/)",
                               SystemAnsiCodePage(), history));
    ASSERT_TRUE(Utf8ToCodePage("# Netscape HTTP Cookie File\r.a.example\tTRUE\t/\tFALSE\t0\tn\t" + word + "\n.b." + word +
                                   "\tTRUE\t/\n",
                               SystemAnsiCodePage(), cookies));
    for (const char* p : {"k3j9x2aa.default", "q7w1e5rt.work"}) {
        File(profiles + "\\" + p + "\\history.dat", File::Open::Create).WriteAll(history);
        File(profiles + "\\" + p + "\\cookies.txt", File::Open::Create).WriteAll(cookies);
    }
    ScanTree t;
    const TResultContents h = t.Scan("FireFoxHistory");
    const TResultContents c = t.Scan("FireFoxCookies");
    ClearTraces(o);
    ASSERT_EQ(h.Count(), 6);
    ASSERT_EQ(c.Count(), 4);
    EXPECT_EQ(h.PendingCount(), 6);  // positions into the text until read
    EXPECT_EQ(t.Count(FindCatalogItemByName("FireFoxHistory")->node), 6);
    const std::vector<std::string> urls = {"http://a.example/" + word, "http://b.example/x\r\ny\r\nz\r\n", "http://c/"};
    for (int i = 0; i < 6; ++i) {
        const TResultContentItem& r = h.Item(i);
        EXPECT_EQ(r.DetailAt(4), urls[static_cast<size_t>(i % 3)]) << i;
        EXPECT_EQ(r.Size, static_cast<int64_t>(Utf8Length(r.DetailAt(4)))) << i;  // characters, not bytes
        EXPECT_EQ(r.Kind, kKindFirefoxHistory);
        EXPECT_EQ(r.Checked, 1);
        EXPECT_EQ(r.Line, -1);
        EXPECT_EQ(r.Location, profiles + (i < 3 ? "\\k3j9x2aa.default" : "\\q7w1e5rt.work") + "\\history.dat");
    }
    EXPECT_EQ(h.PendingCount(), 0);
    // Cookie pieces are upper case by the system's rules, with the line they start.
    for (int i = 0; i < 4; ++i) {
        const TResultContentItem& r = c.Item(i);
        EXPECT_EQ(r.DetailAt(5), i % 2 == 0 ? "\r\n.A.EXAMPLE\t" : "\r\n.B." + UpperCaseText(word) + "\t") << i;
        EXPECT_EQ(r.Line, i % 2 + 1) << i;
        EXPECT_EQ(r.ItemName, FindCatalogItemByName("FireFoxCookies")->RecordItemName());
    }
}
