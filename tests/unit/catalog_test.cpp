#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/catalog.h"
#include "model/scan_session.h"

TEST(Catalog, TableMatchesTheTreeLayout) {
    // The first four categories keep the nodes they always had; each browser
    // has eight items; each item sits at its category's node + position.
    const int expectedCategoryNodes[kCategoryCount] = {1, 11, 28, 44, 55, 64, 73, 82, 91, 100, 109, 118, 127, 142, 151};
    const int expectedCounts[kCategoryCount] = {9, 16, 15, 10, 8, 8, 8, 8, 8, 8, 8, 8, 14, 8, 0};
    int node = 1, index = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        const CatalogCategory& cat = kCatalogCategories[c];
        EXPECT_EQ(cat.node, expectedCategoryNodes[c]);
        EXPECT_EQ(cat.node, node);
        if (c != kProgramsCategory) EXPECT_EQ(cat.itemCount, expectedCounts[c]);
        else EXPECT_GE(cat.itemCount, expectedCounts[c]);  // new items go at the end
        if (cat.itemCount > 0) EXPECT_EQ(cat.firstItem, index);
        for (int p = 1; p <= cat.itemCount; ++p, ++index) {
            const CatalogItem& it = kCatalogItems[index];
            EXPECT_EQ(it.category, c) << it.name;
            EXPECT_EQ(it.pos, p) << it.name;
            EXPECT_EQ(it.node, cat.node + p) << it.name;
            EXPECT_EQ(FindCatalogItemByNode(it.node), &it);
            EXPECT_EQ(FindCatalogItem(c, p), &it);
        }
        node += 1 + cat.itemCount;
    }
    EXPECT_EQ(index, kCatalogItemCount);
    EXPECT_EQ(node, TreeNodeCount());
}

TEST(Catalog, RuleItemsFollowTheBuiltInOnesAndGoAgain) {
    const int before = TreeNodeCount();
    CatalogItem a{.category = 0, .name = "Alpha Rule", .cleanCaption = "Clean Alpha Rule", .ticked = false,
                  .shown = ShownField::Detail4, .kind = 0};
    CatalogItem b = a;
    b.name = "Beta Rule";
    SetCommunityItems({a, b});
    ASSERT_EQ(CategoryItemCount(kRulesCategory), 2);
    EXPECT_EQ(TreeNodeCount(), before + 2);
    const CatalogItem* second = FindCatalogItem(kRulesCategory, 2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->name, "Beta Rule");
    EXPECT_EQ(second->category, kRulesCategory);
    EXPECT_EQ(second->node, kCatalogCategories[kRulesCategory].node + 2);
    EXPECT_EQ(FindCatalogItemByNode(second->node), second);
    EXPECT_EQ(FindCatalogItemByName("Alpha Rule"), &CategoryItem(kRulesCategory, 0));
    // A session's rules category lists them, unticked, after the built-in categories.
    {
        ScanSession session;
        ASSERT_EQ(session.CatalogLists[kRulesCategory].size(), 2u);
        EXPECT_EQ(session.CatalogLists[kRulesCategory][0]->ItemName, "Alpha Rule");
        EXPECT_EQ(session.CatalogLists[kRulesCategory][0]->Ticked, 0);
    }
    SetCommunityItems({});
    EXPECT_EQ(TreeNodeCount(), before);
    EXPECT_EQ(FindCatalogItemByName("Alpha Rule"), nullptr);
    EXPECT_EQ(FindCatalogItem(kRulesCategory, 1), nullptr);
}

TEST(Catalog, NamesCaptionsAndBrowserKinds) {
    std::set<std::string> names, captions;
    for (const CatalogItem& it : kCatalogItems) {
        EXPECT_TRUE(names.insert(std::string(it.name)).second) << "duplicate item " << it.name;
        if (it.belongsByKind) {
            // The six browser items are found by Kind, 4..9 in catalog order.
            EXPECT_EQ(it.category, 3);
            EXPECT_EQ(it.kind, it.pos - 1);
            EXPECT_TRUE(it.cleanCaption.empty());
        } else {
            EXPECT_TRUE(captions.insert(std::string(it.cleanCaption)).second) << "duplicate " << it.cleanCaption;
        }
    }
    EXPECT_GE(captions.size(), 44u);
    EXPECT_EQ(FindCatalogItem(2, 1)->cleanCaption, "Clean RunMRU");
    EXPECT_EQ(FindCatalogItem(0, 7)->cleanCaption, "AutoComplete Form Data");
    EXPECT_EQ(FindCatalogItem(1, 12)->shown, ShownField::Location);  // WinRAR shows the key
    EXPECT_EQ(FindCatalogItem(2, 13)->shown, ShownField::KeyName);   // ShareFolder
    EXPECT_EQ(FindCatalogItemByName("NetscapeCache")->shown, ShownField::Detail9);
    EXPECT_EQ(FindCatalogItem(4, 1)->name, "Chrome History");
    EXPECT_EQ(FindCatalogItem(5, 3)->name, "Edge Cookies");
    EXPECT_EQ(FindCatalogItem(11, 4)->name, "Firefox Disk Cache");
    EXPECT_EQ(FindCatalogItem(kModernCategory, 8)->name, "Windows Error Reports");
    EXPECT_EQ(FindCatalogItem(kModernCategory, 9)->name, "Recycle Bin Files");
    EXPECT_EQ(FindCatalogItem(kProgramsCategory, 1)->name, "Microsoft 365 Recent Files");
    EXPECT_EQ(FindCatalogItem(kCategoryCount, 1), nullptr);
    EXPECT_EQ(FindCatalogItem(0, 10), nullptr);
    EXPECT_EQ(FindCatalogItem(0, 0), nullptr);
    EXPECT_EQ(FindCatalogItemByName("FireFox Cookies"), nullptr);  // record spelling, not a catalog name
}

TEST(Catalog, BuildCatalogFillsEveryListWithDefaultTicks) {
    ScanSession session;  // its catalog lists are built as it is made
    ASSERT_EQ(session.IECatalog.size(), 9u);
    ASSERT_EQ(session.SoftwareCatalog.size(), 16u);
    ASSERT_EQ(session.SystemCatalog.size(), 15u);
    ASSERT_EQ(session.InternetCatalog.size(), 10u);
    for (int c = 4; c < kModernCategory; ++c) ASSERT_EQ(session.CatalogLists[static_cast<size_t>(c)].size(), 8u);
    ASSERT_GE(session.CatalogLists[kModernCategory].size(), 8u);
    int unticked = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        for (size_t i = 0; i < session.Catalogs()[c]->size(); ++i) {
            const TSectionRec& r = *(*session.Catalogs()[c])[i];
            EXPECT_EQ(r.CategoryIndex, c);
            EXPECT_EQ(r.ItemIndex, static_cast<int>(i) + 1);
            EXPECT_EQ(r.CategoryName, kCatalogCategories[c].caption);
            EXPECT_EQ(r.FoundCount, 0);
            if (!r.Ticked) {
                ++unticked;
                // Favorites, what a browser keeps beyond its history, cookies and cache, what the
                // user put in the recycle bin, and the clipboard.
                const std::string& n = r.ItemName;
                EXPECT_TRUE(n == "Favorites" || n == "Recycle Bin Files" || n == "Clipboard" ||
                            n.ends_with(" Sessions") || n.ends_with(" Form Data") ||
                            n.ends_with(" Site Data") || n.ends_with(" Site Settings"))
                    << n;
            }
        }
    }
    EXPECT_EQ(unticked, 1 + 8 * 4 + 2);
    // Building again starts over rather than appending.
    BuildCatalog(session.Catalogs());
    EXPECT_EQ(session.IECatalog.size(), 9u);
}
