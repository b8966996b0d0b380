#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "exclude/exclude_file.h"
#include "exclude/exclude_lines.h"
#include "base/text.h"

namespace {
// A code page in which every byte stands for itself, so that any bytes reach the
// cutting; the text starts with a line end, so that no bytes read as a mark.
const CodePageText kBytesAsText{[](std::string_view b, std::string& t) { return t.assign(b), true; },
                                [](std::string_view t, std::string& b) { return b.assign(t), true; }};
std::vector<TExcludeContentItem> ParseExcludeText(std::string_view text) {
    return DecodeExcludeFile("\r\n" + std::string(text), kBytesAsText).entries;
}
TExcludeContentItem E(std::string a, std::string b, std::string c, std::string d) {
    return {std::move(a), std::move(b), std::move(c), std::move(d)};
}
void ExpectEntry(const TExcludeContentItem& got, const TExcludeContentItem& want) {
    EXPECT_EQ(got.ItemName, want.ItemName);
    EXPECT_EQ(got.Location, want.Location);
    EXPECT_EQ(got.EntryName, want.EntryName);
    EXPECT_EQ(got.EntryData, want.EntryData);
}
}  // namespace

TEST(ExcludeLines, CuttingAtTheThreeSeparators) {
    ExpectEntry(ParseExcludeLine("Run History|HKEY_CURRENT_USER\\Software\\RunMRU!a<notepad.exe"),
                E("Run History", "HKEY_CURRENT_USER\\Software\\RunMRU", "a", "notepad.exe"));
    // A row of "Cache": the URL, then "!" and "<" side by side.
    ExpectEntry(ParseExcludeLine("Cache|http://example.com/a.gif!<"), E("Cache", "http://example.com/a.gif", "", ""));
    // No separator at all: the whole line is EntryData.
    ExpectEntry(ParseExcludeLine("just some text"), E("", "", "", "just some text"));
    // Leading blanks stay in ItemName, trailing blanks in EntryData.
    ExpectEntry(ParseExcludeLine("  Paint|k!v<data  \t"), E("  Paint", "k", "v", "data  \t"));
    // Only some separators: the substring bounds decide.
    ExpectEntry(ParseExcludeLine("Item|Loc"), E("Item", "", "", "Item|Loc"));
    ExpectEntry(ParseExcludeLine("Item|Loc!Name"), E("Item", "Loc", "", "Item|Loc!Name"));
    ExpectEntry(ParseExcludeLine("a|b<c"), E("a", "", "a|b", "c"));
    ExpectEntry(ParseExcludeLine("|!<"), E("", "", "", ""));
}

TEST(ExcludeLines, ValuesHoldingSeparatorsSurviveAReload) {
    // A URL with "!" and "|", a file name with "!": written by the program, they load back equal.
    for (const TExcludeContentItem& e :
         {E("Cache", "http://host/a!b!c?x=|y", "", ""), E("Favorites", "Wow! Great site!.url", "", ""),
          E("Run History", "HKEY_CURRENT_USER\\x", "a", "cmd /c echo hi! there | more"),
          E("Cookies", "Cookie:user@site.com/!", "", "")}) {
        const std::string line = FormatExcludeLine(e);
        ASSERT_EQ(line.substr(line.size() - 2), "\r\n");
        const auto entries = ParseExcludeText(line);
        ASSERT_EQ(entries.size(), 1u);
        ExpectEntry(entries[0], e);
    }
    // Separators out of order: cut at the first "|" and the first "<" after it.
    ExpectEntry(ParseExcludeLine("a!b|c<d"), E("a!b", "c", "", "d"));
    ExpectEntry(ParseExcludeLine("a|b!c!d"), E("a", "b!c", "d", ""));
}

TEST(ExcludeLines, EveryEntryTheProgramWritesReadsBackExactly) {
    // Separators in every field, line ends, NUL, "%" and the escape marker itself.
    const TExcludeContentItem hard[] = {
        E("Exe MUICache", "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache",
          "C:\\Games\\Wow!\\wow.exe", "World <of> Warcraft"),
        E("Run History", "HKEY_CURRENT_USER\\x|y", "a", "line one\r\nline two"),
        E("a|b", "c<d", "e!f<", std::string("nul\0inside", 11)),
        E("%|odd", "100%", "%41", "%"),
        E("", "", "", ""),
        E("  lead", "trail  ", "", "\t"),
    };
    std::string file;
    for (const TExcludeContentItem& e : hard) {
        const std::string line = FormatExcludeLine(e);
        EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2) << "one line: " << line;
        EXPECT_EQ(line.find('\0'), std::string::npos);
        ExpectEntry(ParseExcludeLine(line.substr(0, line.size() - 2)), e);
        file += line;
    }
    const auto all = ParseExcludeText(file);
    ASSERT_EQ(all.size(), std::size(hard));
    for (size_t i = 0; i < all.size(); ++i) ExpectEntry(all[i], hard[i]);
    // What needs no escape is written as it always was.
    EXPECT_EQ(FormatExcludeLine(E("Cache", "http://a/b!c", "", "")), "Cache|http://a/b!c!<\r\n");
    EXPECT_EQ(FormatExcludeLine(hard[0]).substr(0, 2), "%|");
}

TEST(ExcludeLines, FileLinesBlanksAndNul) {
    const std::string text = "A|1!x<y\r\n\r\n   \t \rB|2!<\nC|3!<\r\nD|4!<";
    const auto entries = ParseExcludeText(text);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].ItemName, "A");
    EXPECT_EQ(entries[1].Location, "2");
    EXPECT_EQ(entries[2].Location, "3");
    EXPECT_EQ(entries[3].Location, "4");  // last line without a line end
    // A line with a NUL byte is no text: it is counted, never read; the others are.
    const ExcludeFileContents cut = DecodeExcludeFile(std::string("A|1!<\r\nB|2!<\0C|3!<\r\nD|4!<", 25), kBytesAsText);
    ASSERT_EQ(cut.entries.size(), 2u);
    EXPECT_EQ(cut.entries[1].Location, "4");
    EXPECT_EQ(cut.unreadLines, 1);
    EXPECT_TRUE(ParseExcludeText("").empty());
    EXPECT_TRUE(ParseExcludeText("\r\n\n\r \x01\x1f").empty());
    // CR-only and LF-only files.
    EXPECT_EQ(ParseExcludeText("A|1!<\rB|2!<\rC|3!<").size(), 3u);
    EXPECT_EQ(ParseExcludeText("A|1!<\nB|2!<\n").size(), 2u);
}

TEST(ExcludeLines, FormatAndShownValue) {
    EXPECT_EQ(FormatExcludeLine(E("Cache", "http://x/", "", "")), "Cache|http://x/!<\r\n");
    EXPECT_EQ(FormatExcludeLine(E("Paint", "k", "n", "d")), "Paint|k!n<d\r\n");
    EXPECT_EQ(ShownValue(E("a", "loc", "", "")), "loc");
    EXPECT_EQ(ShownValue(E("a", "loc", "", "data")), "data");
}

TEST(Text, TrimAndSplit) {
    EXPECT_EQ(TrimControl(" \t\x01 ab c \r\n\x1f"), "ab c");
    EXPECT_EQ(TrimControl("\x7f x"), "\x7f x");  // 127 is not trimmed
    EXPECT_EQ(TrimControl("   "), "");
    const auto lines = SplitLines("a\r\nb\rc\nd\r\n\r\ne");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "d");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "e");
    EXPECT_EQ(SplitLines("\n").size(), 1u);
    EXPECT_EQ(PrintableText(std::string("\r\n.A\tb\x01\0z", 9)), "\\r\\n.A\\tb??z");
}

namespace {
using namespace std::string_literals;
std::string Wide(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}
// A code page without the byte 0x81.
const CodePageText kStrict{[](std::string_view b, std::string& t) {
                               if (b.find('\x81') != std::string_view::npos) return false;
                               t.clear();  // Latin-1 otherwise
                               for (unsigned char c : b) {
                                   if (c >= 0x80) t += static_cast<char>(0xC0 | c >> 6);
                                   t += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
                               }
                               return true;
                           },
                           [](std::string_view, std::string&) { return false; }};
}  // namespace

TEST(ExcludeFile, EachEncodingByItsMarkAndEachLineThatIsNoTextCounted) {
    // UTF-16 either way, surrogate pairs and an unpaired surrogate (a name the system may hold) alike.
    for (bool big : {false, true}) {
        const ExcludeFileContents f = DecodeExcludeFile(Wide(u"A|\u00e9\U0001F600!<\r\nB|\xD800x!<\nC|\0!<\rD|d!<"s, big), kStrict);
        EXPECT_EQ(f.encoding, big ? TextEncoding::Utf16Be : TextEncoding::Utf16Le);
        ASSERT_EQ(f.entries.size(), 3u);
        EXPECT_EQ(f.entries[0].Location, "\xC3\xA9\xF0\x9F\x98\x80");
        EXPECT_EQ(f.entries[1].Location, "\xED\xA0\x80x");
        EXPECT_EQ(f.entries[2].Location, "d");
        EXPECT_EQ(f.unreadLines, 1);  // the NUL
    }
    EXPECT_EQ(DecodeExcludeFile(Wide(u"A|a!<", false) + "x", kStrict).unreadLines, 1);  // half a character
    const ExcludeFileContents utf8 = DecodeExcludeFile("\xEF\xBB\xBF" "A|\xC3\xA9!<\r\nB|\xC3!<\r\n", kStrict);
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
    EXPECT_EQ(utf8.entries.size(), 1u);
    EXPECT_EQ(utf8.unreadLines, 1);
    const ExcludeFileContents page = DecodeExcludeFile("A|\xE9!<\r\nB|\x81!<\r\n", kStrict);
    EXPECT_EQ(page.encoding, TextEncoding::CodePage);
    ASSERT_EQ(page.entries.size(), 1u);
    EXPECT_EQ(page.entries[0].Location, "\xC3\xA9");
    EXPECT_EQ(page.unreadLines, 1);
    // Written back: the encoding it was read in; a code page that cannot hold a name gives UTF-8.
    TextEncoding encoding = TextEncoding::Utf16Be;
    EXPECT_EQ(EncodeExcludeFile({{"A", "b", "", ""}}, encoding, kStrict), Wide(u"A|b!<\r\n", true));
    encoding = TextEncoding::CodePage;
    EXPECT_EQ(EncodeExcludeFile({{"A", "\xC3\xA9", "", ""}}, encoding, kStrict), "\xEF\xBB\xBF" "A|\xC3\xA9!<\r\n");
    EXPECT_EQ(encoding, TextEncoding::Utf8);
}
