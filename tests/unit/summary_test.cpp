#include <gtest/gtest.h>

#include "model/result_rows.h"
#include "model/summary.h"

// The summary line and the size label switch units at 1024 and 1048576 bytes,
// use the separator they are given, and hold totals past 2 and 4 GiB.
TEST(SummaryTexts, UnitsSeparatorsAndLargeTotals) {
    EXPECT_EQ(SummaryText(0, 0, "."), "");
    EXPECT_EQ(SummaryText(3, 0, ","), "3 items found.");
    EXPECT_EQ(SummaryText(2, 1023, ","), "2 items that can free 1023 Bytes hard disk space found.");
    EXPECT_EQ(SummaryText(2, 1024, ","), "2 items that can free 1,00 KB hard disk space found.");
    EXPECT_EQ(SummaryText(2, 1536, "."), "2 items that can free 1.50 KB hard disk space found.");
    EXPECT_EQ(SummaryText(2, 1048576, ","), "2 items that can free 1,00 MB hard disk space found.");
    EXPECT_EQ(SummaryText(70000, 3LL << 40, "."), "70000 items that can free 3145728.00 MB hard disk space found.");

    const std::pair<int64_t, SizeLabel> labels[] = {
        {0, {"0", "B"}},         {1023, {"1023", "B"}},        {1024, {"1,00", "KB"}},
        {1048576, {"1,00", "MB"}}, {5LL << 30, {"5120,00", "MB"}},
    };
    for (const auto& [bytes, want] : labels) {
        const SizeLabel got = SizeLabelOf(bytes, ",");
        EXPECT_EQ(got.value, want.value) << bytes;
        EXPECT_EQ(got.unit, want.unit) << bytes;
    }
}
