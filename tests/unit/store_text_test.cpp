#include <gtest/gtest.h>

#include <string>

#include "scan/store_text.h"

using namespace std::string_literals;

TEST(StoreText, SitesAreTheHostsOfTheAddressesEachOnce) {
    const std::string bytes = "\x01\x02_https://www.Example.com\0\x01key"s + "x http://a.example/b http://a.example/c "
                              "https:/not.one ftp://b.example https:// http://c-d.example:8080/";
    EXPECT_EQ(SitesNamedIn(bytes), (std::vector<std::string>{"www.example.com", "a.example", "c-d.example"}));
    EXPECT_EQ(SitesNamedIn(bytes, 2).size(), 2u);
    EXPECT_EQ(SitesSummary({}), "no site names");
    EXPECT_EQ(SitesSummary({"a.example"}), "1 site: a.example");
    EXPECT_EQ(SitesSummary({"a", "b", "c", "d"}), "4 sites: a, b, c, ...");
}

// Firefox's compressed JSON: literals, matches that overlap what they copy, and damage of every kind.
TEST(StoreText, MozLz4DecodesAndRefusesWhatIsDamaged) {
    const auto file = [](const std::string& block, uint32_t size) {
        std::string out("mozLz40\0", 8);
        for (int i = 0; i < 4; ++i) out += static_cast<char>(size >> (8 * i) & 0xFF);
        return out + block;
    };
    std::string out;
    // "abcabcabcab" + "xyz": 3 literals, a match of 8 at offset 3 (overlapping), then 3 literals.
    const std::string block = "\x34" "abc" "\x03\x00" "\x30" "xyz"s;
    ASSERT_TRUE(DecodeMozLz4(file(block, 14), out));
    EXPECT_EQ(out, "abcabcabcabxyz");
    EXPECT_FALSE(DecodeMozLz4(file(block, 15), out));                        // shorter than it says
    EXPECT_FALSE(DecodeMozLz4(file(block, 13), out));                        // longer than it says
    EXPECT_FALSE(DecodeMozLz4(file("\x34" "abc" "\x09\x00"s, 14), out));     // an offset before the start
    EXPECT_FALSE(DecodeMozLz4(file("\xF0", 20), out));                       // a length that never ends
    EXPECT_FALSE(DecodeMozLz4(file("\x50" "ab", 5), out));                   // fewer literals than it says
    EXPECT_FALSE(DecodeMozLz4("mozLz40", out));
    EXPECT_FALSE(DecodeMozLz4(file(block, 14), out, 10));                    // more than the limit
    // A long run of literals: 15 + 255 + 30.
    const std::string text(300, 'q');
    ASSERT_TRUE(DecodeMozLz4(file("\xF0\xFF\x1E" + text, 300), out));
    EXPECT_EQ(out, text);
}

TEST(StoreText, SiteFoldersAreNamedByTheirSite) {
    EXPECT_EQ(SiteOfFolder("https_www.example.com_0.indexeddb.leveldb"), "https://www.example.com");
    EXPECT_EQ(SiteOfFolder("http_localhost_8080.indexeddb.blob"), "http://localhost:8080");
    EXPECT_EQ(SiteOfFolder("https+++www.example.org"), "https://www.example.org");
    EXPECT_EQ(SiteOfFolder("http+++localhost+8080^userContextId=1"), "http://localhost:8080");
    EXPECT_EQ(SiteOfFolder("moz-extension+++1b2c"), "moz-extension://1b2c");
    EXPECT_EQ(SiteOfFolder("chrome"), "chrome");
    EXPECT_EQ(SiteOfFolder("_0.indexeddb.leveldb"), "_0.indexeddb.leveldb");
}
