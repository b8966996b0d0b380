#include <gtest/gtest.h>

#include <vector>

#include "model/item_tree.h"
#include "model/scan_session.h"

namespace {

// Records what the view would be told.
struct FakeView : TreeModelObserver {
    int resets = 0, repaints = 0;
    std::vector<int> changed, painted, selected, frames;
    void TreeReset() override { ++resets; }
    void TreeNodeChanged(int n) override { changed.push_back(n); }
    void TreeRepaint() override { ++repaints; }
    void TreePaintCounts(const int* nodes, int n) override { painted.insert(painted.end(), nodes, nodes + n); }
    void TreeSelect(int n) override { selected.push_back(n); }
    void TreeFrame(int n) override { frames.push_back(n); }
};

class ItemTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.SetObserver(&view);
        BuildItemTree(tree, session.Catalogs());
    }
    int TickedItems() const {
        int n = 0;
        for (int i = 0; i < tree.Count(); ++i)
            if (tree.Level(i) == 2 && tree.IsTicked(i)) ++n;
        return n;
    }
    void ExpectInSync() const {
        for (int i = 0; i < tree.Count(); ++i)
            EXPECT_EQ(tree.Data(i)->Ticked == 1, tree.IsTicked(i)) << "node " << i;
    }
    ScanSession session;
    TreeModel tree;
    FakeView view;
};

}  // namespace

TEST_F(ItemTreeTest, LayoutImagesAndDefaultTicks) {
    ASSERT_EQ(tree.Count(), TreeNodeCount());
    EXPECT_EQ(tree.At(0).caption, "My Computer");
    EXPECT_EQ(tree.At(0).image, kImageRoot);
    EXPECT_EQ(tree.Selected(), 0);
    for (int c = 0; c < kCategoryCount; ++c) {
        const int n = kCatalogCategories[c].node;
        EXPECT_EQ(tree.Level(n), 1);
        EXPECT_EQ(tree.Parent(n), 0);
        // Pictures 1 to 4, then 15 for every browser, 16 for Windows 7 to 11 (5 to 14 were taken),
        // and the programs look as the Windows software does.
        const int image = c < 4 ? c + 1 : c == kModernCategory ? 16 : c == kProgramsCategory ? 2 : 15;
        EXPECT_EQ(tree.At(n).image, image) << kCatalogCategories[c].caption;
        EXPECT_EQ(tree.At(n).caption, kCatalogCategories[c].caption);
        EXPECT_EQ(tree.Data(n)->ItemIndex, 0);
        // A category looks as its items are ticked.
        bool all = true, none = true;
        for (int item : tree.Children(n)) (tree.IsTicked(item) ? none : all) = false;
        EXPECT_EQ(tree.At(n).stateImage, all ? kStateTicked : none ? kStateUnticked : kStatePartial)
            << kCatalogCategories[c].caption;
    }
    for (const CatalogItem& it : kCatalogItems) {
        EXPECT_EQ(tree.Level(it.node), 2);
        EXPECT_EQ(tree.Parent(it.node), kCatalogCategories[it.category].node);
        EXPECT_EQ(tree.At(it.node).caption, it.name);
        EXPECT_EQ(tree.At(it.node).image, kImageItem);
        // The node's data is the catalog record itself.
        EXPECT_EQ(tree.Data(it.node), (*session.Catalogs()[it.category])[static_cast<size_t>(it.pos - 1)].get());
        EXPECT_EQ(tree.IsTicked(it.node), it.ticked) << it.name;
    }
    int byDefault = 0;
    for (const CatalogItem& it : kCatalogItems) byDefault += it.ticked;
    EXPECT_EQ(tree.At(0).stateImage, kStatePartial);
    // All but Favorites, four items of each browser, the recycle bin's files and the clipboard.
    EXPECT_EQ(byDefault, kCatalogItemCount - 1 - 8 * 4 - 2);
    EXPECT_EQ(TickedItems(), byDefault);
    EXPECT_GE(view.resets, 1);
    ExpectInSync();
}

TEST_F(ItemTreeTest, RebuildRestoresTicksAndKeepsCounts) {
    const int runMru = FindCatalogItemByName("Run History")->node;
    const int paint = FindCatalogItemByName("Paint")->node;
    tree.SetTicked(runMru, false);
    tree.Data(runMru)->FoundCount = 7;
    tree.Data(paint)->FoundCount = 3;
    BuildItemTree(tree, session.Catalogs());
    EXPECT_TRUE(tree.IsTicked(runMru));
    EXPECT_EQ(tree.Data(runMru)->FoundCount, 7);
    EXPECT_EQ(tree.Data(kCatalogCategories[2].node)->FoundCount, 7);
    EXPECT_EQ(tree.Data(kCatalogCategories[1].node)->FoundCount, 3);
    EXPECT_EQ(tree.Data(0)->FoundCount, 10);
    // Summing twice gives the same sums.
    TotalFoundCounts(tree);
    EXPECT_EQ(tree.Data(0)->FoundCount, 10);
    EXPECT_EQ(tree.Data(kCatalogCategories[2].node)->FoundCount, 7);
}

TEST_F(ItemTreeTest, ParentsLookAsTheirItemsAndTickAllUnlessWhollyTicked) {
    const int ie = kCatalogCategories[0].node, system = kCatalogCategories[2].node;
    const int telnet = FindCatalogItemByName("Telnet Menu History")->node;
    // Favorites is unticked by default: Internet Explorer and the root are partly ticked.
    EXPECT_EQ(tree.At(ie).stateImage, kStatePartial);
    EXPECT_EQ(tree.At(0).stateImage, kStatePartial);
    EXPECT_EQ(tree.At(system).stateImage, kStateTicked);
    ClickTickBox(tree, telnet);
    EXPECT_EQ(tree.At(system).stateImage, kStatePartial);
    ClickTickBox(tree, system);  // partly ticked: ticks every item
    for (int child : tree.Children(system)) EXPECT_TRUE(tree.IsTicked(child));
    EXPECT_TRUE(tree.IsTicked(system));
    ClickTickBox(tree, system);  // wholly ticked: unticks every item
    for (int child : tree.Children(system)) EXPECT_FALSE(tree.IsTicked(child));
    EXPECT_EQ(tree.At(system).stateImage, kStateUnticked);
    EXPECT_TRUE(tree.IsTicked(kCatalogCategories[1].node));
    ClickTickBox(tree, 0);  // partly ticked: everything
    for (int i = 0; i < tree.Count(); ++i) EXPECT_TRUE(tree.IsTicked(i)) << i;  // Favorites too
    ClickTickBox(tree, 0);
    for (int i = 0; i < tree.Count(); ++i) EXPECT_FALSE(tree.IsTicked(i)) << i;
    ExpectInSync();
}

TEST_F(ItemTreeTest, TheUsersTicksAreKeptApartFromTheDefaults) {
    const int favorites = FindCatalogItemByName("Favorites")->node, telnet = FindCatalogItemByName("Telnet Menu History")->node;
    ClickTickBox(tree, favorites);
    ClickTickBox(tree, telnet);
    ClickTickBox(tree, telnet);  // back to its default: no choice of the user's
    const TickChoices kept = TickChoicesOf(session.Catalogs());
    EXPECT_EQ(kept, (TickChoices{{"Favorites", true}}));
    // A new tree takes the kept choice over the default; a name no item has changes nothing.
    TickChoices stored = kept;
    stored["Run History"] = false;
    stored["No Such Item"] = true;
    BuildItemTree(tree, session.Catalogs(), &stored);
    EXPECT_TRUE(tree.IsTicked(favorites));
    EXPECT_FALSE(tree.IsTicked(FindCatalogItemByName("Run History")->node));
    EXPECT_EQ(tree.At(kCatalogCategories[0].node).stateImage, kStateTicked);
    EXPECT_EQ(tree.At(kCatalogCategories[2].node).stateImage, kStatePartial);
    BuildItemTree(tree, session.Catalogs());  // without choices: the defaults
    EXPECT_FALSE(tree.IsTicked(favorites));
    ExpectInSync();
}

TEST_F(ItemTreeTest, SelectionReportsOnlyMoves) {
    std::vector<int> changes;
    tree.onChange = [&](int n) { changes.push_back(n); };
    tree.Select(5);
    tree.Select(5);
    tree.SelectedByView(7);
    tree.SelectedByView(7);
    tree.Select(999);  // not a node: nothing selected
    EXPECT_EQ(changes, (std::vector<int>{5, 7, -1}));
    EXPECT_EQ(tree.Selected(), -1);
}

TEST_F(ItemTreeTest, UpdateFoundCountSetsAddsAndSums) {
    const int paint = FindCatalogItemByName("Paint")->node;
    const int wordpad = FindCatalogItemByName("WordPad")->node;
    const int runMru = FindCatalogItemByName("Run History")->node;
    const int software = kCatalogCategories[1].node;
    UpdateFoundCount(tree, paint, 3, kCountSet);
    UpdateFoundCount(tree, paint, 2, kCountAdd);
    UpdateFoundCount(tree, wordpad, 4, kCountSet);
    UpdateFoundCount(tree, runMru, 1, kCountAdd);
    EXPECT_EQ(tree.Data(paint)->FoundCount, 5);
    EXPECT_EQ(tree.Data(wordpad)->FoundCount, 4);
    EXPECT_EQ(tree.Data(software)->FoundCount, 9);
    EXPECT_EQ(tree.Data(kCatalogCategories[2].node)->FoundCount, 1);
    EXPECT_EQ(tree.Data(0)->FoundCount, 10);
    // Any other mode leaves the item but still sums and paints.
    view.painted.clear();
    tree.Data(wordpad)->FoundCount = 6;  // changed behind the tree's back
    UpdateFoundCount(tree, paint, 100, 7);
    EXPECT_EQ(tree.Data(paint)->FoundCount, 5);
    EXPECT_EQ(tree.Data(software)->FoundCount, 11);
    EXPECT_EQ(tree.Data(0)->FoundCount, 12);
    EXPECT_EQ(view.painted, (std::vector<int>{paint, software, 0}));
    // No other item changes.
    for (const CatalogItem& it : kCatalogItems)
        if (it.node != paint && it.node != wordpad && it.node != runMru) { EXPECT_EQ(tree.Data(it.node)->FoundCount, 0); }
}
