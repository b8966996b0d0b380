#include <gtest/gtest.h>

#include <random>
#include <string>

#include "exclude/exclude_lines.h"
#include "exclude/exclude_tests.h"
#include "base/text.h"

namespace {
void Add(TExcludeContents& list, std::string a, std::string b, std::string c, std::string d) {
    list.Item(list.AddNew()) = {std::move(a), std::move(b), std::move(c), std::move(d)};
}
}  // namespace

TEST(ExcludeTests, FileTestMatchesItemAndLocationExactly) {
    TExcludeContents list;
    EXPECT_FALSE(IsFileExcluded("Cache", "http://a/", list));  // empty list
    Add(list, "Cache", "http://a/", "x", "y");
    EXPECT_TRUE(IsFileExcluded("Cache", "http://a/", list));
    EXPECT_FALSE(IsFileExcluded("Cookies", "http://a/", list));
    EXPECT_FALSE(IsFileExcluded("Cache", "HTTP://A/", list));  // case-sensitive
    EXPECT_FALSE(IsFileExcluded("Cache", "http://a", list));   // no normalising
    EXPECT_FALSE(IsFileExcluded("Cache", " http://a/", list));
}

TEST(ExcludeTests, RegistryTestTrimsDataAndIgnoresTheName) {
    TExcludeContents list;
    Add(list, "Run History", "HKEY_CURRENT_USER\\RunMRU", "a", "  notepad.exe\t");
    EXPECT_TRUE(IsRegExcluded("Run History", "HKEY_CURRENT_USER\\RunMRU", "zz", "notepad.exe", list));
    EXPECT_TRUE(IsRegExcluded("Run History", "HKEY_CURRENT_USER\\RunMRU", "", "\r\nnotepad.exe ", list));
    EXPECT_FALSE(IsRegExcluded("Run History", "HKEY_CURRENT_USER\\RunMRU", "a", "Notepad.exe", list));
    EXPECT_FALSE(IsRegExcluded("Run History", "HKEY_CURRENT_USER\\runmru", "a", "notepad.exe", list));
    EXPECT_FALSE(IsRegExcluded("Paint", "HKEY_CURRENT_USER\\RunMRU", "a", "notepad.exe", list));
    Add(list, "Telnet Menu History", "HKEY_CURRENT_USER\\Software\\Microsoft\\Telnet", "", "");
    EXPECT_TRUE(IsRegExcluded("Telnet Menu History", "HKEY_CURRENT_USER\\Software\\Microsoft\\Telnet", "host", "", list));
    // The file test does not look at the data, the registry test does.
    EXPECT_TRUE(IsFileExcluded("Run History", "HKEY_CURRENT_USER\\RunMRU", list));
}

TEST(ExcludeTests, AnswersFollowChangesToTheList) {
    TExcludeContents list;
    Add(list, "Cache", "http://a/", "", "");
    EXPECT_TRUE(IsFileExcluded("Cache", "http://a/", list));
    list.Item(0).Location = "http://b/";
    EXPECT_FALSE(IsFileExcluded("Cache", "http://a/", list));
    EXPECT_TRUE(IsFileExcluded("Cache", "http://b/", list));
    list.Delete(0);
    EXPECT_FALSE(IsFileExcluded("Cache", "http://b/", list));
    // Two lists asked in turn each get their own answers.
    TExcludeContents other;
    Add(other, "Cache", "http://c/", "", "");
    Add(list, "Cache", "http://d/", "", "");
    EXPECT_TRUE(IsFileExcluded("Cache", "http://c/", other));
    EXPECT_FALSE(IsFileExcluded("Cache", "http://c/", list));
    EXPECT_TRUE(IsFileExcluded("Cache", "http://d/", list));
}

TEST(ExcludeTests, TenThousandEntriesAnswerAsALinearSearchWould) {
    std::mt19937 rng(7);
    auto pick = [&](const char* const* options, int n) { return std::string(options[rng() % n]); };
    const char* items[] = {"Cache", "Cookies", "Run History", "Paint"};
    const char* places[] = {"p0", "p1", "p2", "p3", "p4", "p5"};
    const char* datas[] = {"", " x", "x", "y ", "\ty\r"};
    TExcludeContents list;
    for (int i = 0; i < 10000; ++i)
        Add(list, pick(items, 4), pick(places, 6) + std::to_string(rng() % 1500), "n", pick(datas, 5));
    const TExcludeContents& constList = list;
    auto slowFile = [&](const std::string& item, const std::string& path) {
        for (int i = 0; i < constList.Count(); ++i)
            if (constList.Item(i).ItemName == item && constList.Item(i).Location == path) return true;
        return false;
    };
    auto slowReg = [&](const std::string& item, const std::string& loc, const std::string& data) {
        for (int i = 0; i < constList.Count(); ++i) {
            const TExcludeContentItem& e = constList.Item(i);
            if (e.ItemName == item && e.Location == loc && TrimControl(e.EntryData) == TrimControl(data)) return true;
        }
        return false;
    };
    for (int q = 0; q < 300; ++q) {
        const std::string item = pick(items, 4), loc = pick(places, 6) + std::to_string(rng() % 1500),
                          data = pick(datas, 5);
        EXPECT_EQ(IsFileExcluded(item, loc, constList), slowFile(item, loc));
        EXPECT_EQ(IsRegExcluded(item, loc, "n", data, constList), slowReg(item, loc, data));
    }
}
