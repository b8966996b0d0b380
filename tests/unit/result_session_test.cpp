#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "model/item_tree.h"
#include "model/result_items.h"
#include "model/result_session.h"
#include "model/scan_session.h"
#include "model/summary.h"

namespace {

class ResultSessionTest : public ::testing::Test {
protected:
    void SetUp() override { BuildItemTree(items, session.Catalogs()); }
    // A found trace of the catalog item, ticked, as its scanner records it.
    TResultContentItem& Add(const char* itemName, const std::string& value, int64_t size = 0) {
        const CatalogItem* item = FindCatalogItemByName(itemName);
        TResultContents& results = *session.ResultsOf(item->category);
        TResultContentItem& r = results.Item(results.AddNew());
        r.Item = item;
        r.CleanName = std::string(item->cleanCaption);
        r.Kind = item->kind >= 0 ? item->kind : 0;
        r.ItemName = std::string(item->RecordItemName());
        r.ValueName = r.ValueData = r.DetailFor(4) = value;
        r.Location = "HKEY_CURRENT_USER\\Software\\" + value;
        r.Size = size;
        r.Checked = 1;
        items.Data(item->node)->FoundCount += 1;
        return r;
    }
    // The result tree of what was added, as a scan leaves it, and the rows of
    // its root.
    void Scanned() {
        TotalFoundCounts(items);
        BuildResultTree(items, results);
        bool append = false;
        for (int cat : results.Children(0)) {
            BuildResultRows(session, results.Data(cat)->CategoryIndex, 0, append);
            append = true;
        }
    }
    int Node(const char* caption) const {
        for (int i = 0; i < results.Count(); ++i)
            if (results.At(i).caption == caption) return i;
        return -1;
    }
    int RowOf(const std::string& value) const {
        for (size_t i = 0; i < session.ResultRows.size(); ++i)
            if (session.ResultRows[i].ValueName == value) return static_cast<int>(i);
        return -1;
    }
    int Ticked(int category) const {
        int n = 0;
        for (int i = 0; i < session.ResultsOf(category)->Count(); ++i) n += session.ResultsOf(category)->Item(i).Checked;
        return n;
    }
    ScanSession session;
    TreeModel items, results;
};

}  // namespace

TEST_F(ResultSessionTest, TheResultTreeHoldsWhatWasFoundTickedAsOnTheItemTree) {
    Add("Run History", "r1");
    Add("Paint", "p1");
    Add("Paint", "p2");
    items.SetTicked(FindCatalogItemByName("Paint")->node, false);
    Scanned();
    ASSERT_EQ(results.Count(), 5);  // root, two categories, two items
    EXPECT_EQ(results.CountOf(0), 3);
    // Each category wears its own picture, not the one of its position among those shown.
    const int software = Node("Windows Software"), system = Node("Windows System");
    EXPECT_EQ(results.At(software).image, CategoryImage(1));
    EXPECT_EQ(results.At(system).image, CategoryImage(2));
    EXPECT_EQ(results.CountOf(Node("Paint")), 2);
    EXPECT_FALSE(results.IsTicked(Node("Paint")));
    EXPECT_TRUE(results.IsTicked(Node("Run History")));
    EXPECT_EQ(Node("Cache"), -1);
    EXPECT_EQ(results.Selected(), 0);

    for (int i = 0; i < items.Count(); ++i) items.Data(i)->FoundCount = 0;
    BuildResultTree(items, results);
    EXPECT_EQ(results.Count(), 1);  // nothing found: the root alone
}

TEST_F(ResultSessionTest, TicksReachExactlyTheRecordsOfTheNode) {
    Add("Paint", "p1", 1024);
    Add("WordPad", "w1", 1024);
    Add("Run History", "r1", 512);
    Scanned();
    TickResultNode(session, results, 0, false);
    for (int c = 0; c < kCategoryCount; ++c) EXPECT_EQ(Ticked(c), 0);
    for (int i = 0; i < results.Count(); ++i) EXPECT_FALSE(results.IsTicked(i));
    EXPECT_EQ(CheckedSummary(session, "."), "");

    TickResultNode(session, results, Node("Paint"), true);
    EXPECT_EQ(std::as_const(session.SoftwareResults).Item(0).Checked, 1);
    EXPECT_EQ(std::as_const(session.SoftwareResults).Item(1).Checked, 0);  // WordPad, same category
    EXPECT_FALSE(results.IsTicked(Node("Windows Software")));      // the category does not follow
    EXPECT_EQ(CheckedSummary(session, "."), SummaryText(1, 1024, "."));

    TickResultNode(session, results, Node("Windows System"), true);
    EXPECT_TRUE(results.IsTicked(Node("Run History")));
    EXPECT_EQ(Ticked(2), 1);
    EXPECT_EQ(CheckedSummary(session, ","), SummaryText(2, 1536, ","));
    TickResultNode(session, results, -1, false);  // no node: nothing
    EXPECT_EQ(Ticked(1) + Ticked(2), 2);
}

TEST_F(ResultSessionTest, ARowFlipsItsOwnRecordAndARowThatIsNotThereNothing) {
    Add("Paint", "p1");
    Add("Paint", "p2");
    Scanned();
    EXPECT_TRUE(FlipRowTick(session, 1));
    EXPECT_EQ(session.ResultRows[1].Checked, 0);
    EXPECT_EQ(std::as_const(session.SoftwareResults).Item(1).Checked, 0);
    EXPECT_EQ(std::as_const(session.SoftwareResults).Item(0).Checked, 1);
    EXPECT_FALSE(FlipRowTick(session, 2));
    EXPECT_FALSE(FlipRowTick(session, -1));
    // A purge takes the rows with the records they were built from.
    session.SoftwareResults.Item(0).Deleted = 1;
    PurgeDeletedResults(session);
    EXPECT_TRUE(session.ResultRows.empty());
    EXPECT_FALSE(FlipRowTick(session, 0));
}

// An exclusion takes the row's record out with every row built from it (the
// root's list may hold it twice, once from its category); the other rows keep
// their own records, and the size total loses the rows' sizes.
TEST_F(ResultSessionTest, AWithdrawnRowTakesItsRecordAndLeavesTheOthersOnTheirOwn) {
    for (const char* v : {"p1", "p2", "p3"}) Add("Paint", v, 10);
    Add("Run History", "r1", 100);
    Add("Run History", "r2", 100);
    Scanned();
    BuildResultRows(session, 1, FindCatalogItemByName("Paint")->pos, true);  // Paint's rows a second time
    ASSERT_EQ(session.ResultRows.size(), 8u);
    ASSERT_EQ(session.SizeTotal, 260);
    const int p2 = RowOf("p2");
    const TExcludeContentItem entry = ExclusionOfRow(session.ResultRows[static_cast<size_t>(p2)]);
    EXPECT_EQ(entry.ItemName, "Paint");
    EXPECT_EQ(entry.Location, "HKEY_CURRENT_USER\\Software\\p2");
    WithdrawRow(session, p2);
    ASSERT_EQ(session.SoftwareResults.Count(), 2);
    EXPECT_EQ(session.SystemResults.Count(), 2);
    EXPECT_EQ(session.ResultRows.size(), 6u);
    EXPECT_EQ(session.SizeTotal, 240);
    EXPECT_EQ(RowOf("p2"), -1);
    for (const TResultItem& row : session.ResultRows) EXPECT_EQ(row.Source->ValueName, row.ValueName);
    WithdrawRow(session, 6);  // no such row: nothing goes
    EXPECT_EQ(session.ResultRows.size(), 6u);
}

TEST_F(ResultSessionTest, ExclusionsLowerTheCountsOfTheSelectedLevelAndNeverBelowZero) {
    for (const char* v : {"p1", "p2", "p3"}) Add("Paint", v);
    Add("WordPad", "w1");
    Add("FireFoxCookies", "c1");  // its records carry another item name than its caption
    Add("FireFoxCookies", "c2");
    Scanned();
    const int paint = Node("Paint"), wordpad = Node("WordPad"), software = Node("Windows Software");
    const int cookies = Node("FireFoxCookies"), internet = Node("Internet Software");
    ASSERT_EQ(results.CountOf(0), 6);

    LowerCountsAfterExclusion(results, 0, FindCatalogItemByName("Paint"));  // from the root's list
    EXPECT_EQ(results.CountOf(0), 5);
    EXPECT_EQ(results.CountOf(software), 3);
    EXPECT_EQ(results.CountOf(paint), 2);
    EXPECT_EQ(results.CountOf(wordpad), 1);

    LowerCountsAfterExclusion(results, internet, FindCatalogItemByName("FireFoxCookies"));  // from a category's list
    EXPECT_EQ(results.CountOf(cookies), 1);
    EXPECT_EQ(results.CountOf(internet), 1);
    EXPECT_EQ(results.CountOf(0), 4);

    LowerCountsAfterExclusion(results, wordpad, FindCatalogItemByName("WordPad"));  // from an item's list
    EXPECT_EQ(results.CountOf(wordpad), 0);
    EXPECT_EQ(results.CountOf(software), 2);
    EXPECT_EQ(results.CountOf(0), 3);
    LowerCountsAfterExclusion(results, wordpad, FindCatalogItemByName("WordPad"));
    EXPECT_EQ(results.CountOf(wordpad), 0);
    EXPECT_EQ(results.CountOf(software), 1);
    // The result tree shares its counts with the Scan page's item tree.
    EXPECT_EQ(items.CountOf(FindCatalogItemByName("WordPad")->node), 0);

    const int before = results.CountOf(0);
    LowerCountsAfterExclusion(results, -1, FindCatalogItemByName("Paint"));  // nothing selected: nothing changes
    EXPECT_EQ(results.CountOf(0), before);
}

TEST_F(ResultSessionTest, TheCleanMessageNamesWhatStayedOfTheTickedTraces) {
    TResultContentItem& gone = Add("Paint", "p1");
    TResultContentItem& held = Add("Run History", "r1");
    TResultContentItem& unticked = Add("WordPad", "w1");
    gone.Deleted = 1;
    held.Reason = StayReason::InUse;
    unticked.Checked = 0;
    const CleanOutcome outcome = OutcomeOfClean(session);
    EXPECT_FALSE(outcome.allRemoved);
    EXPECT_EQ(outcome.text, CleanOutcomeText(1, {"r1 (in use)"}));
    held.Deleted = 1;
    EXPECT_TRUE(OutcomeOfClean(session).allRemoved);
    EXPECT_EQ(OutcomeOfClean(session).text, CleanOutcomeText(2, {}));
}

TEST_F(ResultSessionTest, AfterAFinishOnlyWhatStayedIsCounted) {
    Add("Paint", "p1").Deleted = 1;
    Add("Paint", "p2");
    Add("FireFoxHistory", "h1").Deleted = 1;
    Add("FireFoxHistory", "h2");
    Add("FireFoxHistory", "h3");
    Add("Run History", "r1").Deleted = 1;
    Scanned();
    items.SetTicked(FindCatalogItemByName("FireFoxHistory")->node, false);  // counted all the same
    PurgeDeletedResults(session);
    EXPECT_TRUE(session.ResultRows.empty());
    EXPECT_EQ(session.SizeTotal, 0);
    EXPECT_EQ(session.SoftwareResults.Count(), 1);
    EXPECT_EQ(session.InternetResults.Count(), 2);
    EXPECT_EQ(session.SystemResults.Count(), 0);
    RecountItems(session, items);
    EXPECT_EQ(items.CountOf(FindCatalogItemByName("Paint")->node), 1);
    EXPECT_EQ(items.CountOf(FindCatalogItemByName("FireFoxHistory")->node), 2);  // by its kind
    EXPECT_EQ(items.CountOf(FindCatalogItemByName("Run History")->node), 0);
    EXPECT_EQ(items.CountOf(FindCatalogItemByName("WordPad")->node), 0);
}

TEST(ExcludeTree, CountsAndListsEntriesPerItemCategoryAndRoot) {
    TExcludeContents list;
    auto add = [&](const char* item, const char* location) {
        TExcludeContentItem& e = list.Item(list.AddNew());
        e.ItemName = item;
        e.Location = location;
    };
    add("Cache", "http://a/");
    add("Cache", "http://b/");
    add("Run History", "HKEY_CURRENT_USER\\x");
    add("FireFox Cookies", "c:\\cookies.txt");  // a record name, no caption: in no item
    TreeModel tree(true);
    int selections = 0;
    tree.onChange = [&](int) { ++selections; };
    BuildExcludeTree(tree, list);
    ASSERT_EQ(tree.Count(), TreeNodeCount() - 1);  // no rule file read: no rules category
    EXPECT_EQ(tree.Selected(), 0);
    EXPECT_EQ(selections, 1);
    const int ie = kCatalogCategories[0].node, system = kCatalogCategories[2].node;
    const int cache = FindCatalogItemByName("Cache")->node, run = FindCatalogItemByName("Run History")->node;
    EXPECT_EQ(tree.CountOf(0), 4);
    EXPECT_EQ(tree.CountOf(ie), 2);
    EXPECT_EQ(tree.CountOf(cache), 2);
    EXPECT_EQ(tree.CountOf(system), 1);
    EXPECT_EQ(tree.CountOf(run), 1);
    EXPECT_EQ(tree.CountOf(kCatalogCategories[3].node), 0);

    auto shownAt = [&](int node) {
        int n = 0;
        for (int e = 0; e < list.Count(); ++e) n += ShowsExclusion(tree, node, list.Item(e));
        return n;
    };
    EXPECT_EQ(shownAt(0), 4);
    EXPECT_EQ(shownAt(ie), 2);
    EXPECT_EQ(shownAt(cache), 2);
    EXPECT_EQ(shownAt(system), 1);
    EXPECT_EQ(shownAt(kCatalogCategories[3].node), 0);
    EXPECT_EQ(shownAt(-1), 0);

    list.Delete(0);
    RecountExcludeTree(tree, list);
    EXPECT_EQ(tree.CountOf(cache), 1);
    EXPECT_EQ(tree.CountOf(ie), 1);
    EXPECT_EQ(tree.CountOf(0), 3);
}

// Rows of one item with one name say where they are, by the fewest folders that tell them apart.
TEST(TellApartSameNames, TheShortestEndOfTheFolderThatDiffers) {
    auto row = [](const std::string& item, const std::string& name, const std::string& location) {
        TResultItem r;
        r.ItemName = item;
        r.ShownName = name;
        r.Location = location;
        return r;
    };
    const std::string chrome = "C:\\users\\me\\AppData\\Local\\Google\\Chrome\\User Data\\";
    std::vector<TResultItem> rows = {
        row("Chrome Cache", "f_000001", chrome + "Default\\Cache\\Cache_Data\\f_000001"),
        row("Chrome Cache", "f_000001", chrome + "Profile 1\\Cache\\Cache_Data\\f_000001"),
        row("Chrome Cache", "f_000002", chrome + "Default\\Cache\\Cache_Data\\f_000002"),  // alone: as it was
        row("Error Reports", "Report.wer", "C:\\ProgramData\\WER\\ReportArchive\\App_1\\Report.wer"),
        row("Error Reports", "Report.wer", "C:\\ProgramData\\WER\\ReportArchive\\App_2\\Report.wer"),
        row("Error Reports", "Report.wer", "C:\\ProgramData\\WER\\ReportQueue\\App_1\\Report.wer"),
        row("Run History", "notepad", "HKEY_CURRENT_USER\\RunMRU"),  // one place twice: nothing to tell
        row("Run History", "notepad", "HKEY_CURRENT_USER\\RunMRU"),
        row("Paint", "f_000001", "C:\\seed\\f_000001"),  // another item's name is another name
    };
    TellApartSameNames(rows);
    std::vector<std::string> names;
    for (const TResultItem& r : rows) names.push_back(r.ShownName);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "f_000001 (Default\\Cache\\Cache_Data)", "f_000001 (Profile 1\\Cache\\Cache_Data)", "f_000002",
                         "Report.wer (ReportArchive\\App_1)", "Report.wer (ReportArchive\\App_2)",
                         "Report.wer (ReportQueue\\App_1)", "notepad", "notepad", "f_000001"}));
    // Rows before first are left as they are.
    std::vector<TResultItem> two = {rows[6], row("Run History", "x", "A\\k"), row("Run History", "x", "B\\k")};
    TellApartSameNames(two, 2);
    EXPECT_EQ(two[1].ShownName, "x");
}
