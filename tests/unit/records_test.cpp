#include <gtest/gtest.h>

#include "model/records.h"

TEST(Records, AddNewItemDeleteShiftAndClear) {
    TResultContents results;
    EXPECT_EQ(results.Count(), 0);
    for (int i = 0; i < 4; ++i) {
        const int idx = results.AddNew();
        EXPECT_EQ(idx, i);
        const TResultContentItem& fresh = results.Item(idx);
        EXPECT_EQ(fresh.Checked, 0);
        EXPECT_EQ(fresh.Deleted, 0);
        EXPECT_EQ(fresh.Kind, 0);
        EXPECT_EQ(fresh.Size, 0);
        EXPECT_TRUE(fresh.Location.empty() && fresh.DetailAt(9).empty());
        results.Item(idx).ValueName = "v" + std::to_string(i);
    }
    // A reference stays valid while more records are appended.
    TResultContentItem& first = results.Item(0);
    for (int i = 0; i < 1000; ++i) results.AddNew();
    EXPECT_EQ(first.ValueName, "v0");

    results.Delete(1);
    EXPECT_EQ(results.Count(), 1003);
    EXPECT_EQ(results.Item(1).ValueName, "v2");
    EXPECT_EQ(results.Item(2).ValueName, "v3");
    results.Delete(-1);
    results.Delete(results.Count());
    EXPECT_EQ(results.Count(), 1003);
    results.Clear();
    EXPECT_EQ(results.Count(), 0);
}

TEST(Records, SizesHoldMoreThanTwoGigabytes) {
    TResultContents results;
    TResultContentItem& r = results.Item(results.AddNew());
    r.Size = 5LL * 1024 * 1024 * 1024;
    EXPECT_EQ(results.Item(0).Size, 5368709120LL);
}

TEST(Records, ExclusionCollection) {
    TExcludeContents list;
    TExcludeContentItem& e = list.Item(list.AddNew());
    e.ItemName = "Cache";
    e.Location = "http://example.com/";
    list.AddNew();
    list.Delete(0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Item(0).ItemName.empty());
}
