// The places of Windows 7 to 11: Explorer's numbered lists keep their order
// value right, launch counters are shown decoded and Explorer's own counters
// stay, and only the files the items name are listed.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <set>
#include <string>

#include "integration/fixtures.h"
#include "model/shell_values.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/wide.h"
#include "base/utf.h"
#include "tools/seeder/seeder.h"

namespace {

constexpr char kRecentDocs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
constexpr char kLaunch[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count";

std::vector<uint32_t> OrderOf(const std::string& key) {
    RegKey k;
    std::string data;
    if (!k.Open(HKEY_CURRENT_USER, key) || !k.ReadBinary("MRUListEx", data)) return {};
    return MruListNumbers(data);
}

TResultContentItem* Shown(TResultContents& results, const std::string& text, const std::string& key) {
    for (int i = 0; i < results.Count(); ++i)
        if (results.Item(i).ValueData == text && results.Item(i).Location == HkcuPath(key)) return &results.Item(i);
    return nullptr;
}

}  // namespace

TEST(WindowsToday, RecentDocumentsKeepTheirOrderValueRight) {
    Scanned s({"Recent Documents List"}, 3);
    const std::string docx = std::string(kRecentDocs) + "\\.docx";
    const std::string folder = std::string(kRecentDocs) + "\\Folder";
    ASSERT_EQ(s.results.Count(), 9);
    // Listed newest first, as MRUListEx orders them, by the name at the start of their data.
    EXPECT_EQ(s.results.Item(0).ValueData, "Seed Report 3.docx");
    EXPECT_EQ(s.results.Item(0).ValueName, "2");
    // Root list: report 2 unticked; .docx list: all go; Folder list: none go.
    Shown(s.results, "Seed Report 2.docx", kRecentDocs)->Checked = 0;
    for (int i = 0; i < s.results.Count(); ++i)
        if (s.results.Item(i).Location == HkcuPath(folder)) s.results.Item(i).Checked = 0;
    s.Clean();
    EXPECT_EQ(ValuesOf(kRecentDocs), (std::set<std::string>{"1", "MRUListEx"}));
    EXPECT_EQ(OrderOf(kRecentDocs), (std::vector<uint32_t>{1}));
    EXPECT_TRUE(ValuesOf(docx).empty());  // its order went with the last of them
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, docx));
    EXPECT_EQ(OrderOf(folder), (std::vector<uint32_t>{2, 1, 0}));
}

TEST(WindowsToday, NamesOutsideTheCodePageAreShownAndRemoved) {
    ClearTraces({});
    const std::string name = "Отчёт 報告 📄.docx";
    std::string data;
    for (char16_t c : Utf16FromUtf8(name)) data += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    data += std::string(2, '\0') + std::string(8, '\x05');
    {
        RegKey k;
        ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, kRecentDocs));
        k.WriteBinary("7", data);
        k.WriteBinary("MRUListEx", std::string("\x07\0\0\0\xff\xff\xff\xff", 8));
    }
    Scanned s;
    s.Scan("Recent Documents List");
    ASSERT_EQ(s.results.Count(), 1);
    EXPECT_EQ(s.results.Item(0).ValueData, name);
    s.Clean();
    EXPECT_EQ(s.results.Item(0).Deleted, 1);
    EXPECT_TRUE(ValuesOf(kRecentDocs).empty());
}

TEST(WindowsToday, LaunchCountersAreShownDecodedAndExplorersOwnStay) {
    Scanned s;
    {
        SeedOptions o;
        o.items = {"Program Launch History"};
        o.count = 2;
        SeedTraces(o);
    }
    // A folder GUID this system does not know stays as it is.
    const std::string unknown = "{00000000-0000-0000-0000-00000000ABCD}\\Seed\\other.exe";
    RegKey launch;
    ASSERT_TRUE(launch.OpenOrCreate(HKEY_CURRENT_USER, kLaunch));
    ASSERT_TRUE(launch.WriteBinary(Rot13(unknown), std::string(72, '\0')));
    // An exclusion names the value as stored.
    s.Exclude("Program Launch History", HkcuPath(kLaunch), "", "P:\\Cebtenz Svyrf\\Frrq\\ncc2.rkr");
    s.Scan("Program Launch History");
    std::set<std::string> shown;
    for (int i = 0; i < s.results.Count(); ++i) shown.insert(s.results.Item(i).ValueData);
    // A known folder's GUID is shown as the folder's path (the shell's older call says where it is).
    wchar_t programs[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs), S_OK);
    const std::string folder = FromWide(programs);
    EXPECT_EQ(shown, (std::set<std::string>{"C:\\Program Files\\Seed\\app1.exe", folder + "\\Seed\\Seed App 1.lnk",
                                            folder + "\\Seed\\Seed App 2.lnk", unknown}));
    s.Clean();
    EXPECT_EQ(ValuesOf(kLaunch), (std::set<std::string>{"P:\\Cebtenz Svyrf\\Frrq\\ncc2.rkr", "HRZR_PGYFRFFVBA",
                                                         "HRZR_PGYPHNPbhag:pgbe"}));
}

TEST(WindowsToday, OnlyTheNamedFilesAreListedAndTheRestStays) {
    Scanned s({"Thumbnail Cache", "Windows Error Reports", "Jump Lists", "Shell MuiCache"}, 2);
    const std::string explorer = ShellFolder("Local AppData") + "\\Microsoft\\Windows\\Explorer";
    std::set<std::string> listed;
    for (int i = 0; i < s.results.Count(); ++i)
        if (s.results.Item(i).ItemName == "Thumbnail Cache") listed.insert(s.results.Item(i).ValueName);
    EXPECT_EQ(listed, (std::set<std::string>{"thumbcache_1.db", "thumbcache_2.db", "iconcache_1.db", "iconcache_2.db"}));
    EXPECT_EQ(s.Record("Report.wer").Location.find("\\WER\\ReportArchive\\AppCrash_seedapp"),
              ShellFolder("Local AppData").size() + std::string("\\Microsoft\\Windows").size());
    s.Record("5f7b5f1e01b83571.automaticDestinations-ms").Checked = 0;
    s.Clean();
    EXPECT_TRUE(FileExists(explorer + "\\ExplorerStartupLog.etl"));
    EXPECT_FALSE(FileExists(explorer + "\\thumbcache_1.db"));
    const std::string recent = ShellFolder("AppData") + "\\Microsoft\\Windows\\Recent\\";
    EXPECT_TRUE(FileExists(recent + "AutomaticDestinations\\5f7b5f1e01b83571.automaticDestinations-ms"));
    EXPECT_FALSE(FileExists(recent + "AutomaticDestinations\\5f7b5f1e01b83572.automaticDestinations-ms"));
    // The MuiCache's names of programs go; its binary language value stays.
    EXPECT_EQ(ValuesOf("Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache"),
              (std::set<std::string>{"LangID"}));
}

// Only a number's own spelling is in the list: "007" is a value of its own, so
// cleaning it leaves the list and the excluded "7" as they were; the values of
// one key are rewritten into its list once, whatever their number.
TEST(WindowsToday, ALookAlikeNumberNeverTouchesTheList) {
    ClearTraces({});
    const auto utf16 = [](const std::string& text) {
        std::string data;
        for (char16_t c : Utf16FromUtf8(text)) data += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return data + std::string(2, '\0');
    };
    {
        RegKey k;
        ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, kRecentDocs));
        k.WriteBinary("7", utf16("seven.txt"));
        k.WriteBinary("007", utf16("look-alike.txt"));
        k.WriteBinary("3", std::string("\x05\0\0\0", 4), REG_DWORD);
        k.WriteBinary("4", utf16("four.txt"));
        k.WriteBinary("MRUListEx", std::string("\x07\0\0\0\x03\0\0\0\x04\0\0\0\xff\xff\xff\xff", 16));
    }
    Scanned s;
    s.Exclude("Recent Documents List", HkcuPath(kRecentDocs), "", "7");
    s.Scan("Recent Documents List");
    ASSERT_EQ(s.results.Count(), 3);
    // Listed in the list's order, then the look-alike; each says what it holds.
    EXPECT_EQ(s.results.Item(0).ValueName, "3");
    EXPECT_EQ(s.results.Item(0).ValueData, "(number 5)");
    EXPECT_EQ(s.results.Item(1).ValueData, "four.txt");
    EXPECT_EQ(s.results.Item(2).ValueName, "007");
    EXPECT_EQ(s.results.Item(2).ValueData, "look-alike.txt");
    s.Record("4").Checked = 0;
    s.Clean();
    EXPECT_EQ(ValuesOf(kRecentDocs), (std::set<std::string>{"7", "4", "MRUListEx"}));
    EXPECT_EQ(OrderOf(kRecentDocs), (std::vector<uint32_t>{7, 4}));
    s.Record("4").Checked = 1;
    s.Clean();
    EXPECT_EQ(OrderOf(kRecentDocs), (std::vector<uint32_t>{7}));
}

// The jump lists' two folders inside Recent are no row of Recent Files (no
// clean removes a folder); Jump Lists lists and removes their files.
TEST(WindowsToday, JumpListFoldersAreNoRowOfRecentFiles) {
    Scanned s({"Recent Files", "Jump Lists"}, 2);
    for (int i = 0; i < s.results.Count(); ++i) {
        const TResultContentItem& r = s.results.Item(i);
        EXPECT_NE(r.ValueName, "AutomaticDestinations");
        EXPECT_NE(r.ValueName, "CustomDestinations");
        if (r.ItemName == "Recent Files") {
            EXPECT_EQ(r.Location.find("Destinations\\"), std::string::npos) << r.Location;
        }
    }
    s.Clean();
    const std::string recent = ShellFolder("AppData") + "\\Microsoft\\Windows\\Recent\\";
    EXPECT_TRUE(DirectoryExists(recent + "AutomaticDestinations"));
    EXPECT_EQ(Entries(recent + "AutomaticDestinations"), 0);
    Scanned again;
    again.Scan("Recent Files");
    again.Scan("Jump Lists");
    EXPECT_EQ(again.results.Count(), 0);
}
