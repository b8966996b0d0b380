#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "exclude/exclude_lines.h"
#include "exclude/exclude_store.h"
#include "exclude/exclude_tests.h"
#include "integration/fixtures.h"
#include "platform/files.h"
#include "base/utf.h"
#include "scan/scan_conventions.h"

namespace {

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class ExcludeStore : public ::testing::Test {
protected:
    TempFolder dir{"Store"};
    std::string file = dir.path() + "\\Exclude1Items.est";
    TExcludeContents list;
};

}  // namespace

TEST_F(ExcludeStore, NoFileMeansAnEmptyListThatExcludesNothing) {
    list.AddNew();
    LoadExcludeItemsFrom(file, list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(IsFileExcluded("Cache", "http://a/", list));
    EXPECT_FALSE(IsRegExcluded("Run History", "HKEY_CURRENT_USER\\x", "a", "", list));
}

TEST_F(ExcludeStore, AddAppendsOneLineAndNeverADuplicate) {
    EXPECT_TRUE(AddExcludeItemTo(file, list, {"Cache", "http://a/x.gif", "", ""}));
    EXPECT_TRUE(AddExcludeItemTo(file, list, {"Run History", "HKEY_CURRENT_USER\\R", "a", "cmd"}));
    EXPECT_FALSE(AddExcludeItemTo(file, list, {"Cache", "http://a/x.gif", "", ""}));
    EXPECT_EQ(Slurp(file), "Cache|http://a/x.gif!<\r\nRun History|HKEY_CURRENT_USER\\R!a<cmd\r\n");
    EXPECT_EQ(list.Count(), 2);
    TExcludeContents reloaded;
    LoadExcludeItemsFrom(file, reloaded);
    ASSERT_EQ(reloaded.Count(), 2);
    EXPECT_EQ(reloaded.Item(1).EntryData, "cmd");
}

TEST_F(ExcludeStore, AppendAfterAnUnendedLastLineEndsItFirst) {
    Write(file, "Cache|http://a/!<");
    LoadExcludeItemsFrom(file, list);
    ASSERT_TRUE(AddExcludeItemTo(file, list, {"Cookies", "Cookie:u@b/", "", ""}));
    EXPECT_EQ(Slurp(file), "Cache|http://a/!<\r\nCookies|Cookie:u@b/!<\r\n");
    TExcludeContents reloaded;
    LoadExcludeItemsFrom(file, reloaded);
    ASSERT_EQ(reloaded.Count(), 2);
    EXPECT_EQ(reloaded.Item(0).Location, "http://a/");
    EXPECT_EQ(reloaded.Item(1).Location, "Cookie:u@b/");
    // A file that ends in a lone CR gets no extra line end.
    Write(file, "Cache|http://a/!<\r");
    LoadExcludeItemsFrom(file, list);
    ASSERT_TRUE(AddExcludeItemTo(file, list, {"Cache", "http://b/", "", ""}));
    EXPECT_EQ(Slurp(file), "Cache|http://a/!<\rCache|http://b/!<\r\n");
}

TEST_F(ExcludeStore, ModifyAndRemoveRewriteTheFile) {
    Write(file, "Cache|http://a/!<\r\nPaint|HKEY_CURRENT_USER\\P!File1<c:\\a.bmp\n\nCookies|Cookie:x!<");
    LoadExcludeItemsFrom(file, list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_TRUE(ModifyExcludeItemIn(file, list, "Cache", "http://a/", "http://z/"));
    EXPECT_EQ(Slurp(file),
              "Cache|http://z/!<\r\nPaint|HKEY_CURRENT_USER\\P!File1<c:\\a.bmp\r\nCookies|Cookie:x!<\r\n");
    // No match: nothing changes, but the file is written anyway.
    EXPECT_TRUE(ModifyExcludeItemIn(file, list, "Cookies", "nope", "x"));
    EXPECT_EQ(list.Item(2).Location, "Cookie:x");
    // Remove by the shown value: EntryData when present, else Location.
    EXPECT_TRUE(RemoveExcludeItemFrom(file, list, "Paint", "HKEY_CURRENT_USER\\P"));  // Location is not shown here
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(RemoveExcludeItemFrom(file, list, "Paint", "c:\\a.bmp"));
    EXPECT_TRUE(RemoveExcludeItemFrom(file, list, "Cache", "http://z/"));
    EXPECT_EQ(Slurp(file), "Cookies|Cookie:x!<\r\n");
    EXPECT_TRUE(RemoveExcludeItemFrom(file, list, "Cookies", "Cookie:x"));
    EXPECT_TRUE(FileExists(file));  // the last removal leaves an empty file
    EXPECT_EQ(Slurp(file), "");
    EXPECT_FALSE(FileExists(file + ".new"));
}

TEST_F(ExcludeStore, AFailedSaveLeavesTheOldFileIntact) {
    const std::string before = "Cache|http://a/!<\r\nCache|http://b/!<\r\n";
    Write(file, before);
    LoadExcludeItemsFrom(file, list);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(RemoveExcludeItemFrom(file, list, "Cache", "http://a/"));
    EXPECT_EQ(list.Count(), 1);  // memory keeps the change
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Slurp(file), before);
    EXPECT_FALSE(FileExists(file + ".new"));
    // A file held open without sharing by someone else: the save gives up, the file stays.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveExcludeItemsTo(file, list));
    CloseHandle(held);
    EXPECT_EQ(Slurp(file), before);
    EXPECT_TRUE(SaveExcludeItemsTo(file, list));
    EXPECT_EQ(Slurp(file), "Cache|http://b/!<\r\n");
}

TEST_F(ExcludeStore, BadFilesLoadWithoutComplaint) {
    std::string text = "no separators here\r\n\r\n   \t\r\n";
    text += std::string(1 << 20, 'x') + "|" + "\r\n";  // a 1 MB line
    text += "Cache|http://a/!<";
    text += std::string("\0Paint|x!<\r\n", 12);
    Write(file, text);
    EXPECT_FALSE(LoadExcludeItemsFrom(file, list));  // the line with a NUL is not read
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(0).EntryData, "no separators here");
    EXPECT_EQ(list.Item(1).ItemName.size(), 1u << 20);
    EXPECT_TRUE(list.FileDamaged);
}

TEST_F(ExcludeStore, OneMegabyteWithoutLineEndsAndNuls) {
    std::string text = "Cache|" + std::string(1 << 20, 'u') + "!<";
    Write(file, text);
    LoadExcludeItemsFrom(file, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0).Location.size(), 1u << 20);
    // An append ends that line first, and the file loads as two entries.
    ASSERT_TRUE(AddExcludeItemTo(file, list, {"Cookies", "Cookie:x", "", ""}));
    TExcludeContents again;
    LoadExcludeItemsFrom(file, again);
    EXPECT_EQ(again.Count(), 2);
    Write(file, std::string(5000, '\0') + "Cache|x!<");
    LoadExcludeItemsFrom(file, list);
    EXPECT_EQ(list.Count(), 0);  // a line with NULs is no text
    EXPECT_TRUE(list.FileDamaged);
}

namespace {
// Text as UTF-16 bytes, little or big endian, after the byte-order mark.
std::string Utf16File(const std::string& utf8, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : Utf16FromUtf8(utf8)) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}
}  // namespace

// What Notepad writes as "Unicode", "Unicode big endian" and "UTF-8": read,
// added to, changed and written back in the same encoding, nothing lost.
TEST_F(ExcludeStore, EveryEncodingAnEditorWritesIsReadAndKept) {
    const std::string lines = "Cache|http://a/!<\r\nPaint|HKEY_CURRENT_USER\\P!File1<c:\\Отчёт.bmp\r\nCookies|Cookie:x!<\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        std::function<std::string(const std::string&)> encode;  // how a text looks in this file
    };
    const Case cases[] = {
        {"UTF-16 LE", Utf16File(lines, false), [](const std::string& t) { return Utf16File(t, false); }},
        {"UTF-16 BE", Utf16File(lines, true), [](const std::string& t) { return Utf16File(t, true); }},
        {"UTF-8", "\xEF\xBB\xBF" + lines, [](const std::string& t) { return "\xEF\xBB\xBF" + t; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(file, c.bytes);
        ASSERT_TRUE(LoadExcludeItemsFrom(file, list));
        ASSERT_EQ(list.Count(), 3);
        EXPECT_EQ(list.Item(1).EntryData, "c:\\Отчёт.bmp");
        EXPECT_TRUE(IsFileExcluded("Cache", "http://a/", list));
        ASSERT_TRUE(AddExcludeItemTo(file, list, {"Cache", "http://b/", "", ""}));
        EXPECT_TRUE(Slurp(file) == c.encode(lines + "Cache|http://b/!<\r\n"));
        ASSERT_TRUE(RemoveExcludeItemFrom(file, list, "Cookies", "Cookie:x"));
        EXPECT_TRUE(Slurp(file) == c.encode("Cache|http://a/!<\r\nPaint|HKEY_CURRENT_USER\\P!File1<c:\\Отчёт.bmp\r\n"
                                            "Cache|http://b/!<\r\n"));
    }
}

// A line that is no text in the file's encoding (a NUL, half a UTF-16
// character, a byte that is no UTF-8): the other lines count, the user is
// told, and no rewrite may lose it; an added line is appended in the file's encoding.
TEST_F(ExcludeStore, ALineThatIsNoTextKeepsTheFileAsItIs) {
    const std::string cases[] = {
        "Cache|http://a/!<\r\nCache|http://b/" + std::string(1, '\0') + "x!<\r\nCookies|Cookie:x!<\r\n",
        "\xEF\xBB\xBF" "Cache|http://a/!<\r\nCache|http://\xC3\x28/!<\r\nCookies|Cookie:x!<\r\n",
        Utf16File("Cache|http://a/!<\r\nCookies|Cookie:x!<\r\n", false) + "\x41",
    };
    for (const std::string& bytes : cases) {
        Write(file, bytes);
        EXPECT_FALSE(LoadExcludeItemsFrom(file, list));
        EXPECT_TRUE(list.FileUnread);
        EXPECT_TRUE(list.FileDamaged);
        EXPECT_TRUE(IsFileExcluded("Cache", "http://a/", list));
        EXPECT_TRUE(IsFileExcluded("Cookies", "Cookie:x", list));
        EXPECT_FALSE(RemoveExcludeItemFrom(file, list, "Cache", "http://a/"));
        EXPECT_FALSE(ModifyExcludeItemIn(file, list, "Cache", "http://a/", "http://z/"));
        EXPECT_TRUE(Slurp(file) == bytes);
    }
    // An added line goes at the end (a UTF-8 file with a bad line gets a UTF-8 line).
    Write(file, cases[1]);
    LoadExcludeItemsFrom(file, list);
    ASSERT_TRUE(AddExcludeItemTo(file, list, {"Cache", "http://Ω/", "", ""}));
    EXPECT_TRUE(Slurp(file) == cases[1] + "Cache|http://Ω/!<\r\n");
    // Half a UTF-16 character at the end: nothing is appended that would not read back.
    Write(file, cases[2]);
    LoadExcludeItemsFrom(file, list);
    AddExcludeItemTo(file, list, {"Cache", "http://c/", "", ""});
    EXPECT_TRUE(Slurp(file) == cases[2]);
}

TEST(ExcludeStoreDefaults, FileLivesBesideTheProgram) {
    EXPECT_EQ(ExcludeFilePath(), ExeDirectory() + "Exclude1Items.est");
}

// A file that is there but held by another program at start-up loads as an
// incomplete list, and is never rewritten from it: a Remove is refused while
// the file cannot be read, and once it can, the file is read again first.
TEST_F(ExcludeStore, AFileThatCannotBeReadIsNeverOverwrittenFromAnIncompleteList) {
    const std::string before = "Paint|k!File1<one\r\nPaint|k!File2<two\r\nRun History|r!a<three\r\n";
    Write(file, before);
    {
        File held(file, File::Open::Exclusive);  // shared with nobody
        ASSERT_TRUE(held);
        EXPECT_FALSE(LoadExcludeItemsFrom(file, list));
        EXPECT_TRUE(list.FileUnread);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_FALSE(RemoveExcludeItemFrom(file, list, "Paint", "two"));
        EXPECT_FALSE(ModifyExcludeItemIn(file, list, "Paint", "k", "z"));
        EXPECT_FALSE(SaveExcludeItemsTo(file, list));
    }
    EXPECT_EQ(Slurp(file), before);
    // The user adds an exclusion meanwhile; the next Remove reads the file again and keeps everything else.
    EXPECT_TRUE(AddExcludeItemTo(file, list, {"Cache", "http://new/", "", ""}));
    EXPECT_TRUE(RemoveExcludeItemFrom(file, list, "Paint", "two"));
    EXPECT_FALSE(list.FileUnread);
    EXPECT_EQ(Slurp(file), "Paint|k!File1<one\r\nRun History|r!a<three\r\nCache|http://new/!<\r\n");
    // An absent file is simply an empty list.
    TExcludeContents none;
    EXPECT_TRUE(LoadExcludeItemsFrom(dir.path() + "\\absent.est", none));
    EXPECT_FALSE(none.FileUnread);
}

// Entries whose fields hold the separators or line ends read back exactly from
// the file, and still keep their traces out of a scan after a reload.
TEST_F(ExcludeStore, EntriesWithSeparatorsAndLineEndsReloadExactly) {
    TestKey key("MUICache");
    key.SetString("C:\\Games\\Wow!\\wow.exe", "World <of> Warcraft");
    key.SetString("C:\\Games\\other.exe", "Other");
    const TExcludeContentItem wow{"Exe MUICache", key.full(), "C:\\Games\\Wow!\\wow.exe", "World <of> Warcraft"};
    const TExcludeContentItem lines{"Run History", "HKEY_CURRENT_USER\\x", "a", "two\r\nlines|and!more"};
    EXPECT_TRUE(AddExcludeItemTo(file, list, wow));
    EXPECT_TRUE(AddExcludeItemTo(file, list, lines));
    EXPECT_TRUE(AddExcludeItemTo(file, list, {"Cache", "http://plain/", "", ""}));
    TExcludeContents reloaded;
    ASSERT_TRUE(LoadExcludeItemsFrom(file, reloaded));
    ASSERT_EQ(reloaded.Count(), 3);
    EXPECT_TRUE(SameEntry(reloaded.Item(0), wow));
    EXPECT_TRUE(SameEntry(reloaded.Item(1), lines));
    EXPECT_EQ(Slurp(file).substr(Slurp(file).rfind("\r\nCache|")), "\r\nCache|http://plain/!<\r\n");  // plain lines stay plain
    // A rewrite keeps them too.
    ASSERT_TRUE(RemoveExcludeItemFrom(file, reloaded, "Cache", "http://plain/"));
    TExcludeContents again;
    LoadExcludeItemsFrom(file, again);
    ASSERT_EQ(again.Count(), 2);
    EXPECT_TRUE(SameEntry(again.Item(0), wow));
    // The reloaded entry still excludes its trace.
    ScanTree t;
    t.session.ExcludeList.Item(t.session.ExcludeList.AddNew()) = again.Item(0);
    ListScannerRow row{"Exe MUICache", "Clean Windows MUICache", "Microsoft Windows", key.path().c_str(),
                       ListScannerRow::Lists::Values, kKindRegValueText, NameField::ValueName, true,
                       TestData::ValueText};
    row.plainTextOnly = true;
    RunListScanner(row, t.Context(42));
    ASSERT_EQ(t.results.Count(), 1);
    EXPECT_EQ(t.results.Item(0).ValueName, "C:\\Games\\other.exe");
}
