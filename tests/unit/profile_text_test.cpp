#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "scan/profile_text.h"
#include "support/literal_cutting.h"

namespace {

std::vector<std::string> History(const std::string& text) {
    std::vector<std::string> out;
    CutHistoryEntries(text, [&](std::string_view e) { out.emplace_back(e); return true; });
    return out;
}

// The entries of the raw text, each with its line ends made CR LF.
std::vector<std::string> HistoryOfRaw(const std::string& raw) {
    std::vector<std::string> out;
    CutHistoryEntries(raw, [&](std::string_view e) { out.push_back(WithCrLfLineEnds(e)); return true; });
    return out;
}

std::vector<std::string> Cookies(const std::string& text) {
    std::vector<std::string> out;
    CutCookieEntries(text, [&](std::string_view e) { out.emplace_back(e); return true; });
    return out;
}

}  // namespace

TEST(ProfileText, LinesAreWrittenBackWithCrLf) {
    EXPECT_EQ(JoinLinesCrLf("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(JoinLinesCrLf("a\n\nb\n"), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLinesCrLf(""), "");
    EXPECT_EQ(JoinLinesCrLf("\r"), "\r\n");
    EXPECT_EQ(JoinLinesCrLf(std::string("x\0y", 3)), std::string("x\0y\r\n", 5));
    // Asked once a MiB, also along one long line; false stops the joining short.
    const std::string long3(3u << 20, 'x');
    int asked = 0;
    EXPECT_EQ(JoinLinesCrLf(long3, [&] { return ++asked > 0; }).size(), long3.size() + 2);
    EXPECT_EQ(asked, 2);
    EXPECT_LT(JoinLinesCrLf(long3, [] { return false; }).size(), long3.size());
    // A piece's own line ends, with nothing added after the last.
    EXPECT_EQ(WithCrLfLineEnds("a\rb\nc\r\nd\n\r"), "a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(WithCrLfLineEnds("\n\r\r\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(WithCrLfLineEnds("plain"), "plain");
}

TEST(ProfileText, HistoryAddressesUpToTheirParenthesis) {
    const std::string text = JoinLinesCrLf("<(A=http://www.a.com/x)(B=1)>\r[(A=http://b.org/y?q=1)]");
    EXPECT_EQ(History(text), (std::vector<std::string>{"http://www.a.com/x", "http://b.org/y?q=1"}));
    EXPECT_TRUE(History("(A=https://secure.example/)").empty());
    EXPECT_TRUE(History("no addresses at all").empty());
    EXPECT_TRUE(History("(A=http://unclosed.example/").empty());  // no ")" after it: nothing, and the loop ends
    EXPECT_TRUE(History("tail http://").empty());                 // a match at the very end
    // Whatever lies between the address and the ")" is part of it, line ends included.
    EXPECT_EQ(History("http://a\r\nmore)"), (std::vector<std::string>{"http://a\r\nmore"}));
    // The next search begins at the last character of the entry just cut.
    EXPECT_EQ(History("http://a(http://b)c)http://d)"),
              (std::vector<std::string>{"http://a(http://b", "http://d"}));
    // The sink can stop the cutting.
    int n = 0;
    CutHistoryEntries("http://1) http://2) http://3)", [&](std::string_view) { return ++n < 2; });
    EXPECT_EQ(n, 2);
}

TEST(ProfileText, CookiePiecesFromDotLines) {
    // A comment line, a dot domain line, a host line without a dot.
    const std::string text = JoinLinesCrLf(
        "# NETSCAPE HTTP COOKIE FILE\n.EXAMPLE.COM\tTRUE\t/\tFALSE\t0\tID\t1\nWWW.HOST.COM\tFALSE\t/\tFALSE\t0\tA\t2\n");
    const auto cookies = Cookies(text);
    ASSERT_EQ(cookies.size(), 1u);
    EXPECT_EQ(cookies[0], "\r\n.EXAMPLE.COM\t");
    EXPECT_EQ(cookies[0].size(), std::string("EXAMPLE.COM").size() + 4);
    EXPECT_TRUE(Cookies(".FIRST.LINE\tTRUE\r\n").empty());      // the first line is never found
    EXPECT_TRUE(Cookies("X\r\n.NO.YES.HERE\tFALSE\r\n").empty());
    EXPECT_TRUE(Cookies("X\r\n.").empty());                      // a match at the very end
    // CR-only files are joined with CR LF first.
    EXPECT_EQ(Cookies(JoinLinesCrLf("#\r.A.COM\tTRUE\r.B.COM\tTRUE\r")).size(), 2u);
    // "TRUE" far away: the piece runs up to it, over the lines between.
    EXPECT_EQ(Cookies("#\r\n.A\r\n.B\tTRUE"), (std::vector<std::string>{"\r\n.A\r\n.B\t"}));
}

TEST(ProfileText, SameEntriesAsTheLiteralLoopsOnGarbage) {
    std::mt19937 rng(2010);
    const std::vector<std::string> pieces = {"http://", ")", "(", "\r\n.", "TRUE", "\r", "\n", ".", "x", "TR", "htt",
                                             std::string(1, '\0'), "\xff", "\t"};
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % (round < 350 ? 60 : 3000));  // long texts cross many 16-byte steps
        for (int i = 0; i < n; ++i) {
            if (rng() % 3 == 0) text += static_cast<char>(rng() % 256);
            else text += pieces[rng() % pieces.size()];
        }
        EXPECT_EQ(History(text), literal::History(text)) << "round " << round;
        std::string joined;
        for (std::string_view line : SplitLines(text)) joined.append(line).append("\r\n");
        EXPECT_EQ(JoinLinesCrLf(text), joined) << "round " << round;
        // The scanner cuts addresses out of the file's own lines: the same entries as out of the joined text.
        EXPECT_EQ(HistoryOfRaw(text), History(JoinLinesCrLf(text))) << "round " << round;
        EXPECT_EQ(Cookies(text), literal::Cookies(text)) << "round " << round;
    }
}
