// Today's Windows and everyday programs, seeded as they write their places:
// each scan shows what the user would recognise, each clean removes exactly
// the ticked traces and keeps the rest of the place (other entries, other
// values, other sections and elements, the file's encoding), and hostile
// places (links, held and read-only files, damaged data) never lose more.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "clean/clean_engine.h"
#include "integration/fixtures.h"
#include "platform/clipboard.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/settings_lists.h"
#include "tests/support/shell_item_bytes.h"
#include "tools/seeder/seeder.h"
#include "tools/seeder/today_traces.h"

namespace {

constexpr char kComDlg[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\";
constexpr char kTerminal[] = "Software\\Microsoft\\Terminal Server Client";

TResultContentItem* Showing(TResultContents& results, const std::string& text) {
    for (int i = 0; i < results.Count(); ++i) {
        TResultContentItem& r = results.Item(i);
        if (r.ValueName == text || r.ValueData == text) return &r;
    }
    return nullptr;
}

std::vector<std::string> Shown(const TResultContents& results, bool data) {
    std::vector<std::string> out;
    for (int i = 0; i < results.Count(); ++i) out.push_back(data ? results.Item(i).ValueData : results.Item(i).ValueName);
    std::sort(out.begin(), out.end());
    return out;
}

std::string AppData() { return ShellFolder("AppData"); }

std::string ReadValue(const std::string& key, const std::string& name) {
    RegKey k;
    std::string data;
    if (!k.Open(HKEY_CURRENT_USER, key) || !k.ReadBinary(name, data)) return "(none)";
    return data;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::string_view l : SplitLines(text)) out.emplace_back(l);
    return out;
}

}  // namespace

TEST(TodayWindows, RecycleBinItemsShowTheirPathAndGoWithTheirData) {
    Scanned s({"Recycle Bin Files"}, 3);
    const std::string bin = SeededRecycleBin();
    ASSERT_FALSE(bin.empty());
    EXPECT_EQ(Shown(s.results, false),
              (std::vector<std::string>{"C:\\Users\\Public\\Documents\\Seed Draft 1.txt",
                                        "C:\\Users\\Public\\Documents\\Seed Draft 2.txt",
                                        "C:\\Users\\Public\\Documents\\Seed Draft 3.txt", "C:\\Users\\Public\\Seed Folder"}));
    EXPECT_EQ(Showing(s.results, "C:\\Users\\Public\\Documents\\Seed Draft 2.txt")->Size, 12);  // "draft 2 body", version 1
    // Draft 2 stays unticked, draft 3 is excluded for good: a scan after the exclusion no longer lists it.
    Showing(s.results, "C:\\Users\\Public\\Documents\\Seed Draft 2.txt")->Checked = 0;
    s.Exclude("Recycle Bin Files", "C:\\Users\\Public\\Documents\\Seed Draft 3.txt", "", "");
    // A damaged record among them: shown by its data's name, and removable with it.
    {
        File f(bin + "\\$ISDBAD9.log", File::Open::Create);
        f.WriteAll(std::string("\x02\0\0\0\0\0\0\0\x05", 9));
        File d(bin + "\\$RSDBAD9.log", File::Open::Create);
        d.WriteAll("bad");
    }
    s.results.Clear();
    s.Scan("Recycle Bin Files");
    ASSERT_EQ(s.results.Count(), 4);
    ASSERT_NE(Showing(s.results, "(a deleted item the bin cannot describe) $RSDBAD9.log"), nullptr);
    Showing(s.results, "C:\\Users\\Public\\Documents\\Seed Draft 2.txt")->Checked = 0;
    s.Clean();
    for (const char* gone : {"$ISD14K2.txt", "$RSD14K2.txt", "$ISDF00L", "$RSDF00L", "$ISDBAD9.log", "$RSDBAD9.log"})
        EXPECT_EQ(PathAttributes(bin + "\\" + gone), INVALID_FILE_ATTRIBUTES) << gone;
    for (const char* kept : {"$ISD24K2.txt", "$RSD24K2.txt", "$ISD34K2.txt", "$RSD34K2.txt", "desktop.ini"})
        EXPECT_TRUE(FileExists(bin + "\\" + kept)) << kept;
}

// The fixture's bin folder holds a link to a folder outside; it is put in
// place as a whole (a link moved alone would be followed) and back afterwards.
TEST(TodayWindows, ARecycledLinkIsNeverFollowed) {
    const std::string base = "C:\\SorvandaLinkTest";
    ASSERT_TRUE(DirectoryExists(base + "\\binsid")) << "the link fixture did not run (run the tests through ctest)";
    ClearTraces({});
    const std::string bin = SeededRecycleBin();
    ASSERT_TRUE(CreateFolders(bin.substr(0, bin.find_last_of('\\'))));
    ASSERT_TRUE(RenamePath(base + "\\binsid", bin, false));
    {
        File f(bin + "\\$ISDLNK1", File::Open::Create);
        f.WriteAll(shellbytes::RecycledInfoFile(2, 7, 0, u"C:\\Users\\Public\\Linked"));
    }
    Scanned s;
    s.Scan("Recycle Bin Files");
    ASSERT_EQ(s.results.Count(), 1);
    s.Clean();
    EXPECT_EQ(Slurp(base + "\\outside\\keep.txt"), "keep me");
    // Gone as a link, or left with the record that describes it.
    const bool linkThere = PathAttributes(bin + "\\$RSDLNK1") != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(s.results.Item(0).Deleted, linkThere ? 0 : 1);
    if (linkThere) {
        EXPECT_EQ(s.results.Item(0).Reason, StayReason::LinkNotFollowed);
        EXPECT_TRUE(FileExists(bin + "\\$ISDLNK1"));
        DeletePath(bin + "\\$ISDLNK1");
    }
    EXPECT_TRUE(RenamePath(bin, base + "\\binsid", false));
}

TEST(TodayWindows, DialogHistoryShowsThePathsItsShellItemsName) {
    Scanned s({"Open/Save Dialog History"}, 3);
    ASSERT_EQ(s.results.Count(), 12);
    // Newest first, by the path the shell items name; the program lists by program and folder.
    EXPECT_EQ(s.results.Item(0).ValueData, "C:\\Users\\Public\\Documents\\Seed Report 3.docx");
    EXPECT_EQ(s.results.Item(0).ValueName, "2");
    ASSERT_NE(Showing(s.results, "seedapp1.exe: C:\\Users\\Public\\Documents"), nullptr);
    ASSERT_NE(Showing(s.results, "seedapp2.exe"), nullptr);
    // Report 2 stays in "*", every other dialog entry goes; a kept path is kept by its text.
    const std::string all = std::string(kComDlg) + "OpenSavePidlMRU\\*";
    for (int i = 0; i < s.results.Count(); ++i)
        if (s.results.Item(i).Location == HkcuPath(all) && s.results.Item(i).ValueName == "1") s.results.Item(i).Checked = 0;
    s.Clean();
    EXPECT_EQ(ValuesOf(all), (std::set<std::string>{"1", "MRUListEx"}));
    EXPECT_EQ(ValuesOf(std::string(kComDlg) + "OpenSavePidlMRU\\docx"), std::set<std::string>{});
    EXPECT_EQ(ValuesOf(std::string(kComDlg) + "LastVisitedPidlMRU"), std::set<std::string>{});
    s.results.Clear();
    s.Exclude("Open/Save Dialog History", HkcuPath(all), "", "C:\\Users\\Public\\Documents\\Seed Report 2.docx");
    s.Scan("Open/Save Dialog History");
    EXPECT_EQ(s.results.Count(), 0);
}

TEST(TodayWindows, DamagedDialogDataIsShownAsWhatItIsAndCleaned) {
    ClearTraces({});
    const std::string key = std::string(kComDlg) + "OpenSavePidlMRU\\txt";
    {
        RegKey k;
        ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, key));
        k.WriteBinary("0", std::string("\x30\x00\xEE", 3));                  // an item longer than the data
        k.WriteBinary("1", std::string("\x06\x00\x99\x01\x02\x03\x00\x00", 8));  // a kind no one knows
        k.WriteBinary("MRUListEx", std::string("\x01\0\0\0\0\0\0\0\xff\xff\xff\xff", 12));
    }
    Scanned s;
    s.Scan("Open/Save Dialog History");
    ASSERT_EQ(s.results.Count(), 2);
    EXPECT_NE(s.results.Item(0).ValueData.find("[item 0x99]"), std::string::npos) << s.results.Item(0).ValueData;
    EXPECT_NE(s.results.Item(1).ValueData.find("[damaged]"), std::string::npos) << s.results.Item(1).ValueData;
    s.Clean();
    EXPECT_EQ(ValuesOf(key), std::set<std::string>{});
    RegDeleteKeyTree(HKEY_CURRENT_USER, std::string(kComDlg) + "OpenSavePidlMRU");
}

TEST(TodayWindows, OnlyOldTemporaryFilesGoAndAHeldOneStaysWithItsReason) {
    Scanned s({"Temporary Files"}, 3);
    EXPECT_EQ(Shown(s.results, false), (std::vector<std::string>{"~seed1.tmp", "~seed2.tmp", "~seed3.tmp"}));
    const std::string held = Showing(s.results, "~seed3.tmp")->Location;
    File holder(held, File::Open::Exclusive);
    ASSERT_TRUE(holder);
    s.Clean();
    holder.Close();
    EXPECT_EQ(Showing(s.results, "~seed1.tmp")->Deleted, 1);
    EXPECT_EQ(Showing(s.results, "~seed2.tmp")->Deleted, 1);
    EXPECT_EQ(Showing(s.results, "~seed3.tmp")->Deleted, 0);
    EXPECT_EQ(Showing(s.results, "~seed3.tmp")->Reason, StayReason::InUse);
    EXPECT_TRUE(FileExists(held));
    std::string temp = TempDirectory();
    EXPECT_TRUE(FileExists(temp + "sorvanda-seed\\fresh.tmp"));
}

TEST(TodayWindows, TheClipboardIsOneRowAndACleanEmptiesIt) {
    Scanned s({"Clipboard"});
    ASSERT_EQ(s.results.Count(), 1);
    EXPECT_EQ(s.results.Item(0).ValueName, "Text: Seed clipboard line...");
    s.Clean();
    EXPECT_EQ(s.results.Item(0).Deleted, 1);
    EXPECT_EQ(ReadClipboard().formats, 0);
    s.results.Clear();
    s.Scan("Clipboard");
    EXPECT_EQ(s.results.Count(), 0);
}

TEST(TodayWindows, RemoteDesktopLosesTheTickedComputersAndKeepsItsSettings) {
    Scanned s({"Remote Desktop History"}, 3);
    ASSERT_EQ(s.results.Count(), 6);
    const std::string recent = std::string(kTerminal) + "\\Default", servers = std::string(kTerminal) + "\\Servers";
    // seedhost2 stays in the recent list, seedhost3's key stays.
    for (int i = 0; i < s.results.Count(); ++i) {
        TResultContentItem& r = s.results.Item(i);
        if ((r.KeyName.empty() && r.ValueData == "seedhost2.example.com") || r.KeyName == "seedhost3.example.com")
            r.Checked = 0;
    }
    s.Clean();
    EXPECT_EQ(ValuesOf(recent), (std::set<std::string>{"AutoReconnect", "MRU1"}));
    EXPECT_EQ(SubkeysOf(servers), std::set<std::string>{"seedhost3.example.com"});
    EXPECT_EQ(ValuesOf(servers + "\\seedhost3.example.com"), (std::set<std::string>{"CertHash", "UsernameHint"}));
}

TEST(TodayWindows, PowerShellHistoryLosesTheTickedLinesOnly) {
    Scanned s({"PowerShell History"}, 3);
    const std::string path = AppData() + "\\Microsoft\\Windows\\PowerShell\\PSReadLine\\ConsoleHost_history.txt";
    ASSERT_EQ(s.results.Count(), 3);  // the blank line is no command
    const std::string one = "Get-ChildItem C:\\seed\\folder1 | Select-Object Name";
    const std::string two = "Get-ChildItem C:\\seed\\folder2 | Select-Object Name";
    const std::string three = "Get-ChildItem C:\\seed\\folder3 | Select-Object Name";
    // Every listed line is ticked but one excluded: the file still only loses lines.
    s.Exclude("PowerShell History", three, "", "");
    s.results.Clear();
    s.Scan("PowerShell History");
    ASSERT_EQ(s.results.Count(), 2);
    s.Record(two).Checked = 0;
    s.Clean();
    EXPECT_EQ(Lines(Slurp(path)), (std::vector<std::string>{"", two, three}));
    // A line in another script than ASCII is shown as written.
    {
        File f(path, File::Open::Append);
        f.SeekEnd();
        f.WriteAll("Write-Host 'Grüße 日本'\r\n");
    }
    s.results.Clear();
    s.Scan("PowerShell History");
    ASSERT_NE(Showing(s.results, "Write-Host 'Grüße 日本'"), nullptr);
}

TEST(EverydayPrograms, OfficeListsShowThePathAndLoseItemAndMetadataTogether) {
    Scanned s({"Microsoft 365 Recent Files", "Microsoft 365 Recent Places"}, 2);
    const std::string word = "Software\\Microsoft\\Office\\16.0\\Word\\User MRU\\ADAL_B7C5D4E3F2A1B0C9D8E7F6A5B4C3D2E1";
    ASSERT_EQ(s.results.Count(), 8);
    EXPECT_NE(Showing(s.results, "C:\\Users\\Public\\Documents\\Seed Report 1.docx"), nullptr);
    EXPECT_NE(Showing(s.results, "C:\\Users\\Public\\Seed Place 2\\"), nullptr);
    // Only Word's recent files go, but its second one.
    for (int i = 0; i < s.results.Count(); ++i) {
        TResultContentItem& r = s.results.Item(i);
        r.Checked = r.Location == HkcuPath(word + "\\File MRU") && r.ValueName == "Item 1";
    }
    s.Clean();
    EXPECT_EQ(ValuesOf(word + "\\File MRU"), (std::set<std::string>{"Item 2", "Item Metadata 2", "Max Display"}));
    EXPECT_EQ(ValuesOf(word + "\\Place MRU").size(), 5u);
}

TEST(EverydayPrograms, AcrobatLosesTheTickedNumberedKeysAndKeepsItsPreferences) {
    Scanned s({"Acrobat Recent Files"}, 2);
    const std::string reader = "Software\\Adobe\\Acrobat Reader\\DC\\AVGeneral";
    ASSERT_EQ(s.results.Count(), 6);
    EXPECT_NE(Showing(s.results, "C:\\Users\\Public\\Documents\\seed1.pdf"), nullptr);
    EXPECT_NE(Showing(s.results, "C:\\Users\\Public\\Documents\\"), nullptr);
    for (int i = 0; i < s.results.Count(); ++i) {
        TResultContentItem& r = s.results.Item(i);
        r.Checked = r.Location == HkcuPath(reader + "\\cRecentFiles") && r.KeyName == "c1";
    }
    s.Clean();
    EXPECT_EQ(SubkeysOf(reader + "\\cRecentFiles"), std::set<std::string>{"c2"});
    EXPECT_EQ(ValuesOf(reader + "\\cRecentFiles\\c2").size(), 4u);
    EXPECT_EQ(SubkeysOf(reader + "\\cRecentFolders"), std::set<std::string>{"c1"});
    EXPECT_EQ(ValuesOf(reader), std::set<std::string>{"bExpandRHPInViewer"});
}

TEST(EverydayPrograms, SevenZipListsKeepTheirOtherEntriesAndSettings) {
    Scanned s({"7-Zip History"}, 3);
    ASSERT_EQ(s.results.Count(), 8);
    s.Record("C:\\Users\\Public\\Seed Archive 2.7z").Checked = 0;
    s.Exclude("7-Zip History", "C:\\Users\\Public\\Extracted 1\\", "", "");
    s.results.Clear();
    s.Scan("7-Zip History");
    ASSERT_EQ(s.results.Count(), 7);
    s.Record("C:\\Users\\Public\\Seed Archive 2.7z").Checked = 0;
    s.Clean();
    EXPECT_EQ(NulListEntries(ReadValue("Software\\7-Zip\\Compression", "ArcHistory")),
              std::vector<std::string>{"C:\\Users\\Public\\Seed Archive 2.7z"});
    EXPECT_EQ(NulListEntries(ReadValue("Software\\7-Zip\\Extraction", "PathHistory")),
              std::vector<std::string>{"C:\\Users\\Public\\Extracted 1\\"});
    EXPECT_EQ(ValuesOf("Software\\7-Zip\\FM"), (std::set<std::string>{"FolderHistory", "ListMode"}));
    EXPECT_TRUE(NulListEntries(ReadValue("Software\\7-Zip\\FM", "FolderHistory")).empty());
    EXPECT_EQ(ValuesOf("Software\\7-Zip\\Compression"), (std::set<std::string>{"ArcHistory", "Level"}));
}

TEST(EverydayPrograms, WinRarDialogListsCloseUpAndLeaveTheOtherItemsList) {
    Scanned s({"WinRAR Dialog History", "WinRAR History"}, 3);
    const std::string arcName = "Software\\WinRAR\\DialogEditHistory\\ArcName";
    int dialogRows = 0;
    for (int i = 0; i < s.results.Count(); ++i) {
        TResultContentItem& r = s.results.Item(i);
        const bool dialog = r.ItemName == "WinRAR Dialog History";
        dialogRows += dialog;
        EXPECT_TRUE(!dialog || r.Location.find("\\ExtrPath") == std::string::npos) << r.Location;
        // Of the dialog lists only ArcName's first and third entries go; the other item keeps its own.
        r.Checked = dialog && r.Location == HkcuPath(arcName) && r.ValueName != "1";
    }
    EXPECT_EQ(dialogRows, 6);
    s.Clean();
    EXPECT_EQ(ValuesOf(arcName), std::set<std::string>{"0"});
    RegKey k;
    ASSERT_TRUE(k.Open(HKEY_CURRENT_USER, arcName));
    EXPECT_EQ(k.ReadString("0"), "seed backup 2.rar");
    EXPECT_EQ(ValuesOf("Software\\WinRAR\\DialogEditHistory\\FindText").size(), 3u);
}

TEST(EverydayPrograms, VlcKeepsEverySectionAndItsTimesInStep) {
    Scanned s({"VLC Recent Media"}, 3);
    const std::string path = AppData() + "\\vlc\\vlc-qt-interface.ini";
    const std::string before = Slurp(path);
    ASSERT_EQ(s.results.Count(), 4);
    s.Record("C:\\Users\\Public\\Videos\\seed clip 2.mp4").Checked = 0;
    s.Clean();
    const std::string after = Slurp(path);
    EXPECT_EQ(IniListEntries(after, "RecentsMRL", "list"),
              std::vector<std::string>{"file:///C:/Users/Public/Videos/seed%20clip%202.mp4"});
    EXPECT_EQ(IniListEntries(after, "RecentsMRL", "times"), std::vector<std::string>{"1000"});
    // Every other line is as it was.
    std::vector<std::string> kept, was;
    for (const std::string& l : Lines(after))
        if (l.rfind("list=", 0) && l.rfind("times=", 0)) kept.push_back(l);
    for (const std::string& l : Lines(before))
        if (l.rfind("list=", 0) && l.rfind("times=", 0)) was.push_back(l);
    EXPECT_EQ(kept, was);
}

TEST(EverydayPrograms, NotepadPlusPlusKeepsItsMarkAndEveryOtherElement) {
    Scanned s({"Notepad++ Recent Files"}, 2);
    const std::string path = AppData() + "\\Notepad++\\config.xml";
    std::string want = Slurp(path);
    ASSERT_EQ(s.results.Count(), 3);
    s.Record("C:\\Users\\Public\\Documents\\seed notes 2.txt").Checked = 0;
    s.Clean();
    for (const char* gone : {"        <File filename=\"C:\\Users\\Public\\Documents\\seed notes 1.txt\" />\r\n",
                             "        <File filename=\"C:\\Users\\Public\\R&amp;D plan.txt\" />\r\n"})
        want.erase(want.find(gone), std::string(gone).size());
    EXPECT_EQ(Slurp(path), want);  // the mark, the declaration, GUIConfigs and the kept entry byte for byte
    // Held open by the editor without sharing: nothing changes, and the row says why.
    s.results.Clear();
    s.Scan("Notepad++ Recent Files");
    File holder(path, File::Open::Exclusive);
    s.Clean();
    holder.Close();
    EXPECT_EQ(s.results.Item(0).Reason, StayReason::InUse);
    EXPECT_EQ(Slurp(path), want);
}

TEST(EverydayPrograms, VsCodeListLosesTheTickedEntriesUnderTheDatabaseRules) {
    Scanned s({"VS Code Recent Files"}, 2);
    const std::string path = AppData() + "\\Code\\User\\globalStorage\\state.vscdb";
    ASSERT_EQ(s.results.Count(), 5);
    // A trigger the file brings with it must never run: it would keep a copy of every change.
    {
        Database db;
        ASSERT_TRUE(db.Open(path, Database::Mode::ReadWrite));
        ASSERT_TRUE(db.Exec("CREATE TABLE spy(value); CREATE TRIGGER keep AFTER UPDATE ON ItemTable BEGIN "
                            "INSERT INTO spy VALUES (old.value); END;"));
    }
    s.Record("c:\\Users\\Public\\seed-project-2").Checked = 0;
    s.Clean();
    Database db;
    ASSERT_TRUE(db.Open(path, Database::Mode::ReadOnly));
    std::vector<std::string> left;
    {
        Database::Statement q(db, "SELECT value FROM ItemTable WHERE key = 'history.recentlyOpenedPathsList'");
        ASSERT_TRUE(q.Step());
        left = RecentlyOpenedEntries(q.Text(0));
    }
    EXPECT_EQ(left, std::vector<std::string>{"c:\\Users\\Public\\seed-project-2"});
    Database::Statement others(db, "SELECT count(*) FROM ItemTable");
    ASSERT_TRUE(others.Step());
    EXPECT_EQ(others.Int(0), 3);
    Database::Statement spied(db, "SELECT count(*) FROM spy");
    ASSERT_TRUE(spied.Step());
    EXPECT_EQ(spied.Int(0), 0);
}

TEST(EverydayPrograms, AReadOnlyOrHeldSettingsFileStaysWhole) {
    Scanned s({"VLC Recent Media"}, 2);
    const std::string path = AppData() + "\\vlc\\vlc-qt-interface.ini";
    const std::string before = Slurp(path);
    ASSERT_TRUE(SetPathAttributes(path, FILE_ATTRIBUTE_READONLY));
    s.Clean();
    SetPathAttributes(path, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Slurp(path), before);
    for (int i = 0; i < s.results.Count(); ++i) {
        EXPECT_EQ(s.results.Item(i).Deleted, 0);
        EXPECT_EQ(s.results.Item(i).Reason, StayReason::AccessDenied);
    }
}
