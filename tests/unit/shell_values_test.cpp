#include <gtest/gtest.h>

#include <string>

#include "model/shell_values.h"
#include "base/text.h"

namespace {
std::string Le(std::initializer_list<uint32_t> numbers) {
    std::string out;
    for (uint32_t n : numbers)
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((n >> shift) & 0xFF));
    return out;
}
}  // namespace

TEST(ShellValues, MruListLosesItsRemovedNumbersAndKeepsItsEnd) {
    const std::string list = Le({3, 0, 2, 1, 0xFFFFFFFF});
    EXPECT_EQ(MruListNumbers(list), (std::vector<uint32_t>{3, 0, 2, 1}));
    EXPECT_EQ(MruListWithout(list, {2}), Le({3, 0, 1, 0xFFFFFFFF}));
    EXPECT_EQ(MruListWithout(list, {2, 3, 9}), Le({0, 1, 0xFFFFFFFF}));
    EXPECT_EQ(MruListWithout(list, {9}), list);                      // a number it does not hold
    EXPECT_EQ(MruListWithout(Le({5}), {5}), Le({0xFFFFFFFF}));        // no end marker, and emptied
    EXPECT_EQ(MruListNumbers(std::string("\x01\x00\x00", 3)), (std::vector<uint32_t>{}));  // a torn number
}

// Only a number's own spelling is a list number: "007" and "7" are two values, one of them in the list.
TEST(ShellValues, ListNumbersAreCanonicalDecimals) {
    uint32_t n = 99;
    EXPECT_TRUE(IsNumberedName("17", &n));
    EXPECT_EQ(n, 17u);
    EXPECT_TRUE(IsNumberedName("0", &n));
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(IsNumberedName("4294967294"));
    for (const char* not_a_number : {"007", "00", "+7", "-1", " 7", "7 ", "1a", "", "MRUListEx", "4294967295",
                                     "4294967296", "99999999999"})
        EXPECT_FALSE(IsNumberedName(not_a_number)) << not_a_number;
    EXPECT_TRUE(IsDigitName("007"));
    EXPECT_FALSE(IsDigitName("+7"));
}

TEST(ShellValues, NumberedValuesSayWhatTheyHold) {
    EXPECT_EQ(NumberedValueText(kRegBinary, std::string("a\0b\0\0\0\x14\x00", 8)), "ab");
    EXPECT_EQ(NumberedValueText(kRegDword, std::string("\x07\0\0\0", 4)), "(number 7)");
    EXPECT_EQ(NumberedValueText(kRegQword, std::string("\x00\x01\0\0\0\0\0\0", 8)), "(number 256)");
    EXPECT_EQ(NumberedValueText(kRegSz, std::string("d\0o\0c\0\0\0", 8)), "doc");
    EXPECT_EQ(NumberedValueText(kRegBinary, std::string("\0\0\x05", 3)), "(no text, 3 bytes)");
    EXPECT_EQ(NumberedValueText(kRegDword, std::string("\x07", 1)), "(no text, 1 byte)");
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
