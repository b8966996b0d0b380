#include <gtest/gtest.h>

#include <string>

#include "model/item_tree.h"
#include "model/scan_session.h"
#include "scan/community_rules.h"

namespace {

std::string Utf16LeWithMark(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

}  // namespace

TEST(CommunityRules, EveryKeyOfAnEntryIsRead) {
    const std::string text =

        "; comment\r\n"
        "[Example App *]\r\n"
        "LangSecRef=3021\r\n"
        "Detect=HKCU\\Software\\Example\r\n"
        "Detect2=HKEY_LOCAL_MACHINE\\Software\\Example\\\r\n"
        "DetectFile=%LocalAppData%\\Example\\app*.exe\r\n"
        "DetectOS=6.1|10.0\r\n"
        "SpecialDetect=DET_MOZILLA\r\n"
        "Default=True\r\n"
        "Warning=Removes sessions.\r\n"
        "FileKey1=%LocalAppData%\\Example\\Cache\\|*.tmp; cache-??.bin |RECURSE\r\n"
        "FileKey2=%AppData%/Example/Old|*|REMOVESELF\r\n"
        "RegKey1=HKCU\\Software\\Example\\Recent\r\n"
        "RegKey2=HKCU\\Software\\Example|Last Path\r\n"
        "ExcludeKey1=FILE|%LocalAppData%\\Example\\Cache\\|keep.tmp\r\n"
        "ExcludeKey2=PATH|%LocalAppData%\\Example\\Cache\\Saved\\\r\n"
        "ExcludeKey3=REG|HKCU\\Software\\Example\\Recent\\Pinned\r\n"
        "ExcludeKey4=REG|HKCU\\Software\\Example|Keep\r\n"
        "ExcludeKey5=FILE|%LocalAppData%\\Example\\whole.db\r\n";
    const CommunityRules rules = ParseCommunityRules(text);
    EXPECT_EQ(rules.ignoredLines, 0);
    ASSERT_EQ(rules.entries.size(), 1u);
    const CommunityRule& r = rules.entries[0];
    EXPECT_EQ(r.name, "Example App");
    EXPECT_EQ(r.cleanCaption, "Clean Example App");
    EXPECT_EQ(r.section, "Applications");
    EXPECT_EQ(r.warning, "Removes sessions.");
    EXPECT_EQ(r.detectKeys, (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Example",
                                                      "HKEY_LOCAL_MACHINE\\Software\\Example"}));
    EXPECT_EQ(r.detectFiles, (std::vector<std::string>{"%LocalAppData%\\Example\\app*.exe"}));
    EXPECT_TRUE(r.hasOsRange);
    EXPECT_EQ(r.osMin, 0x60001u);
    EXPECT_EQ(r.osMax, 0xA0000u);
    EXPECT_EQ(r.browser, RuleBrowser::Mozilla);
    ASSERT_EQ(r.fileKeys.size(), 2u);
    EXPECT_EQ(r.fileKeys[0].path, "%LocalAppData%\\Example\\Cache");
    EXPECT_EQ(r.fileKeys[0].patterns, (std::vector<std::string>{"*.tmp", "cache-??.bin"}));
    EXPECT_TRUE(r.fileKeys[0].recurse);
    EXPECT_FALSE(r.fileKeys[0].removeSelf);
    EXPECT_EQ(r.fileKeys[1].path, "%AppData%\\Example\\Old");
    EXPECT_TRUE(r.fileKeys[1].recurse && r.fileKeys[1].removeSelf);
    ASSERT_EQ(r.regKeys.size(), 2u);
    EXPECT_EQ(r.regKeys[0].key, "HKEY_CURRENT_USER\\Software\\Example\\Recent");
    EXPECT_FALSE(r.regKeys[0].hasValue);
    EXPECT_TRUE(r.regKeys[1].hasValue);
    EXPECT_EQ(r.regKeys[1].value, "Last Path");
    ASSERT_EQ(r.excludes.size(), 5u);
    EXPECT_EQ(r.excludes[0].kind, RuleExcludeKind::File);
    EXPECT_EQ(r.excludes[0].path, "%LocalAppData%\\Example\\Cache");
    EXPECT_EQ(r.excludes[1].kind, RuleExcludeKind::Path);
    EXPECT_EQ(r.excludes[1].patterns, (std::vector<std::string>{"*"}));
    EXPECT_EQ(r.excludes[2].kind, RuleExcludeKind::Reg);
    EXPECT_FALSE(r.excludes[2].hasValue);
    EXPECT_EQ(r.excludes[3].value, "Keep");
    EXPECT_EQ(r.excludes[4].path, "%LocalAppData%\\Example");  // a whole path splits into folder and name
    EXPECT_EQ(r.excludes[4].patterns, (std::vector<std::string>{"whole.db"}));

    // Read later, the cleaning keys come out the same.
    CommunityRules later = ParseCommunityRules(text, {}, true);
    ASSERT_EQ(later.entries.size(), 1u);
    CommunityRule& l = later.entries[0];
    EXPECT_TRUE(l.fileKeys.empty() && l.regKeys.empty() && l.excludes.empty());
    EXPECT_EQ(l.unread.size(), 9u);
    ReadRuleKeys(l);
    EXPECT_TRUE(l.unread.empty());
    ASSERT_EQ(l.fileKeys.size(), 2u);
    EXPECT_EQ(l.fileKeys[1].path, r.fileKeys[1].path);
    EXPECT_TRUE(l.fileKeys[1].removeSelf);
    EXPECT_EQ(l.fileKeys[0].patterns, r.fileKeys[0].patterns);
    ASSERT_EQ(l.regKeys.size(), 2u);
    EXPECT_EQ(l.regKeys[1].value, "Last Path");
    ASSERT_EQ(l.excludes.size(), 5u);
    EXPECT_EQ(l.excludes[4].path, r.excludes[4].path);
    EXPECT_EQ(l.excludes[3].value, "Keep");
}

TEST(CommunityRules, MalformedLinesAndSectionsAreSkippedAndCounted) {
    const CommunityRules rules = ParseCommunityRules(
        "orphan=before any section\n"                       // 1
        "[Good *]\n"
        "FileKey1=%AppData%\\Good|*.tmp\n"
        "FileKey2=no pipe here\n"                           // 2
        "FileKey3=%Nowhere%\\x|*.*\n"                       // 3: unknown variable
        "FileKey4=relative\\path|*.*\n"                     // 4
        "FileKey5=%AppData%\\x|*.*|SOMETIMES\n"             // 5: unknown flag
        "FileKey6=%AppData%\\..\\..\\Desktop|*.*\n"         // 6: climbs out of its folder
        "FileKey7=%AppData%\\x|sub\\*.*\n"                  // 7: a pattern with a path
        "RegKey1=HKXX\\Software\\x\n"                       // 8: unknown root
        "RegKey2=HKCU\n"                                    // 9: a root alone
        "Detect=\n"                                         // 10
        "DetectOS=six\n"                                    // 11
        "SpecialDetect=DET_NETSCAPE\n"                      // 12
        "LangSecRef=3041\n"                                 // 13: no such group
        "Colour=blue\n"                                     // 14: unknown key
        "FileKey01=%AppData%\\x|*.*\n"                      // 15: a number with a leading zero
        "Warning2=numbered\n"                               // 16: a key that takes no number
        "just words\n"                                      // 17
        "[Nothing To Remove *]\n"                           // 18, 19: no FileKey or RegKey
        "Detect=HKCU\\Software\\X\n"
        "[ *]\n"                                            // 20, 21: no name
        "FileKey1=%AppData%\\x|*.*\n"
        "[Unclosed *\n"                                     // 22, 23
        "FileKey1=%AppData%\\x|*.*\n"
        "[good *]\n"                                        // 24, 25: the name is taken, in any case
        "FileKey1=%AppData%\\y|*.*\n"
        "[Chrome History *]\n"                              // 26, 27: a built-in item's name
        "FileKey1=%AppData%\\y|*.*\n"
        "[Second *]\n"
        "FileKey1=%AppData%\\\xFF\xFE|*.*\n"                // 28: no UTF-8
        "FileKey2=%AppData%\\Second|*.log\n",
        {"Chrome History"});
    EXPECT_EQ(rules.ignoredLines, 28);
    ASSERT_EQ(rules.entries.size(), 2u);
    EXPECT_EQ(rules.entries[0].name, "Good");
    EXPECT_EQ(rules.entries[0].fileKeys.size(), 1u);
    EXPECT_EQ(rules.entries[0].section, "Other");
    EXPECT_EQ(rules.entries[1].name, "Second");
    EXPECT_EQ(rules.entries[1].fileKeys.size(), 1u);
}

TEST(CommunityRules, EncodingsAndNamesOutsideTheCodePage) {
    const std::string text = "[A *]\r\nFileKey1=%Temp%\\a|*.tmp\r\n";
    const CommunityRules plain = ParseCommunityRules(text);
    const CommunityRules marked = ParseCommunityRules("\xEF\xBB\xBF" + text);
    const CommunityRules wide = ParseCommunityRules(Utf16LeWithMark(text));
    for (const CommunityRules* r : {&plain, &marked, &wide}) {
        ASSERT_EQ(r->entries.size(), 1u);
        EXPECT_EQ(r->entries[0].name, "A");
        EXPECT_EQ(r->entries[0].fileKeys[0].path, "%Temp%\\a");
        EXPECT_EQ(r->ignoredLines, 0);
    }
    const CommunityRules named = ParseCommunityRules(
        "[Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC *]\nFileKey1=%AppData%\\\xD0\x9F\xD1\x80\xD0\xBE|*.\xC3\xA9t\xC3\xA9\n");
    ASSERT_EQ(named.entries.size(), 1u);
    EXPECT_EQ(named.entries[0].name, "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(named.entries[0].fileKeys[0].patterns[0], "*.\xC3\xA9t\xC3\xA9");
    // A lone surrogate in a UTF-16 file is no text: its line is skipped.
    std::string lone = Utf16LeWithMark("[B *]\nFileKey1=%Temp%\\");
    lone += std::string("\x00\xD8", 2) + std::string("|\0*\0\n\0", 6);
    EXPECT_EQ(ParseCommunityRules(lone).entries.size(), 0u);
}

TEST(CommunityRules, VariablesExpandToEveryFolderTheyStandFor) {
    const RuleVariables vars = {{"programfiles", {"C:\\Program Files", "C:\\Program Files (x86)"}},
                                {"systemdrive", {"C:"}},
                                {"username", {"ann"}},
                                {"appdata", {"C:\\Users\\ann\\AppData\\Roaming"}},
                                {"music", {}}};
    EXPECT_EQ(ExpandRuleVariables("%ProgramFiles%\\Vendor\\", vars),
              (std::vector<std::string>{"C:\\Program Files\\Vendor", "C:\\Program Files (x86)\\Vendor"}));
    EXPECT_EQ(ExpandRuleVariables("%SystemDrive%", vars), (std::vector<std::string>{"C:\\"}));
    EXPECT_EQ(ExpandRuleVariables("%systemdrive%\\\\Users\\%USERNAME%//x", vars),
              (std::vector<std::string>{"C:\\Users\\ann\\x"}));
    EXPECT_TRUE(ExpandRuleVariables("%Music%\\x", vars).empty());   // stands for nothing here
    EXPECT_TRUE(ExpandRuleVariables("%Unknown%\\x", vars).empty());
    EXPECT_EQ(ExpandRuleVariables("%AppData%\\A;%AppData%\\a", vars).size(), 1u);
    const RuleVariables same = {{"programfiles", {"C:\\Program Files", "c:\\program files"}}};
    EXPECT_EQ(ExpandRuleVariables("%ProgramFiles%", same).size(), 1u);

    EXPECT_TRUE(MatchesRulePattern("README", "*.*"));
    EXPECT_TRUE(MatchesRulePattern("Cache-01.BIN", "cache-??.bin"));
    EXPECT_FALSE(MatchesRulePattern("cache-001.bin", "cache-??.bin"));
    EXPECT_TRUE(IsRuleVariable("LocalLowAppData"));
    EXPECT_FALSE(IsRuleVariable("Path"));
}

TEST(CommunityRules, TickingAWarnedRuleAsksFirst) {
    CatalogItem quiet{.category = 0, .name = "Quiet", .cleanCaption = "Clean Quiet", .ticked = false,
                      .shown = ShownField::Detail4, .kind = 0};
    CatalogItem loud = quiet;
    loud.name = "Loud";
    loud.cleanCaption = "Clean Loud";
    loud.warning = "Removes sessions.";
    SetCommunityItems({quiet, loud});
    {
        ScanSession session;
        TreeModel tree;
        BuildItemTree(tree, session.Catalogs());
        const int category = kCatalogCategories[kRulesCategory].node;
        const int loudNode = category + 2;
        std::vector<const CatalogItem*> warned = WarnedItemsTickedBy(tree, loudNode);
        ASSERT_EQ(warned.size(), 1u);
        EXPECT_EQ(warned[0]->name, "Loud");
        EXPECT_EQ(TickWarningText(warned), "This item comes with a warning:\n\nLoud: Removes sessions.\n\nTick it anyway?");
        EXPECT_TRUE(WarnedItemsTickedBy(tree, category + 1).empty());
        // The category starts unticked, as its items: its click ticks them and the warned one asks;
        // once ticked, unticking asks nothing.
        EXPECT_EQ(WarnedItemsTickedBy(tree, category).size(), 1u);
        ClickTickBox(tree, category);
        EXPECT_TRUE(tree.IsTicked(category));
        EXPECT_EQ(WarnedItemsTickedBy(tree, category).size(), 0u);
        ClickTickBox(tree, category);  // unticks
        EXPECT_EQ(WarnedItemsTickedBy(tree, 0).size(), 1u);  // the root, partly ticked, ticks it too
        tree.SetTicked(loudNode, true);
        EXPECT_TRUE(WarnedItemsTickedBy(tree, loudNode).empty());
    }
    SetCommunityItems({});
}
