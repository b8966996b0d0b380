#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>

#include "integration/fixtures.h"
#include "scan/scan_conventions.h"

namespace {
std::set<std::string> Names(const TResultContents& results) {
    std::set<std::string> names;
    for (int i = 0; i < results.Count(); ++i) names.insert(results.Item(i).ValueName);
    return names;
}
const TResultContentItem* Find(const TResultContents& results, const std::string& name) {
    for (int i = 0; i < results.Count(); ++i)
        if (results.Item(i).ValueName == name) return &results.Item(i);
    return nullptr;
}
}  // namespace

TEST(FolderWalks, AttributeWordsAreComparedWhole) {
    TempFolder dir("Attributes");
    dir.File("plain.txt", "12345");                                                   // 32
    dir.File("readonly.txt", "x", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);  // 33
    dir.File("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);       // 34
    dir.Folder("sub");                                                                // 16
    const std::string hiddenDir = dir.Folder("hiddendir");
    SetFileAttributesA(hiddenDir.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);  // 18
    ScanTree t;
    ScanFolderFiles(dir.path(), 1, t.Context(31));
    EXPECT_EQ(Names(t.results), (std::set<std::string>{"plain.txt"}));  // no folder: no clean would remove it
    const TResultContentItem* plain = Find(t.results, "plain.txt");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->Kind, 0);
    EXPECT_EQ(plain->SourceType, "File");
    EXPECT_EQ(plain->Group, "Microsoft Windows");
    EXPECT_EQ(plain->CleanName, "Clean Windows Recent Documents Files");
    EXPECT_EQ(plain->ItemName, "Recent Files");
    EXPECT_EQ(plain->Location, dir.path() + "\\plain.txt");
    EXPECT_EQ(plain->Size, 5);
    EXPECT_EQ(t.Count(31), 1);

    t.results.Clear();
    ScanFolderFiles(dir.path(), 0, t.Context(30));
    EXPECT_EQ(t.results.Count(), 1);
    t.results.Clear();
    ScanFavoritesFolder(dir.path(), t.Context(5));
    EXPECT_EQ(t.results.Count(), 1);
    EXPECT_EQ(Find(t.results, "plain.txt")->Size, 0);  // favorites are not measured
    EXPECT_EQ(Find(t.results, "plain.txt")->Group, "Favorites");

    // The recycled walk takes every word below 101, the read-only archive file and the folders included.
    t.results.Clear();
    int counter = 0;
    ScanRecycledFolder(dir.path(), counter, t.Context(43));
    EXPECT_EQ(Names(t.results),
              (std::set<std::string>{"plain.txt", "hidden.txt", "hiddendir", "sub", "readonly.txt"}));
    EXPECT_EQ(counter, 5);
}

TEST(FolderWalks, NameFiltersAndExclusions) {
    TempFolder dir("Names");
    dir.File("Desktop (create shortcut).DeskLink");
    dir.File("Mail Recipient.MAPIMail");
    dir.File("My Documents.mydocs");
    dir.File("Notepad.lnk");
    dir.File("INFO2");
    dir.File("Desktop.INI");
    dir.File("Dc1.txt", "abc");
    ScanTree t;
    ScanFolderFiles(dir.path(), 0, t.Context(30));  // Send To hides the three shell links
    EXPECT_EQ(Names(t.results), (std::set<std::string>{"Notepad.lnk", "INFO2", "Desktop.INI", "Dc1.txt"}));

    t.results.Clear();
    int counter = 0;
    ScanRecycledFolder(dir.path(), counter, t.Context(43));  // the bin's own files are not traces
    EXPECT_EQ(Find(t.results, "INFO2"), nullptr);
    EXPECT_EQ(Find(t.results, "Desktop.INI"), nullptr);
    EXPECT_NE(Find(t.results, "Dc1.txt"), nullptr);

    // Favorites are tested by bare name, Recent files by full path.
    t.Exclude("Favorites", "Notepad.lnk", "", "");
    t.Exclude("Recent Files", dir.path() + "\\Dc1.txt", "", "");
    t.Exclude("Recent Files", "Notepad.lnk", "", "");  // a bare name does not cover a Recent file
    t.results.Clear();
    ScanFavoritesFolder(dir.path(), t.Context(5));
    EXPECT_EQ(Find(t.results, "Notepad.lnk"), nullptr);
    t.results.Clear();
    ScanFolderFiles(dir.path(), 1, t.Context(31));
    EXPECT_EQ(Find(t.results, "Dc1.txt"), nullptr);
    EXPECT_NE(Find(t.results, "Notepad.lnk"), nullptr);
}

TEST(FolderWalks, RecycledCounterRunsOnAcrossFolders) {
    TempFolder c("RecycledC"), d("RecycledD");
    c.File("Dc1.txt");
    c.File("Dc2.txt");
    d.File("Dd1.txt");
    ScanTree t;
    int counter = 0;
    ScanRecycledFolder(c.path(), counter, t.Context(43));
    ScanRecycledFolder(d.path(), counter, t.Context(43));
    EXPECT_EQ(t.results.Count(), 3);
    EXPECT_EQ(t.Count(43), 3);
}

TEST(FolderWalks, MissingOrUnnamedFoldersListNothing) {
    ScanTree t;
    ScanFolderFiles("C:\\no\\such\\folder", 1, t.Context(31));
    ScanFolderFiles("", 1, t.Context(31));  // must not list the drive root
    EXPECT_EQ(t.results.Count(), 0);
    EXPECT_EQ(t.Count(31), 0);
}

TEST(FolderWalks, AbortStopsTheWalk) {
    TempFolder dir("Abort");
    for (int i = 0; i < 50; ++i) dir.File("f" + std::to_string(i));
    ScanTree t;
    t.session.ScanState = kScanAbort;
    ScanFolderFiles(dir.path(), 1, t.Context(31));
    EXPECT_EQ(t.results.Count(), 0);
}
