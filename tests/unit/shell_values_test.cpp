#include <gtest/gtest.h>

#include <string>

#include "model/shell_values.h"
#include "model/text.h"

namespace {
std::string Le(std::initializer_list<uint32_t> numbers) {
    std::string out;
    for (uint32_t n : numbers)
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((n >> shift) & 0xFF));
    return out;
}
}  // namespace

TEST(ShellValues, MruListLosesOneNumberAndKeepsItsEnd) {
    const std::string list = Le({3, 0, 2, 1, 0xFFFFFFFF});
    EXPECT_EQ(MruListNumbers(list), (std::vector<uint32_t>{3, 0, 2, 1}));
    EXPECT_EQ(MruListWithout(list, 2), Le({3, 0, 1, 0xFFFFFFFF}));
    EXPECT_EQ(MruListWithout(list, 9), list);                      // a number it does not hold
    EXPECT_EQ(MruListWithout(Le({5}), 5), Le({0xFFFFFFFF}));        // no end marker, and emptied
    EXPECT_EQ(MruListNumbers(std::string("\x01\x00\x00", 3)), (std::vector<uint32_t>{}));  // a torn number
    EXPECT_TRUE(IsNumberedName("17"));
    EXPECT_FALSE(IsNumberedName("MRUListEx"));
    EXPECT_FALSE(IsNumberedName(""));
    EXPECT_FALSE(IsNumberedName("1a"));
}

TEST(ShellValues, TextAtTheStartOfBinaryData) {
    EXPECT_EQ(Utf16TextAtStart(std::string("a\0b\0\0\0\x14\x00", 8)), "ab");
    EXPECT_EQ(Utf16TextAtStart(std::string("\x3d\xd8\x04\xdc\0\0", 6)), "\xF0\x9F\x90\x84");  // a surrogate pair
    EXPECT_EQ(Utf16TextAtStart(std::string("a\0b", 3)), "a");  // an odd last byte is no character
    EXPECT_EQ(Utf16TextAtStart(""), "");
    EXPECT_EQ(Rot13("HRZR_PGYFRFFVBA"), "UEME_CTLSESSION");
    EXPECT_EQ(Rot13(Rot13("C:\\Program Files\\x9.exe")), "C:\\Program Files\\x9.exe");
    EXPECT_EQ(Rot13("{0139Q44R}"), "{0139D44E}");
}

TEST(ShellValues, WildcardsMatchWholeNamesInEitherCase) {
    EXPECT_TRUE(MatchesWildcard("thumbcache_256.db", "thumbcache_*.db"));
    EXPECT_TRUE(MatchesWildcard("ThumbCache_IDX.DB", "thumbcache_*.db"));
    EXPECT_TRUE(MatchesWildcard("thumbcache_.db", "thumbcache_*.db"));
    EXPECT_FALSE(MatchesWildcard("thumbcache_256.db.bak", "thumbcache_*.db"));
    EXPECT_FALSE(MatchesWildcard("xthumbcache_1.db", "thumbcache_*.db"));
    EXPECT_TRUE(MatchesWildcard("a.db", "?.db"));
    EXPECT_FALSE(MatchesWildcard("ab.db", "?.db"));
    EXPECT_TRUE(MatchesWildcard("anything", "*"));
    EXPECT_TRUE(MatchesWildcard("a.b.db", "*.db"));
    EXPECT_FALSE(MatchesWildcard("", "?"));
}
