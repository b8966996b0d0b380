#include <gtest/gtest.h>

#include <set>

#include "base/utf.h"

TEST(Utf, NamesOutsideAnyCodePageGoBothWays) {
    const std::u16string names[] = {
        u"\u0141\u00f3d\u017a.txt",        // Łódź
        u"\uff46ile.txt",                  // fullwidth f
        u"\u043f\u0440\u0438\u0432\u0435\u0442",
        u"\u62a5\u7eb8\\\u4eec.txt",       // a backslash between CJK characters
        u"\U0001F600 smile",               // a surrogate pair
    };
    for (const std::u16string& n : names) {
        const std::string u8 = Utf8FromUtf16(n);
        EXPECT_TRUE(IsUtf8(u8));
        EXPECT_EQ(Utf16FromUtf8(u8), n);
    }
    EXPECT_EQ(Utf8FromUtf16(u"\u0141\u00f3d\u017a"), "\xc5\x81\xc3\xb3" "d\xc5\xba");
    EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xf0\x9f\x98\x80");
    EXPECT_EQ(Utf8Length("\xc5\x81\xc3\xb3" "d\xc5\xba"), 4u);
}

TEST(Utf, UnpairedSurrogatesNeverCollapseOntoAnotherName) {
    const std::u16string lead(1, char16_t(0xD800)), trail(1, char16_t(0xDC00));
    const std::u16string a = u"x" + lead + u"y", b = u"x" + trail + u"y", c = u"x\uFFFDy", d = u"x" + trail + lead;
    std::set<std::string> seen;
    for (const std::u16string& n : {a, b, c, d}) {
        const std::string u8 = Utf8FromUtf16(n);
        EXPECT_EQ(Utf16FromUtf8(u8), n);
        EXPECT_TRUE(IsUtf8(u8, true));
        seen.insert(u8);
    }
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_FALSE(IsUtf8(Utf8FromUtf16(a)));  // not plain UTF-8
    EXPECT_EQ(Utf8FromUtf16(lead + u"z"), "\xed\xa0\x80z");
}

TEST(Utf, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    EXPECT_EQ(Utf16FromUtf8("a\xff" "b"), u"a\uFFFDb");
    EXPECT_EQ(Utf16FromUtf8("\xc0\xaf"), u"\uFFFD\uFFFD");  // overlong slash
    EXPECT_EQ(Utf16FromUtf8("\xe2\x82"), u"\uFFFD\uFFFD");   // cut short
    EXPECT_FALSE(IsUtf8("\xf4\x90\x80\x80"));               // beyond U+10FFFF
    EXPECT_FALSE(IsUtf8("caf\xe9"));                        // Latin-1, not UTF-8
    EXPECT_TRUE(IsUtf8(""));
}

TEST(Utf, AsciiTextIsToldByEveryByte) {
    EXPECT_TRUE(IsAsciiText(""));
    EXPECT_TRUE(IsAsciiText(std::string(10000, '\x7f')));
    // One high byte anywhere: in the tail, within a word, across a block's end.
    for (size_t at : {size_t{0}, size_t{5}, size_t{7}, size_t{8}, size_t{4095}, size_t{4096}, size_t{4103}, size_t{9999}}) {
        std::string text(10000, 'a');
        text[at] = '\x80';
        EXPECT_FALSE(IsAsciiText(text)) << at;
        EXPECT_FALSE(IsAsciiText(std::string_view(text).substr(at, 3))) << at;
    }
}
