#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "clean/shred.h"
#include "clean/wipe.h"
#include "integration/fixtures.h"
#include "platform/files.h"

namespace {

long long BinItems() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return SUCCEEDED(SHQueryRecycleBinA(nullptr, &info)) ? info.i64NumItems : -1;
}

}  // namespace

TEST(Shred, LevelsMakeThePassesTheirCaptionsPromise) {
    EXPECT_EQ(PassesOf(kShredQuick), 1);
    EXPECT_EQ(PassesOf(kShredSafe), 3);
    EXPECT_EQ(PassesOf(kShredThorough), 7);
}

TEST(Shred, FilesGoAndWhatCannotBeOpenedStays) {
    TempFolder dir("ShredFiles");
    const std::string five = dir.File("five.txt", "hello");
    const std::string empty = dir.File("empty.txt", "");
    const std::string readOnly = dir.File("ro.txt", "read only", FILE_ATTRIBUTE_READONLY);
    const std::string locked = dir.File("locked.txt", "locked");
    // Three blocks of "01" per pass, each pass on the disk before the next;
    // an empty file gets no bytes at all.
    EXPECT_EQ(ContentAfterEachPass([&] { EXPECT_TRUE(ShredFile(five, PassesOf(kShredSafe))); }),
              (std::vector<std::string>(3, "010101")));
    EXPECT_EQ(ContentAfterEachPass([&] { EXPECT_TRUE(ShredFile(empty, 3)); }), (std::vector<std::string>(3, "")));
    EXPECT_FALSE(ShredFile(readOnly, 1));
    HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ShredFile(locked, 1));
    CloseHandle(held);
    EXPECT_FALSE(ShredFile(dir.path() + "\\missing.txt", 1));
    EXPECT_FALSE(FileExists(five));
    EXPECT_FALSE(FileExists(empty));
    EXPECT_EQ(Slurp(readOnly), "read only");
    EXPECT_EQ(Slurp(locked), "locked");
    EXPECT_EQ(Entries(dir.path()), 2);  // nothing left under a random name
}

TEST(Shred, AFileWithTheDrawnNameSurvives) {
    TempFolder dir("ShredNames");
    dir.File("123", "bystander");
    static int draws;
    draws = 0;
    SetWipeNameSource([] { return draws++ < 3 ? 123 : 456; });
    EXPECT_TRUE(ShredFile(dir.File("victim", "secret"), 1));
    // Every draw taken: the file stays under its own name, overwritten, and false.
    SetWipeNameSource([] { return 123; });
    const std::string stuck = dir.File("stuck", "secret");
    EXPECT_FALSE(ShredFile(stuck, 1));
    SetWipeNameSource(nullptr);
    EXPECT_EQ(Slurp(dir.path() + "\\123"), "bystander");
    EXPECT_EQ(Slurp(stuck), "010101");
}

TEST(Shred, AFolderTreeIsShreddedAndGoesToTheBin) {
    TempFolder dir("ShredTree");
    const std::string root = dir.Folder("tree");
    CreateDirectoryA((root + "\\sub").c_str(), nullptr);
    HANDLE h;
    for (const char* f : {"\\a.txt", "\\sub\\b.txt", "\\sub\\c.txt"}) {
        h = CreateFileA((root + f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD w;
        WriteFile(h, "data", 4, &w, nullptr);
        CloseHandle(h);
    }
    const std::string ro = root + "\\sub\\ro.txt";
    h = CreateFileA(ro.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD w;
    WriteFile(h, "keep", 4, &w, nullptr);
    CloseHandle(h);
    SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);  // 33
    ShredTally tally;
    ShredFolder(root, 1, &tally);
    EXPECT_EQ(tally.shredded, 3);
    EXPECT_EQ(tally.failed, 0);
    EXPECT_EQ(Slurp(ro), "keep");  // not a qualifying word: not overwritten
    EXPECT_EQ(Entries(root + "\\sub"), 1);
    const long long bin = BinItems();
    RemoveShreddedFolder(root);
    EXPECT_FALSE(DirectoryExists(root));
    EXPECT_EQ(BinItems(), bin + 1);
}

TEST(Shred, RecentFoldersAreNotWalkedAndAbortStops) {
    TempFolder dir("ShredRecent");
    for (const char* name : {"My RECENT Things", "recent"}) {
        const std::string folder = dir.Folder(name);
        const std::string file = folder + "\\doc.txt";
        HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD w;
        WriteFile(h, "mine", 4, &w, nullptr);
        CloseHandle(h);
        ShredTally tally;
        ShredFolder(folder, 1, &tally);
        EXPECT_EQ(tally.shredded, 0) << name;
        EXPECT_EQ(Slurp(file), "mine") << name;
    }
    const std::string plain = dir.Folder("plain");
    for (int i = 0; i < 10; ++i) dir.File("plain\\f" + std::to_string(i), "x");
    ScanState = kScanAbort;
    ShredTally tally;
    ShredFolder(plain, 1, &tally);
    ScanState = kScanIdle;
    EXPECT_EQ(tally.shredded, 0);
    EXPECT_EQ(Entries(plain), 10);
}

TEST(Shred, ALinkToAnotherFolderIsNotFollowed) {
    const std::string base = "C:\\SorvandaLinkTest";
    if (!DirectoryExists(base + "\\walked")) GTEST_SKIP() << "the link fixture did not run";
    ShredTally tally;
    ShredFolder(base + "\\walked", 1, &tally);
    EXPECT_EQ(tally.shredded, 1);  // own.txt only
    EXPECT_EQ(Slurp(base + "\\outside\\keep.txt"), "keep me");
    DeleteTree(base);
}
