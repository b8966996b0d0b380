#include <gtest/gtest.h>

#include <windows.h>

#include "integration/fixtures.h"
#include "support/entry_hook.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "scan/scan_conventions.h"

namespace {

using Row = ListScannerRow;
constexpr int kNode = 29;  // Run History's node; any item node will do

Row ValuesRow(const TestKey& key) {
    return {"Run History", "Clean RunMRU", "Microsoft Windows", nullptr, Row::Lists::Values, 2,
            NameField::ValueName, true, TestData::ValueText};
}

}  // namespace

TEST(ListScanner, RecordsEveryValueAndCountsPositions) {
    TestKey key("List");
    key.SetString("a", "c:\\one.txt");
    key.SetString("b", "c:\\two.txt");
    key.SetString("c", "c:\\three.txt");
    ScanTree t;
    Row row = ValuesRow(key);
    row.keyPath = key.path().c_str();
    // The middle value is excluded: two records, but the count is the position of the last.
    t.Exclude("Run History", key.full(), "whatever", "  c:\\two.txt ");
    RunListScanner(row, t.Context(kNode));
    ASSERT_EQ(t.results.Count(), 2);
    const TResultContentItem& r = t.results.Item(1);
    EXPECT_EQ(r.Checked, 1);
    EXPECT_EQ(r.Kind, 2);
    EXPECT_EQ(r.SourceType, "Reg");
    EXPECT_EQ(r.Group, "Microsoft Windows");
    EXPECT_EQ(r.CleanName, "Clean RunMRU");
    EXPECT_EQ(r.ItemName, "Run History");
    EXPECT_EQ(r.ValueName, "c");
    EXPECT_EQ(r.ValueData, "c:\\three.txt");
    EXPECT_EQ(r.Location, key.full());
    EXPECT_EQ(r.Size, 0);
    EXPECT_EQ(t.results.Item(0).ValueName, "a");
    EXPECT_EQ(t.Count(kNode), 3);
    EXPECT_EQ(t.Count(28), 3);  // category
    EXPECT_EQ(t.Count(0), 3);   // root
    // A running count would say 2.
    t.results.Clear();
    row.count = Counting::Running;
    RunListScanner(row, t.Context(kNode));
    EXPECT_EQ(t.Count(kNode), 2);
}

TEST(ListScanner, MissingOrEmptyKeysFindNothing) {
    ScanTree t;
    TestKey key("Empty");
    Row row = ValuesRow(key);
    row.keyPath = key.path().c_str();
    RunListScanner(row, t.Context(kNode));
    const std::string missing = key.path() + "\\missing";
    row.keyPath = missing.c_str();
    RunListScanner(row, t.Context(kNode));
    EXPECT_EQ(t.results.Count(), 0);
    EXPECT_EQ(t.Count(kNode), 0);
}

TEST(ListScanner, ValuesThatAreNotTextReadAsEmptyAndTheScanGoesOn) {
    TestKey key("NotText");
    key.SetBinary("bin", "\x01\x02");
    key.SetDword("num", 7);
    key.SetString("text", "kept");
    key.SetString("exp", "%TEMP%\\x", REG_EXPAND_SZ);
    ScanTree t;
    Row row = ValuesRow(key);
    row.keyPath = key.path().c_str();
    RunListScanner(row, t.Context(kNode));
    ASSERT_EQ(t.results.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        const TResultContentItem& r = t.results.Item(i);
        if (r.ValueName == "text") EXPECT_EQ(r.ValueData, "kept");
        else if (r.ValueName == "exp") EXPECT_EQ(r.ValueData, "%TEMP%\\x");
        else EXPECT_EQ(r.ValueData, "") << r.ValueName;
    }
    // Only plain text: the binary, number and expandable values are skipped and not counted.
    t.results.Clear();
    row.plainTextOnly = true;
    row.count = Counting::Running;
    RunListScanner(row, t.Context(kNode));
    ASSERT_EQ(t.results.Count(), 1);
    EXPECT_EQ(t.results.Item(0).ValueName, "text");
    EXPECT_EQ(t.Count(kNode), 1);
}

TEST(ListScanner, SubkeysNamesAndTheirOwnPaths) {
    TestKey key("Subkeys");
    key.AddSubkey("host1");
    key.AddSubkey("host2");
    ScanTree t;
    Row row{"Telnet Menu History", "Clean Telnet Menu History", "Microsoft Windows", key.path().c_str(),
            Row::Lists::Subkeys, 3, NameField::KeyName, false, TestData::Empty};
    RunListScanner(row, t.Context(32));
    ASSERT_EQ(t.results.Count(), 2);
    EXPECT_EQ(t.results.Item(0).KeyName, "host1");
    EXPECT_EQ(t.results.Item(0).ValueName, "");
    EXPECT_EQ(t.results.Item(0).Location, key.full());
    // An entry for the key with empty data drops every subkey.
    t.Exclude("Telnet Menu History", key.full(), "", "");
    t.results.Clear();
    RunListScanner(row, t.Context(32));
    EXPECT_EQ(t.results.Count(), 0);
    // Each subkey as its own location: the exclusion of the parent no longer applies.
    row.locationPerSubkey = true;
    RunListScanner(row, t.Context(32));
    ASSERT_EQ(t.results.Count(), 2);
    EXPECT_EQ(t.results.Item(1).Location, key.full() + "\\host2");
    t.Exclude("Telnet Menu History", key.full() + "\\host1", "", "");
    t.results.Clear();
    RunListScanner(row, t.Context(32));
    ASSERT_EQ(t.results.Count(), 1);
    EXPECT_EQ(t.results.Item(0).KeyName, "host2");
    EXPECT_EQ(t.Count(32), 2);  // position of host2
}

TEST(ListScanner, TestingByTheValueName) {
    TestKey key("ByName");
    key.SetString("notepad.exe", "data is never matched");
    key.SetString("calc.exe", "x");
    ScanTree t;
    Row row{"Windows Explorer Open With History", "Clean Windows Explorer Open With History", "Microsoft Windows",
            key.path().c_str(), Row::Lists::Values, 3, NameField::KeyName, false, TestData::ListedName};
    t.Exclude("Windows Explorer Open With History", key.full(), "", "notepad.exe");
    RunListScanner(row, t.Context(35));
    ASSERT_EQ(t.results.Count(), 1);
    EXPECT_EQ(t.results.Item(0).KeyName, "calc.exe");
    EXPECT_EQ(t.results.Item(0).ValueData, "");  // data not kept
}

TEST(ListScanner, AbortSeenAtTheNextEntryKeepsWhatWasFound) {
    TestKey key("Long");
    constexpr int kValues = 3000;
    {
        RegKey k;
        ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, key.path()));
        for (int i = 0; i < kValues; ++i) k.WriteString("v" + std::to_string(i), "data" + std::to_string(i));
    }
    ScanTree t;
    Row row = ValuesRow(key);
    row.keyPath = key.path().c_str();

    // Pressed once a few records are in: what was found stays, in order.
    t.session.ScanState = kScanRunning;
    {
        AbortAtEntry abort(t.session, 0, [&] { return t.results.Count() >= 3; });
        RunListScanner(row, t.Context(kNode));
        EXPECT_GT(abort.seenAt, 0);
        EXPECT_EQ(abort.afterSeen, 1);  // the loop asks once more and stops
    }
    EXPECT_EQ(t.session.ScanState, kScanAbort);
    ASSERT_GE(t.results.Count(), 3);
    EXPECT_LT(t.results.Count(), kValues);
    std::vector<std::string> order;
    {
        RegKey k;
        ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, key.path()));
        order = k.ValueNames();
    }
    for (int i = 0; i < t.results.Count(); ++i) EXPECT_EQ(t.results.Item(i).ValueName, order[i]);
    EXPECT_EQ(t.Count(kNode), t.results.Count());  // the position of the last record

    // Pressed while the names are still being read: seen there, and nothing is listed.
    t.session.ScanState = kScanRunning;
    t.results.Clear();
    {
        AbortAtEntry abort(t.session, 1);
        RunListScanner(row, t.Context(kNode));
        EXPECT_GT(abort.seenAt, 0);
    }
    EXPECT_EQ(t.session.ScanState, kScanAbort);
    EXPECT_EQ(t.results.Count(), 0);

    // Already aborted: nothing at all.
    t.results.Clear();
    RunListScanner(row, t.Context(kNode));
    EXPECT_EQ(t.results.Count(), 0);
}

TEST(ValueNameLists, SharedCounterAndNoExcludeVariant) {
    TestKey k1("Multi1"), k2("Multi2");
    k1.SetString("a", "one");
    k1.SetString("b", "two");
    k2.SetString("c", "three");
    ScanTree t;
    const RecordStamp stamp{"Microsoft Windows", "Clean Microsoft Office", "Microsoft Office"};
    const int office = 17;
    int counter = 0;
    t.Exclude("Microsoft Office", k1.full(), "", "two");
    for (const TestKey* k : {&k1, &k2}) {
        RegKey key;
        ASSERT_TRUE(key.OpenForWrite(HKEY_CURRENT_USER, k->path()));
        ScanValueList(t.Context(office), stamp, counter, 2, k->full(), key.Values());
    }
    ASSERT_EQ(t.results.Count(), 2);
    EXPECT_EQ(t.results.Item(0).ValueData, "one");
    EXPECT_EQ(t.results.Item(1).ValueName, "c");
    EXPECT_EQ(t.results.Item(1).Location, k2.full());
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(t.Count(office), 2);
    // Without the test every value is recorded and each adds one to the count.
    const RecordStamp getRight{"Internet SoftWare", "Clean GetRight MRU Info", "GetRight"};
    for (const TestKey* k : {&k1, &k2}) {
        RegKey key;
        ASSERT_TRUE(key.OpenForWrite(HKEY_CURRENT_USER, k->path()));
        ScanValueNamesNoExclude(t.Context(46), getRight, 2, k->full(), key.ValueNames());
    }
    EXPECT_EQ(t.results.Count(), 5);
    EXPECT_EQ(t.Count(46), 3);
    EXPECT_EQ(t.Count(44), 3);
    EXPECT_EQ(t.Count(0), 5);
    // A name whose value vanished before it was read is still recorded, with empty data.
    TResultContents more;
    ScanValueNamesNoExclude(t.Context(46, more), getRight, 2, k1.full(), {"gone"});
    ASSERT_EQ(more.Count(), 1);
    EXPECT_EQ(more.Item(0).ValueData, "");
}
