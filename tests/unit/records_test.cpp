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

namespace {

// Item n of the run reads "p<n>"; counts how often it was asked.
struct CountingRun : PendingItems<TResultContentItem> {
    mutable int made = 0;
    void Make(uint32_t n, TResultContentItem& into) const override {
        ++made;
        into.ValueName = "p" + std::to_string(n);
    }
};

}  // namespace

TEST(Records, PendingItemsAreMadeOnceWhenFirstReadAndKeepTheirPlace) {
    TResultContents results;
    auto run = std::make_shared<CountingRun>();
    std::weak_ptr<CountingRun> watch = run;
    results.Item(results.AddNew()).ValueName = "plain";
    const uint32_t r = results.AddRun(run);
    for (uint32_t n = 0; n < 4; ++n) results.AddPending(r, n);
    results.Item(results.AddNew()).ValueName = "after";
    run.reset();
    EXPECT_EQ(results.Count(), 6);
    EXPECT_EQ(results.PendingCount(), 4);
    // Read out of order, through the const side: made once each, the same address every time.
    const TResultContents& view = results;
    const uint64_t version = results.Version();
    const TResultContentItem* third = &view.Item(3);
    EXPECT_EQ(third->ValueName, "p2");
    EXPECT_EQ(&view.Item(3), third);
    EXPECT_EQ(watch.lock()->made, 1);
    EXPECT_EQ(results.Version(), version);  // a record made reads as it always would have
    EXPECT_EQ(results.IndexOf(third), 3);
    // Deleting and inserting around pending items keeps each one's own number.
    results.Delete(1);
    results.InsertNew(0);
    EXPECT_EQ(results.Item(2).ValueName, "p1");
    EXPECT_EQ(results.Item(3).ValueName, "p2");
    EXPECT_EQ(results.Item(4).ValueName, "p3");
    EXPECT_EQ(results.Item(5).ValueName, "after");
    EXPECT_EQ(results.PendingCount(), 0);
    EXPECT_EQ(watch.lock()->made, 3);  // p0 was deleted unmade
    results.RemoveIf([](const TResultContentItem& i) { return i.ValueName == "p2"; });
    EXPECT_EQ(results.Count(), 5);
    results.Clear();
    EXPECT_TRUE(watch.expired());  // the run goes with its items
}
