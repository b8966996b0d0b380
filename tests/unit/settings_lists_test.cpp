#include "scan/settings_lists.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

std::string Crlf(std::initializer_list<std::string_view> lines) {
    std::string out;
    for (const std::string_view line : lines) (out += line) += "\r\n";
    return out;
}

// The text with the first occurrence of from replaced by to (which must be there).
std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string Utf16Le(std::u16string_view units, bool terminate = true) {
    std::string out;
    for (const char16_t u : units) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    if (terminate) out.append(2, '\0');
    return out;
}

const std::string_view kTimes[] = {"times"};

const std::string kVlc = Crlf({
    "[General]",
    "IsFirstRun=1",
    "filedialog-path=@Variant(\\0\\0\\0\\x11\\0\\0\\0\\x34\\0\\x66\\0i\\0l\\0\\x65)",
    "; \xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE by hand",
    "[MainWindow]",
    "geometry=@ByteArray(\\x1\\xd9\\xd0\\xcb\\0\\x3\\0\\0)",
    "",
    "[RecentsMRL]",
    "list=file:///C:/Users/ann/Videos/holiday.mp4, \"file:///C:/Users/ann/Videos/a,b.mkv\", "
    "http://example.com/live.m3u8, file:///C:/Users/ann/Videos/holiday.mp4, dvd:///D:/",
    "times=120000, 0, -1, 4500, -1",
    "",
    "[OpenDialog]",
    "netMRL=http://example.com/live.m3u8",
});
const std::string kHoliday = "file:///C:/Users/ann/Videos/holiday.mp4";
const std::string kComma = "file:///C:/Users/ann/Videos/a,b.mkv";
const std::string kLive = "http://example.com/live.m3u8";

const std::string kNpp = Crlf({
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>",
    "<NotepadPlus>",
    "    <FindHistory nbMaxFindHistoryPath=\"10\" matchCase=\"no\" wrap=\"yes\">",
    "        <Find name=\"password\" />",
    "    </FindHistory>",
    "    <History nbMaxFile=\"10\" inSubMenu=\"no\" customLength=\"-1\">",
    "        <File filename=\"C:\\Users\\ann\\notes.txt\" />",
    "        <File filename=\"C:\\Users\\ann\\R&amp;D &quot;plan&quot; &lt;1&gt;.md\" />",
    "        <File filename='C:\\Users\\ann\\\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C\xD0\xBC\xD0\xBE.txt' />",
    "        <File filename=\"C:\\Users\\ann\\notes.txt\" />",
    "        <File filename=\"&#x43;:\\smile&#128512;&apos;s.txt\"></File>",
    "    </History>",
    "    <GUIConfigs>",
    "        <GUIConfig name=\"ToolBar\" visible=\"yes\">standard</GUIConfig>",
    "        <!-- <File filename=\"C:\\commented.txt\" /> -->",
    "        <GUIConfig name=\"Backup\" action=\"0\" dir=\"\" isSnapshotMode=\"yes\" />",
    "    </GUIConfigs>",
    "</NotepadPlus>",
});

// A config.xml with the given History content and what follows the History.
std::string Npp(std::string_view history, std::string_view after = {}) {
    return "<NotepadPlus><History>" + std::string(history) + "</History>" + std::string(after) + "</NotepadPlus>";
}

std::string RecentJson(std::initializer_list<std::string_view> entries) {
    std::string out = "{\"entries\":[";
    for (const std::string_view e : entries) (out += e) += ',';
    if (entries.size()) out.pop_back();
    return out + "]}";
}

constexpr std::string_view kProj = R"({"folderUri":"file:///c%3A/proj"})";
constexpr std::string_view kFile = R"({"fileUri":"file:///c%3A/Users/ann/a.txt","label":"a.txt"})";
constexpr std::string_view kWorkspace =
    R"({"workspace":{"id":"4f2c","configPath":"file:///c%3A/Users/ann/w.code-workspace"}})";
constexpr std::string_view kRemote =
    R"({"folderUri":"vscode-remote://ssh-remote%2Bbox/home/ann","remoteAuthority":"ssh-remote+box"})";
constexpr std::string_view kEscaped = R"({"fileUri":"file:\/\/\/d%3A\/caf\u00e9\/\ud83d\ude00.txt"})";
constexpr std::string_view kShare = R"({"folderUri":"file://server/share/team%20docs"})";
constexpr std::string_view kProjAsFile = R"({"fileUri":"file:///c%3A/proj"})";
const std::string kCafe = "d:\\caf\xC3\xA9\\\xF0\x9F\x98\x80.txt";

}  // namespace

TEST(SettingsText, EncodingsRoundTripAndForeignBytesAreRefused) {
    for (const std::string& bytes : {std::string("a=1\r\n"), std::string("\xEF\xBB\xBF\xC3\xA9"),
                                    std::string("\xFF\xFE") + Utf16Le(u"\u00e9\U0001F600", false), std::string()}) {
        SettingsText text;
        ASSERT_TRUE(DecodeSettingsText(bytes, text));
        EXPECT_EQ(EncodeSettingsText(text), bytes);
    }
    SettingsText text;
    ASSERT_TRUE(DecodeSettingsText("\xFF\xFE" + Utf16Le(u"\u00e9", false), text));
    EXPECT_EQ(text.utf8, "\xC3\xA9");
    EXPECT_EQ(text.mark, SettingsMark::Utf16Le);
    EXPECT_FALSE(DecodeSettingsText("\xFF\xFE" "a", text));                        // half a character
    EXPECT_FALSE(DecodeSettingsText("\xFF\xFE" + Utf16Le(u"\xD800", false), text));  // an unpaired surrogate
    EXPECT_FALSE(DecodeSettingsText("\xEF\xBB\xBF\xC3", text));
    EXPECT_FALSE(DecodeSettingsText("caf\xE9", text));  // a code page, not UTF-8
    EXPECT_TRUE(text.utf8.empty());
}

TEST(SettingsText, MarkedFilesComeBackUnchangedButForTheEntry) {
    // The VLC file as UTF-16 with its mark, the Notepad++ file as UTF-8 with its mark.
    SettingsText vlc;
    ASSERT_TRUE(DecodeSettingsText(EncodeSettingsText({kVlc, SettingsMark::Utf16Le}), vlc));
    ASSERT_EQ(vlc.utf8, kVlc);
    const auto cut = IniListWithout(vlc.utf8, "RecentsMRL", "list", kTimes, {"dvd:///D:/"});
    ASSERT_TRUE(cut);
    const std::string expected =
        Replaced(Replaced(kVlc, ", dvd:///D:/\r\n", "\r\n"), "4500, -1\r\n", "4500\r\n");
    EXPECT_EQ(EncodeSettingsText({*cut, vlc.mark}), EncodeSettingsText({expected, SettingsMark::Utf16Le}));

    SettingsText npp;
    ASSERT_TRUE(DecodeSettingsText("\xEF\xBB\xBF" + kNpp, npp));
    const auto xml = XmlHistoryWithout(npp.utf8, {"C:\\smile\xF0\x9F\x98\x80's.txt"});
    ASSERT_TRUE(xml);
    const std::string smile = "        <File filename=\"&#x43;:\\smile&#128512;&apos;s.txt\"></File>\r\n";
    EXPECT_EQ(EncodeSettingsText({*xml, npp.mark}), "\xEF\xBB\xBF" + Replaced(kNpp, smile, ""));
}

TEST(NulList, StringsInOrderAndCutWithTheirNul) {
    const std::string a = Utf16Le(u"C:\\a.7z"), empty = Utf16Le(u""), zip = Utf16Le(u"D:\\\u0444.zip");
    const std::string value = a + empty + zip + a + Utf16Le(u"tail", false) + "x";  // an unterminated tail, an odd byte
    EXPECT_EQ(NulListEntries(value), (Texts{"C:\\a.7z", "", "D:\\\xD1\x84.zip", "C:\\a.7z", "tail"}));
    EXPECT_EQ(NulListWithout(value, {"C:\\a.7z"}), empty + zip + Utf16Le(u"tail", false) + "x");
    EXPECT_EQ(NulListWithout(value, {"tail", ""}), a + zip + a + "x");
    EXPECT_EQ(NulListWithout(value, {}), value);
    EXPECT_TRUE(NulListEntries("x").empty());
}

TEST(IniList, VlcRecentsAndTheirTimesStayInStep) {
    EXPECT_EQ(IniListEntries(kVlc, "RecentsMRL", "list"),
              (Texts{kHoliday, kComma, kLive, kHoliday, "dvd:///D:/"}));
    EXPECT_EQ(IniListEntries(kVlc, "recentsmrl", "TIMES"), (Texts{"120000", "0", "-1", "4500", "-1"}));

    // One entry, from the middle: the other section's same URL stays.
    const auto middle = IniListWithout(kVlc, "RecentsMRL", "list", kTimes, {kLive});
    ASSERT_TRUE(middle);
    EXPECT_EQ(*middle, Replaced(Replaced(kVlc, " http://example.com/live.m3u8,", ""), "0, -1, 4500", "0, 4500"));

    // The same text twice, the first entry among them.
    const auto twice = IniListWithout(kVlc, "RecentsMRL", "list", kTimes, {kHoliday});
    ASSERT_TRUE(twice);
    EXPECT_EQ(IniListEntries(*twice, "RecentsMRL", "list"), (Texts{kComma, kLive, "dvd:///D:/"}));
    EXPECT_EQ(IniListEntries(*twice, "RecentsMRL", "times"), (Texts{"0", "-1", "-1"}));

    // All of them: both lines go, nothing else.
    const auto all = IniListWithout(kVlc, "RecentsMRL", "list", kTimes, {kHoliday, kComma, kLive, "dvd:///D:/"});
    ASSERT_TRUE(all);
    const size_t list = kVlc.find("list="), next = kVlc.find("\r\n\r\n[OpenDialog]");
    EXPECT_EQ(*all, kVlc.substr(0, list) + kVlc.substr(next + 2));
    EXPECT_EQ(IniListWithout(kVlc, "RecentsMRL", "list", kTimes, {}), kVlc);
    EXPECT_EQ(IniListWithout(kVlc, "RecentsMRL", "list", kTimes, {"file:///C:/other.mp4"}), kVlc);
}

TEST(IniList, QtQuotingEscapesAndEmptyLists) {
    const std::string text =
        "[RecentsMRL]\nlist=\"C:\\\\a \\\"b\\\", c\", plain , \"x\"y, \\xe9t\\xe9, \\xd83c\\xdfac, @@at, last,\n";
    EXPECT_EQ(IniListEntries(text, "RecentsMRL", "list"),
              (Texts{"C:\\a \"b\", c", "plain", "xy", "\xC3\xA9t\xC3\xA9", "\xF0\x9F\x8E\xAC", "@at", "last", ""}));
    EXPECT_EQ(IniListWithout(text, "RecentsMRL", "list", {}, {"xy", "\xF0\x9F\x8E\xAC"}),
              Replaced(Replaced(text, "\"x\"y, ", ""), "\\xd83c\\xdfac, ", ""));
    EXPECT_EQ(IniListWithout(text, "RecentsMRL", "list", {}, {"C:\\a \"b\", c"}),
              Replaced(text, "\"C:\\\\a \\\"b\\\", c\", ", ""));

    EXPECT_TRUE(IniListEntries("[RecentsMRL]\nlist=@Invalid()\n", "RecentsMRL", "list").empty());
    EXPECT_TRUE(IniListEntries("[RecentsMRL]\nlist=\ntimes=\n", "RecentsMRL", "list").empty());
    EXPECT_EQ(IniListEntries("[RecentsMRL]\nlist=\"\"\n", "RecentsMRL", "list"), Texts{""});
    EXPECT_EQ(IniListEntries("top=a, b\n[Other]\ntop=c\n", "General", "top"), (Texts{"a", "b"}));
    // Blanks before a comment stay; the comment stays when its line's value goes.
    EXPECT_EQ(IniListWithout("[R]\nlist = a, b ; note\n", "R", "list", {}, {"b"}), "[R]\nlist = a ; note\n");
    EXPECT_EQ(IniListWithout("[R]\n  list=a ;note\r\nx=1", "R", "list", {}, {"a"}), "[R]\n;note\r\nx=1");
    // A parallel list shorter than the list loses what it has.
    EXPECT_EQ(IniListWithout("[R]\nlist=a, b, c\ntimes=1\n", "R", "list", kTimes, {"a", "c"}), "[R]\nlist=b\n");
}

TEST(IniList, TextsNotUnderstoodAreNotEdited) {
    for (const std::string& text : {
             std::string("[RecentsMRL]\nlist=\"a, b\n"),                           // a quote open to the end
             std::string("[Other]\nnote=\"open\n[RecentsMRL]\nlist=a\n"),        // another key's quote takes the rest
             std::string("[RecentsMRL]\nlist=a, \\\nb\n"),                         // a value over two lines
             std::string("[RecentsMRL]\nlist=@ByteArray(a)\n"),                    // a typed value
             std::string("[RecentsMRL]\nlist=a\ntimes=@Variant(\\0)\n"),           // a parallel list that is no list
             std::string("[RecentsMRL]\nlist=a\ntimes=1\nTimes=2\n"),              // a parallel key twice
         }) {
        EXPECT_EQ(IniListWithout(text, "RecentsMRL", "list", kTimes, {"a"}), std::nullopt) << text;
        EXPECT_EQ(IniListWithout(text, "RecentsMRL", "list", kTimes, {}), std::nullopt) << text;
    }
    EXPECT_TRUE(IniListEntries("[Other]\nnote=\"open\n[RecentsMRL]\nlist=a\n", "RecentsMRL", "list").empty());
    // The key twice: Qt reads the last, but the first would stay behind.
    const std::string twice = "[RecentsMRL]\nlist=a\n[RecentsMRL]\nLIST=b\n";
    EXPECT_EQ(IniListEntries(twice, "RecentsMRL", "list"), Texts{"b"});
    EXPECT_EQ(IniListWithout(twice, "RecentsMRL", "list", {}, {"b"}), std::nullopt);
    EXPECT_EQ(IniListWithout("[Other]\nlist=a\n", "RecentsMRL", "list", {}, {"a"}), "[Other]\nlist=a\n");
}

TEST(MediaEntryText, FileUrlsAsWindowsPaths) {
    EXPECT_EQ(MediaEntryText("file:///C:/b%20c.mkv"), "C:\\b c.mkv");
    EXPECT_EQ(MediaEntryText("FILE:///C:/Users/%D0%92%D0%B8%D0%B4%D0%B5%D0%BE/a.mp4"),
              "C:\\Users\\\xD0\x92\xD0\xB8\xD0\xB4\xD0\xB5\xD0\xBE\\a.mp4");
    EXPECT_EQ(MediaEntryText("file://nas/media/x%23.mkv"), "\\\\nas\\media\\x#.mkv");
    EXPECT_EQ(MediaEntryText("file:///C:/a%2"), "C:\\a%2");
    for (const char* same : {"http://example.com/a%20b", "dvd:///D:/", "file:///C:/bad%FF.mkv", "file:", ""})
        EXPECT_EQ(MediaEntryText(same), same);
}

TEST(XmlHistory, NotepadPlusFilesAndTheirLines) {
    EXPECT_EQ(XmlHistoryFiles(kNpp),
              (Texts{"C:\\Users\\ann\\notes.txt", "C:\\Users\\ann\\R&D \"plan\" <1>.md",
                     "C:\\Users\\ann\\\xD0\xBF\xD0\xB8\xD1\x81\xD1\x8C\xD0\xBC\xD0\xBE.txt",
                     "C:\\Users\\ann\\notes.txt",
                     "C:\\smile\xF0\x9F\x98\x80's.txt"}));
    const std::string notes = "        <File filename=\"C:\\Users\\ann\\notes.txt\" />\r\n";
    EXPECT_EQ(XmlHistoryWithout(kNpp, {"C:\\Users\\ann\\notes.txt"}), Replaced(Replaced(kNpp, notes, ""), notes, ""));
    const auto all = XmlHistoryWithout(kNpp, XmlHistoryFiles(kNpp));
    ASSERT_TRUE(all);
    const size_t first = kNpp.find("        <File"), end = kNpp.find("    </History>");
    EXPECT_EQ(*all, kNpp.substr(0, first) + kNpp.substr(end));
    EXPECT_EQ(XmlHistoryWithout(kNpp, {"C:\\commented.txt"}), kNpp);

    // Elements sharing a line go without the line.
    const std::string line = Npp("<File filename=\"a\" /> <File filename=\"b\" /><File filename=\"c\"/>");
    EXPECT_EQ(XmlHistoryWithout(line, {"a", "b"}), Npp("<File filename=\"c\"/>"));
    EXPECT_EQ(XmlHistoryWithout(line, {"b"}), Npp("<File filename=\"a\" /><File filename=\"c\"/>"));
    EXPECT_EQ(XmlHistoryWithout(Npp("\n\t\t<File filename=\"a\"/>  <File filename=\"a\"/>\n\t"), {"a"}), Npp("\n\t"));
}

TEST(XmlHistory, DocumentsNotUnderstoodAreNotEdited) {
    const std::string a = "<File filename=\"a\"/>";
    const auto nested = [&](int depth) {
        std::string inner;
        for (int k = 0; k < depth; ++k) inner += "<g>";
        for (int k = 0; k < depth; ++k) inner += "</g>";
        return Npp(a, inner);
    };
    for (const std::string& text : {
             std::string("<NotepadPlus>\n<History>\n<File filename=\"a\" />\n</NotepadPlus>\n"),  // History without end
             std::string("<NotepadPlus><History><File filename=\"a\" />"),                        // nothing closed
             "<!DOCTYPE x [<!ENTITY e \"a\">]>" + Npp("<File filename=\"&e;\"/>"),
             Npp("<File filename=a />"),
             Npp("<File filename=\"a\" filename=\"b\"/>"),
             Npp("<File filename=\"a<\"/>"),
             Npp(a + "<!-- open"),
             "<Other><History>" + a + "</History></Other>",
             Npp(a) + "text",
             Npp(a, "<History/>"),  // a second History
             nested(300),
         })
        EXPECT_EQ(XmlHistoryWithout(text, {"a"}), std::nullopt) << text;
    EXPECT_EQ(XmlHistoryWithout(nested(200), {"a"}), Replaced(nested(200), a, ""));
    // Only the History's own File children count, and only the first History.
    const std::string inner = Npp("<Group>" + a + "</Group>");
    EXPECT_TRUE(XmlHistoryFiles(inner).empty());
    EXPECT_EQ(XmlHistoryWithout(inner, {"a"}), inner);
    EXPECT_EQ(XmlHistoryFiles(Npp(a, "<History><File filename=\"b\"/></History>")), Texts{"a"});
}

TEST(RecentlyOpened, EveryEntryKindAsVsCodeShowsIt) {
    const std::string json = RecentJson({kProj, kFile, kWorkspace, kRemote, kEscaped, kShare, kProjAsFile});
    EXPECT_EQ(RecentlyOpenedEntries(json),
              (Texts{"c:\\proj", "c:\\Users\\ann\\a.txt", "c:\\Users\\ann\\w.code-workspace",
                     "vscode-remote://ssh-remote%2Bbox/home/ann", kCafe, "\\\\server\\share\\team docs", "c:\\proj"}));
    // Elements of no known kind stay, unlisted; a workspace needs its id; a repeated member counts last.
    const std::string odd = RecentJson({R"({"label":"x"})", "42",
                                        R"({"workspace":{"configPath":"file:///c%3A/w"},"fileUri":"file:///c%3A/f"})",
                                        R"({"folderUri":"file:///c%3A/old","folderUri":"file:///c%3A/new"})"});
    EXPECT_EQ(RecentlyOpenedEntries(odd), (Texts{"c:\\f", "c:\\new"}));
    EXPECT_EQ(RecentlyOpenedWithout(odd, {"c:\\old"}), odd);
}

TEST(RecentlyOpened, EntriesGoAndTheRestKeepsItsSpelling) {
    const std::string json = RecentJson({kProj, kFile, kWorkspace, kEscaped, kProjAsFile});
    EXPECT_EQ(RecentlyOpenedWithout(json, {"c:\\proj"}), RecentJson({kFile, kWorkspace, kEscaped}));
    EXPECT_EQ(RecentlyOpenedWithout(json, {kCafe}), RecentJson({kProj, kFile, kWorkspace, kProjAsFile}));
    EXPECT_EQ(RecentlyOpenedWithout(json, RecentlyOpenedEntries(json)), RecentJson({}));
    EXPECT_EQ(RecentlyOpenedWithout(json, {}), json);

    const auto pretty = [](std::string_view first, std::string_view second, std::string_view third = {}) {
        std::string out = "{\n  \"other\": [1, 2.5e3, true, null],\n  \"entries\": [\n    ";
        ((out += first) += ",\n    ") += second;
        if (!third.empty()) (out += ",\n    ") += third;
        return out + "\n  ]\n}";
    };
    EXPECT_EQ(RecentlyOpenedWithout(pretty(kProj, kFile, kShare), {"c:\\Users\\ann\\a.txt"}), pretty(kProj, kShare));
    EXPECT_EQ(RecentlyOpenedWithout(pretty(kProj, kFile, kShare), {"\\\\server\\share\\team docs"}),
              pretty(kProj, kFile));
}

TEST(RecentlyOpened, OtherJsonIsNotEdited) {
    std::string deep = "{\"entries\":[" + std::string(kProj) + "],\"x\":";
    for (int k = 0; k < 100; ++k) deep += "[";
    for (int k = 0; k < 100; ++k) deep += "]";
    deep += "}";
    for (const std::string& json : {
             "{\"data\":" + RecentJson({kProj}) + "}",  // the key in a nested object
             RecentJson({kProj}).substr(0, 30),          // cut short inside a string
             std::string(R"({"entries":[{"folderUri":"file:///c%3A/proj"})"),
             std::string(R"({"entries":{"folderUri":"file:///c%3A/proj"}})"),
             std::string(R"({"entries":[],"entries":[{"folderUri":"file:///c%3A/proj"}]})"),
             std::string(R"({"entries":[{"folderUri":"file:///c%3A/pr\qoj"}]})"),
             std::string(R"({"entries":[{"folderUri":"file:///c%3A/proj"}]} x)"),
             std::string(R"({"entries":[{"folderUri":"file:///c%3A/proj",}]})"),
             std::string(R"([{"folderUri":"file:///c%3A/proj"}])"),
             deep,
         }) {
        EXPECT_EQ(RecentlyOpenedWithout(json, {"c:\\proj"}), std::nullopt) << json;
        EXPECT_EQ(RecentlyOpenedWithout(json, {}), std::nullopt) << json;
    }
    EXPECT_TRUE(RecentlyOpenedEntries("{\"data\":" + RecentJson({kProj}) + "}").empty());
    EXPECT_EQ(RecentlyOpenedEntries(R"({"entries":[],"entries":[{"folderUri":"file:///c%3A/x"}]})"), Texts{"c:\\x"});
    EXPECT_EQ(RecentlyOpenedEntries(R"({"entries":[{"folderUri":"x\ud800y"}]})"), Texts{"x\xED\xA0\x80y"});
}
