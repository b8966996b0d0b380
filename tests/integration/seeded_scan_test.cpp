// Every Internet Explorer and Windows System scanner against traces made by
// the seeder: the records are exactly the traces it made, and a prefix without
// traces gives none.
#include <gtest/gtest.h>

#include <algorithm>

#include "integration/fixtures.h"
#include "model/catalog.h"
#include "scan/scanners.h"
#include "tools/seeder/seeder.h"

namespace {

std::vector<const CatalogItem*> ItemsOf(std::initializer_list<int> categories) {
    std::vector<const CatalogItem*> items;
    for (const CatalogItem& it : kCatalogItems)
        if (std::find(categories.begin(), categories.end(), it.category) != categories.end()) items.push_back(&it);
    return items;
}

// Seeds the items of the categories and scans each of them.
void ExpectExactlyWhatTheSeederMade(std::initializer_list<int> categories) {
    SeedOptions options;
    options.count = 4;
    for (const CatalogItem* item : ItemsOf(categories)) options.items.insert(std::string(item->name));
    const SeedReport report = SeedTraces(options);
    ASSERT_FALSE(report.refused);
    ScanTree t;
    for (const CatalogItem* item : ItemsOf(categories)) {
        const std::string name(item->name);
        ASSERT_TRUE(report.made.count(name)) << "the seeder knows no " << name;
        std::vector<std::string> want = report.made.at(name);
        ASSERT_FALSE(want.empty()) << name;
        const TResultContents results = t.Scan(*item);
        std::vector<std::string> got;
        for (int i = 0; i < results.Count(); ++i) {
            const TResultContentItem& r = results.Item(i);
            got.push_back(TraceIdentity(r));
            EXPECT_EQ(r.Checked, 1) << name;
            EXPECT_EQ(r.CleanName, item->cleanCaption) << name;
            EXPECT_EQ(r.ItemName, item->RecordItemName());
            EXPECT_EQ(r.Deleted, 0);
            if (r.SourceType == "Reg") {
                EXPECT_TRUE(r.Location.rfind("HKEY_CURRENT_USER\\", 0) == 0 || r.Location.rfind("HKEY_USERS\\", 0) == 0) << name << " " << r.Location;
                EXPECT_EQ(r.Size, 0);
            } else if (r.Kind != kKindClipboard) {
                EXPECT_EQ(r.SourceType, "File") << name;
                if (r.Kind == 0) { EXPECT_EQ(r.Location.substr(r.Location.size() - r.ValueName.size()), r.ValueName); }
            }
        }
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, want) << name;
        EXPECT_EQ(t.Count(item->node), static_cast<int>(want.size())) << name;
    }
    ClearTraces({});
}

}  // namespace

TEST(SeededScan, EveryScannerFindsExactlyWhatTheSeederMade) { ExpectExactlyWhatTheSeederMade({0, 1, 2, 3, 4, 5}); }

TEST(SeededScan, TodaysWindowsAndProgramsFindExactlyWhatTheSeederMade) {
    ExpectExactlyWhatTheSeederMade({kModernCategory, kProgramsCategory});
}

TEST(SeededScan, WithoutTracesNothingIsFoundAndNothingFails) {
    ASSERT_TRUE(ClearTraces({}));
    ScanTree t;
    for (const CatalogItem* item : ItemsOf({0, 1, 2, 3, 4, 5, kModernCategory, kProgramsCategory})) {
        const TResultContents results = t.Scan(*item);
        EXPECT_EQ(results.Count(), 0) << item->name;
        EXPECT_EQ(t.Count(item->node), 0) << item->name;
    }
    EXPECT_EQ(t.Count(0), 0);
}

TEST(SeededScan, RecordFieldsOfEachKind) {
    SeedOptions options;
    options.count = 1;
    options.items = {"Cache", "Cookies", "Run History", "Start Menu Click History", "ShareFolder", "Regedit32 History",
                     "Recent Files", "AutoCompleteData", "Download Directory"};
    SeedTraces(options);
    ScanTree t;
    auto scan = [&](const char* name) { return t.Scan(*FindCatalogItemByName(name)); };

    TResultContents r = scan("Cache");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Kind, 10);
    EXPECT_EQ(r.Item(0).Group, "IE Cache");
    EXPECT_EQ(r.Item(0).ValueName, "http://www.example.com/seed/page1.html");
    EXPECT_FALSE(r.Item(0).Location.empty());                                 // the local file
    EXPECT_EQ(r.Item(0).Size, 32);  // its size
    r = scan("Cookies");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Kind, 11);
    EXPECT_EQ(r.Item(0).Group, "IE Cookies");

    r = scan("Run History");  // a and MRUList
    ASSERT_EQ(r.Count(), 2);
    for (int i = 0; i < r.Count(); ++i) {
        EXPECT_EQ(r.Item(i).Kind, 2);
        EXPECT_EQ(r.Item(i).Group, "Microsoft Windows");
        EXPECT_EQ(r.Item(i).Location, "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU");
        if (r.Item(i).ValueName == "a") { EXPECT_EQ(r.Item(i).ValueData, "notepad C:\\seed\\note1.txt\\1"); }
        if (r.Item(i).ValueName == "MRUList") { EXPECT_EQ(r.Item(i).ValueData, "a"); }
    }
    r = scan("Start Menu Click History");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Kind, 3);
    EXPECT_EQ(r.Item(0).ValueName, "");
    EXPECT_EQ(r.Item(0).KeyName, "HRZR_EHACNGU:P:\\Frrq\\ncc1.rkr");
    r = scan("ShareFolder");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Location,
              "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WorkgroupCrawler\\Shares\\"
              "seedserver1_share");
    r = scan("Regedit32 History");  // LastKey, never the Favorites subkey
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Kind, 2);
    EXPECT_EQ(r.Item(0).ValueName, "LastKey");
    r = scan("Recent Files");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).Size, 17);  // "recent document 1"
    r = scan("AutoCompleteData");  // AskUser and one more, data never read
    ASSERT_EQ(r.Count(), 2);
    EXPECT_EQ(r.Item(0).Kind, 1);
    EXPECT_EQ(r.Item(0).ValueData, "");
    EXPECT_EQ(r.Item(1).ValueData, "");
    r = scan("Download Directory");
    ASSERT_EQ(r.Count(), 1);
    EXPECT_EQ(r.Item(0).ValueData, "C:\\users\\Public\\Downloads\\");
    EXPECT_EQ(r.Item(0).Location, "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer");
    ClearTraces(options);
}

// What a scan asks of the tree's view: a frame at the start and the end of each
// item and its counts, but never a change of the control's items nor a
// repaint of the whole tree once it has begun.
TEST(SeededScan, AScanPaintsOnlyFramesAndCounts) {
    struct Recorder : TreeModelObserver {
        int resets = 0, changes = 0, repaints = 0, frames = 0, counts = 0;
        void TreeReset() override { ++resets; }
        void TreeNodeChanged(int) override { ++changes; }
        void TreeRepaint() override { ++repaints; }
        void TreePaintCounts(const int*, int) override { ++counts; }
        void TreeSelect(int) override {}
        void TreeFrame(int) override { ++frames; }
    } view;
    SeedOptions options;
    options.count = 20;
    SeedTraces(options);
    ScanTree t;
    t.tree.SetObserver(&view);
    const int ticked = CountTickedItems(t.tree);
    const int found = RunScan(t.session, t.tree);
    t.tree.SetObserver(nullptr);
    EXPECT_GT(found, 1000);
    EXPECT_EQ(view.changes, 0);
    EXPECT_EQ(view.resets, 0);
    EXPECT_EQ(view.repaints, 1);  // the counts set back to 0 before the run
    EXPECT_EQ(view.frames, 2 * ticked);
    // Each record raises its count (the view paints at its own pace), but for the
    // traces cut out of a profile file, which raise it every few thousand and at the file's end.
    int cut = 0;
    for (const TResultContents& results : t.session.Results)
        for (int i = 0; i < results.Count(); ++i)
            cut += results.Item(i).Item && results.Item(i).Item->shape == ScanShape::ProfileFile;
    EXPECT_GT(cut, 0);
    EXPECT_GE(view.counts, found - cut);
    ClearTraces({});
}
