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
    // Every draw taken: the file goes under its own name, as the clean's wipe does it.
    SetWipeNameSource([] { return 123; });
    const std::string stuck = dir.File("stuck", "secret");
    EXPECT_TRUE(ShredFile(stuck, 1));
    SetWipeNameSource(nullptr);
    EXPECT_EQ(Slurp(dir.path() + "\\123"), "bystander");
    EXPECT_FALSE(FileExists(stuck));
}

// The files of a tree are shredded and the folders it emptied removed; what
// could not be shredded stays where it was, with its folder, and is reported.
// Nothing goes to the recycle bin.
TEST(Shred, AFolderTreeIsShreddedAndWhatStaysStaysInPlace) {
    ScanSession session;
    TempFolder dir("ShredTree");
    const std::string root = dir.Folder("tree");
    dir.Folder("tree\\sub");
    dir.Folder("tree\\empty");
    for (const char* f : {"tree\\a.txt", "tree\\sub\\b.txt", "tree\\sub\\c.txt"}) dir.File(f, "data");
    const std::string ro = dir.File("tree\\sub\\ro.txt", "keep", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);  // 33
    const long long bin = BinItems();
    ShredReport report;
    ShredEntry(root, 1, report, session);
    EXPECT_EQ(report.shredded, 3);
    EXPECT_EQ(report.foldersRemoved, 1);  // "empty"; "sub" and the tree still hold the read-only file
    ASSERT_EQ(report.stayed.size(), 1u);
    EXPECT_EQ(report.stayed[0].path, ro);
    EXPECT_STREQ(StayReasonText(report.stayed[0].why), "read-only");
    EXPECT_EQ(Slurp(ro), "keep");
    EXPECT_TRUE(DirectoryExists(root + "\\sub"));
    EXPECT_FALSE(DirectoryExists(root + "\\empty"));
    EXPECT_EQ(Entries(root), 1);
    EXPECT_EQ(BinItems(), bin);
    const std::string summary = ShredSummary(report);
    EXPECT_NE(summary.find("1 item was not shredded and stays where it was:"), std::string::npos) << summary;
    EXPECT_NE(summary.find(ro + " (read-only)"), std::string::npos) << summary;

    // Once the file can be written, the same entry leaves nothing.
    SetPathAttributes(ro, FILE_ATTRIBUTE_NORMAL);
    ShredReport again;
    ShredEntry(root, 1, again, session);
    EXPECT_TRUE(again.AllGone());
    EXPECT_EQ(ShredSummary(again), "File Shredded Completely!");
    EXPECT_FALSE(DirectoryExists(root));
}

TEST(Shred, RecentFoldersAreNotWalkedAndAbortStops) {
    ScanSession session;
    TempFolder dir("ShredRecent");
    for (const char* name : {"My RECENT Things", "recent"}) {
        const std::string folder = dir.Folder(name);
        const std::string file = dir.File(std::string(name) + "\\doc.txt", "mine");
        ShredReport report;
        ShredEntry(folder, 1, report, session);
        EXPECT_EQ(report.shredded, 0) << name;
        EXPECT_EQ(Slurp(file), "mine") << name;
        ASSERT_EQ(report.stayed.size(), 1u) << name;
        EXPECT_STREQ(StayReasonText(report.stayed[0].why), "a Recent folder");
    }
    const std::string plain = dir.Folder("plain");
    for (int i = 0; i < 10; ++i) dir.File("plain\\f" + std::to_string(i), "x");
    session.ScanState = kScanAbort;
    ShredReport report;
    ShredEntry(plain, 1, report, session);
    EXPECT_EQ(report.shredded, 0);
    EXPECT_TRUE(report.aborted);
    EXPECT_FALSE(report.AllGone());
    EXPECT_EQ(Entries(plain), 10);
}

// Links, made on the Unix side by the test fixture: a link is removed as a
// link or left where it is and reported; what it points to keeps every byte.
// (Wine resolves these links when it opens them, so here they are left.)
TEST(Shred, LinksAreNeverFollowed) {
    ScanSession session;
    const std::string base = "C:\\SorvandaLinkTest";
    ASSERT_TRUE(DirectoryExists(base + "\\walked")) << "the link fixture did not run (run the tests through ctest)";
    // Given directly.
    const std::string link = base + "\\direct\\link.txt";
    ShredReport direct;
    ShredEntry(link, 1, direct, session);
    EXPECT_EQ(direct.shredded, 0);
    ASSERT_EQ(direct.linksRemoved + static_cast<int>(direct.stayed.size()), 1);
    if (direct.linksRemoved == 0) {
        EXPECT_STREQ(StayReasonText(direct.stayed[0].why), "link not followed");
        EXPECT_TRUE(IsLink(link));
        EXPECT_FALSE(direct.AllGone());
    }
    EXPECT_EQ(Slurp(base + "\\outside\\direct.txt"), "direct target");
    // Inside a shredded folder: the folder's own file is shredded, the links are not followed.
    ShredReport walked;
    ShredEntry(base + "\\walked", 1, walked, session);
    EXPECT_EQ(walked.shredded, 1);  // own.txt only
    EXPECT_FALSE(FileExists(base + "\\walked\\own.txt"));
    EXPECT_EQ(walked.linksRemoved + static_cast<int>(walked.stayed.size()), 2);
    for (const ShredReport::Stayed& s : walked.stayed) EXPECT_EQ(s.why, StayReason::LinkNotFollowed) << s.path;
    EXPECT_EQ(Slurp(base + "\\outside\\keep.txt"), "keep me");
    EXPECT_EQ(Slurp(base + "\\outside\\walked.txt"), "walked target");
    EXPECT_EQ(Entries(base + "\\outside"), 5);
    EXPECT_NE(ShredSummary(walked).find("link not followed"), std::string::npos);
}
