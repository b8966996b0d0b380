#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/version.h"

TEST(Versions, NumbersCompareByValue) {
    EXPECT_GT(CompareVersions("2010.1.3", "2010.1.2"), 0);
    EXPECT_EQ(CompareVersions("2010.1.2", "2010.1.2"), 0);
    EXPECT_GT(CompareVersions("2010.1.10", "2010.1.2"), 0);  // not "1" < "2" as text
    EXPECT_LT(CompareVersions("2010.1.2", "2010.1.10"), 0);
    EXPECT_GT(CompareVersions("2011", "2010.99.99"), 0);
    EXPECT_EQ(CompareVersions("2010.01.002", "2010.1.2"), 0);  // leading zeros
    EXPECT_GT(CompareVersions("2010.1.2.1", "2010.1.2"), 0);   // more parts
    EXPECT_GT(CompareVersions("2010.1.99999999999999999999999", "2010.1.9999999999999999999999"), 0);
    EXPECT_GT(CompareVersions("2010.1.2b", "2010.1.2a"), 0);    // text after the number
    EXPECT_GT(CompareVersions("2010.1.2", "2010.1.beta"), 0);   // a number beats no number
}

TEST(Versions, EmptyOrEqualIsNeverNewer) {
    EXPECT_FALSE(IsNewerVersion("", "2010.1.2"));
    EXPECT_FALSE(IsNewerVersion("2010.1.2", "2010.1.2"));
    EXPECT_TRUE(IsNewerVersion("2010.1.3", "2010.1.2"));
    EXPECT_TRUE(IsNewerVersion("2010.1.10", "2010.1.2"));
    EXPECT_FALSE(IsNewerVersion("2009.12.31", "2010.1.2"));
}

TEST(Versions, ATotalOrder) {
    std::vector<std::string> v = {"", ".", "1", "1.", "1.0", "01", "10", "9", "1a", "9a", "a", "b1", "2010.1.2",
                                  "2010.1.10", "2010.1", "2010.1.2a", "..", "1..2", "x.y", "0"};
    for (const auto& a : v)
        for (const auto& b : v) {
            EXPECT_EQ(CompareVersions(a, b) > 0, CompareVersions(b, a) < 0) << a << " " << b;
            for (const auto& c : v) {
                if (CompareVersions(a, b) <= 0 && CompareVersions(b, c) <= 0) {
                    EXPECT_LE(CompareVersions(a, c), 0) << a << " " << b << " " << c;
                }
            }
        }
}
