#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "scan/recycled_info.h"
#include "scan/shell_items.h"
#include "support/shell_item_bytes.h"

using namespace std::string_literals;
using namespace shellbytes;

namespace {

std::string PathOf(std::u16string_view path) { return ShellItemsPath(IdListOfPath(path)); }

// The fixed part of a 0x32 file entry (size, time, attributes) and the primary name "LONGNA~1.TXT", padded.
const std::string kEntryHead = "\0"s + "\0\0\0\0" "\0\0\0\0" "\x20\0"s + "LONGNA~1.TXT\0"s + "\0"s;

// That entry with one 0xBEEF0004 block of the given version: its fields after the signature, then the name.
std::string EntryWithBlock(unsigned version, const std::string& fields, std::u16string_view name) {
    std::string block;
    Put16(block, static_cast<unsigned>(8 + fields.size() + 2 * name.size() + 4));
    Put16(block, version);
    Put32(block, 0xBEEF0004);
    block += fields + Utf16(name);
    Put16(block, static_cast<unsigned>(kEntryHead.size() + 3));
    return Item(0x32, kEntryHead + block);
}

const std::string kDates(8, '\x11'), kFileRef = "\x2B\x1A\0\0\0\0\x03\0"s, kZero8(8, '\0');

std::string Under(const std::string& item) { return ShellItemsPath(RootItem(Folder::UsersFiles) + item + EndOfList()); }

}  // namespace

TEST(ShellItems, PathsReadAsExplorerWritesThem) {
    EXPECT_EQ(PathOf(u"C:\\Users\\Ann\\Documents\\report.docx"), "C:\\Users\\Ann\\Documents\\report.docx");
    EXPECT_EQ(PathOf(u"C:\\"), "C:\\");
    EXPECT_EQ(PathOf(u"D:\\Users\\Ann\\"), "D:\\Users\\Ann");
    EXPECT_EQ(PathOf(u"\\\\server\\share\\file.txt"), "\\\\server\\share\\file.txt");
    EXPECT_EQ(PathOf(u"C:\\\u00c4rger \u6587\u4ef6.txt"), "C:\\\xc3\x84rger \xe6\x96\x87\xe4\xbb\xb6.txt");
    EXPECT_EQ(PathOf(u"notes.txt"), "Desktop\\notes.txt");
    EXPECT_EQ(ShellItemsPath(EndOfList()), "Desktop");
    // The builder: 8.3 primary names, and a folder only where the path ends with "\".
    EXPECT_NE(IdListOfPath(u"C:\\report.docx").find("REPORT~1.DOC\0"s), std::string::npos);
    EXPECT_EQ(IdListOfPath(u"C:\\a")[47] + IdListOfPath(u"C:\\a\\")[47] * 256, 0x3132);  // the last entry's kind
    // Root folders and the folders of This PC by their GUIDs.
    EXPECT_EQ(ShellItemsPath(RootItem(Folder::MyComputer) + ThisPcFolderItem(GuidBytes("D3162B92-9365-467A-956B-92703ACA08AF")) +
                             FileEntryItem(u"Tax 2024", true) + EndOfList()),
              "This PC\\Documents\\Tax 2024");
    EXPECT_EQ(ShellItemsPath(RootItem(Folder::RecycleBin) + EndOfList()), "Recycle Bin");
    std::string users = RootItem(Folder::UsersFiles) + "\x26\0\x01\0\x26\0\xEF\xBE"s + std::string(30, '\x05');  // with a 0xBEEF0026 block
    users[0] = static_cast<char>(users.size());
    EXPECT_EQ(ShellItemsPath(users + EndOfList()), "%USERPROFILE%");
    EXPECT_EQ(ShellItemsPath(RootItem(GuidBytes("01234567-89AB-CDEF-0123-456789ABCDEF")) + EndOfList()),
              "{01234567-89AB-CDEF-0123-456789ABCDEF}");
}

TEST(ShellItems, DialogValuesShowTheirProgram) {
    const std::string folder = IdListOfPath(u"C:\\Users\\Ann\\");
    EXPECT_EQ(DialogMruText(DialogList::LastVisited, ProgramValue(u"notepad.exe", folder)), "notepad.exe: C:\\Users\\Ann");
    EXPECT_EQ(DialogMruText(DialogList::CidSize, ProgramValue(u"\u00e9dit.exe", std::string(40, '\x7F'))), "\xc3\xa9" "dit.exe");
    EXPECT_EQ(DialogMruText(DialogList::OpenSave, IdListOfPath(u"C:\\x.txt")), "C:\\x.txt");
    EXPECT_EQ(DialogMruText(DialogList::CidSize, "n\0o\0t\0"s), "(unreadable data, 6 bytes)");           // no NUL
    EXPECT_EQ(DialogMruText(DialogList::LastVisited, ProgramValue(u"a.exe", "\0"s)), "(unreadable data, 13 bytes)");
    EXPECT_EQ(DialogMruText(DialogList::LastVisited, ProgramValue(u"", folder)), "(unreadable data, " + std::to_string(folder.size() + 2) + " bytes)");
    EXPECT_EQ(DialogMruText(DialogList::OpenSave, "\0"s), "(unreadable data, 1 byte)");
}

// Where each version of the block keeps the long name; an 8.3 name stands in when it cannot be had.
TEST(ShellItems, LongNameWhereEachBlockVersionPutsIt) {
    const std::u16string name = u"Long name \u00fc.txt";
    const std::string want = "%USERPROFILE%\\Long name \xc3\xbc.txt";
    EXPECT_EQ(Under(EntryWithBlock(3, kDates + "\x14\0" "\0\0"s, name)), want);
    EXPECT_EQ(Under(EntryWithBlock(7, kDates + "\x26\0" "\0\0"s + kFileRef + kZero8 + "\0\0"s, name)), want);
    EXPECT_EQ(Under(EntryWithBlock(8, kDates + "\x2A\0" "\0\0"s + kFileRef + kZero8 + "\0\0"s + "\0\0\0\0"s, name)), want);
    EXPECT_EQ(Under(EntryWithBlock(9, kDates + "\x2E\0" "\0\0"s + kFileRef + kZero8 + "\0\0"s + std::string(8, '\0'), name)), want);
    // A version not seen yet, by the offset the block gives: two more words before the name.
    EXPECT_EQ(Under(EntryWithBlock(10, kDates + "\x32\0" "\0\0"s + kFileRef + kZero8 + std::string(14, '\0'), name)), want);
    EXPECT_EQ(Under(EntryWithBlock(10, kDates + "\x10\0"s + std::string(32, '\0'), name)), "%USERPROFILE%\\LONGNA~1.TXT");
    EXPECT_EQ(Under(EntryWithBlock(2, kDates + "\x14\0" "\0\0"s, name)), "%USERPROFILE%\\LONGNA~1.TXT");
    EXPECT_EQ(Under(Item(0x32, kEntryHead)), "%USERPROFILE%\\LONGNA~1.TXT");  // no block at all
    // A Unicode primary name (flag 0x04), and Latin-1 for bytes of an unknown code page.
    EXPECT_EQ(Under(Item(0x36, kEntryHead.substr(0, 11) + Utf16(u"\u0416.txt"))), "%USERPROFILE%\\\xd0\x96.txt");
    EXPECT_EQ(Under(Item(0x32, kEntryHead.substr(0, 11) + "\xC4.TXT\0"s)), "%USERPROFILE%\\\xc3\x84.TXT");
    // Something between the name and the block: found by the offset at the item's end.
    std::string odd = EntryWithBlock(9, kDates + "\x2E\0"s + std::string(28, '\0'), name);
    odd.insert(kEntryHead.size() + 3, "\x02\0"s);
    odd[0] = static_cast<char>(odd.size());
    odd[odd.size() - 2] = static_cast<char>(kEntryHead.size() + 5);
    EXPECT_EQ(Under(odd), want);
}

TEST(ShellItems, UnknownKindsAreNamedAndTheWalkGoesOn) {
    const std::string next = FileEntryItem(u"Ann", true);
    EXPECT_EQ(Under(Item(0x74, "\0\x1C\0CFSF"s) + next), "%USERPROFILE%\\[item 0x74]\\Ann");
    EXPECT_EQ(Under(Item(0x61, std::string(30, '\x01')) + next), "%USERPROFILE%\\[item 0x61]\\Ann");
    EXPECT_EQ(Under(Item(0x2E, "\0"s + std::string(16, '\0') + GuidBytes("5E591A74-DF96-48D3-8D67-1733BCEE28BA"))),
              "%USERPROFILE%\\[item 0x2E]");  // a delegate
    EXPECT_EQ(ShellItemsPath(Item(0x1F, "\0\x1C\0\xD5\xDF\xA3\x23"s + std::string(20, '\0')) + EndOfList()), "[item 0x1F]");
    EXPECT_EQ(ShellItemsPath(RootItem(Folder::ControlPanel) + Item(0x01, "\0\x84\x21\xDE\x39\x05\0\0\0"s) + EndOfList()),
              "Control Panel\\System and Security");
    EXPECT_EQ(Under(Item(0x00, "\0\x1A\0\xEE\xBB\xFE\x23\0\0\x10\0"s + GuidBytes("374DE290-123F-4565-9164-39C4925E467B") + "\0\0"s)),
              "%USERPROFILE%\\Downloads");  // a users property view naming a known folder
    EXPECT_EQ(ShellItemsPath(Item(0x32, "\0\0"s) + next + EndOfList()), "Desktop\\[item 0x32]\\Ann");  // too short to read
}

TEST(ShellItems, DamagedListsGiveWhatWasReadAndNeverReadPastTheirEnd) {
    const std::string list = IdListOfPath(u"C:\\Users\\Ann\\report.docx");
    EXPECT_EQ(ShellItemsPath(""), "[damaged]");
    EXPECT_EQ(ShellItemsPath("\x01\0"s), "[damaged]");
    EXPECT_EQ(ShellItemsPath("\x02\0\0\0"s), "[damaged]");
    const std::string two = IdListOfPath(u"C:\\Users\\");
    EXPECT_EQ(ShellItemsPath(two.substr(0, two.size() - 2) + "\xFF\0\x32" "abc"s), "C:\\Users\\[damaged]");
    EXPECT_EQ(ShellItemsPath(two.substr(0, two.size() - 2)), "C:\\Users\\[damaged]");  // no end
    EXPECT_EQ(ShellItemsPath(two + "junk"), "C:\\Users");                              // after the end: not read
    // Every cut of a list stops cleanly (AddressSanitizer checks the reads).
    for (size_t n = 0; n + 2 < list.size(); ++n) {
        const std::string path = ShellItemsPath(list.substr(0, n));
        EXPECT_EQ(path.substr(path.size() - 9), "[damaged]") << n;
    }
    // Blocks that lie about themselves: the 8.3 name is used instead.
    const std::string fields = kDates + "\x2E\0"s + std::string(28, '\0');
    std::string longer = EntryWithBlock(9, fields, u"Long.txt"), noNul = longer, farOffset = longer;
    longer[kEntryHead.size() + 3] = '\x7F';  // a block size past the item
    longer[longer.size() - 2] = '\x7F';
    noNul[noNul.size() - 4] = 'x';           // the name's NUL overwritten
    farOffset[kEntryHead.size() + 3] = '\x04';
    farOffset[farOffset.size() - 2] = '\xF0';  // the block's own offset outside the item
    for (const std::string& e : {longer, noNul, farOffset}) EXPECT_EQ(Under(e), "%USERPROFILE%\\LONGNA~1.TXT");
}

TEST(RecycledInfo, BothVersionsRead) {
    RecycledInfo a, b;
    ASSERT_TRUE(ParseRecycledInfo(RecycledInfoFile(1, 12345, 0x01D9ABCD12345678ull, u"C:\\Users\\\u00c4rger.txt"), a));
    EXPECT_EQ(std::tie(a.version, a.size, a.deletedAt, a.originalPath),
              std::make_tuple(1, 12345u, 0x01D9ABCD12345678ull, "C:\\Users\\\xc3\x84rger.txt"));
    ASSERT_TRUE(ParseRecycledInfo(RecycledInfoFile(2, 1ull << 40, 7, u"D:\\x" + std::u16string(1, char16_t(0xD800))), b));
    EXPECT_EQ(std::tie(b.version, b.size, b.deletedAt, b.originalPath), std::make_tuple(2, 1ull << 40, 7u, "D:\\x\xed\xa0\x80"));
    EXPECT_EQ(RecycledInfoFile(1, 0, 0, u"a").size(), 544u);
}

TEST(RecycledInfo, BytesThatAreNoInfoFileAreRefused) {
    const std::string v1 = RecycledInfoFile(1, 5, 6, u"C:\\a"), v2 = RecycledInfoFile(2, 5, 6, u"C:\\a");
    const auto withLength = [&](uint32_t n) {
        std::string s = v2;
        for (int i = 0; i < 4; ++i) s[24 + i] = static_cast<char>(n >> (8 * i));
        return s;
    };
    std::string v3 = v2, highVersion = v1, noNul = v1, lastNotNul = v2;
    v3[0] = 3;
    highVersion[4] = 1;
    for (size_t i = 24; i < 544; ++i) noNul[i] = 'a';
    lastNotNul[lastNotNul.size() - 2] = 'z';
    const std::string bad[] = {"", v1.substr(0, 23), v1.substr(0, 543), v2.substr(0, 27), v2.substr(0, v2.size() - 1),
                               v3, highVersion, noNul, lastNotNul, withLength(0), withLength(3), withLength(6), withLength(0xFFFFFFFF),
                               RecycledInfoFile(2, 5, 6, u""), RecycledInfoFile(1, 5, 6, u"")};
    for (const std::string& b : bad) {
        RecycledInfo info;
        info.version = 9;
        EXPECT_FALSE(ParseRecycledInfo(b, info)) << b.size();
        EXPECT_EQ(info.version, 0);
    }
}
