// The community's rule file, read from the tests' own winapp2.ini: which
// entries apply here, what each lists (every variable, pattern, RECURSE,
// REMOVESELF, ExcludeKey, registry keys and values), what a clean removes and
// keeps, and the places no rule may remove whatever it says.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "clean/clean_engine.h"
#include "integration/fixtures.h"
#include "model/result_items.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "scan/community_scanner.h"

namespace {

constexpr char kRulesKey[] = "Software\\OrmatekSorvandaRules";

std::string FixtureRules() {
    std::string path = std::string("Z:") + SORVANDA_FIXTURE_DIR + "/rules/winapp2.ini";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The fixture's rules for the scope; the rules category is empty again after it.
struct RulesLoaded {
    explicit RulesLoaded(const std::string& file = FixtureRules()) : load(LoadCommunityRules(file)) {}
    ~RulesLoaded() { LoadCommunityRules(""); }
    RulesLoad load;
};

std::string AppData() { return ShellFolder("AppData"); }
std::string Ours() { return AppData() + "\\OrmatekSorvandaRules"; }

std::string Put(const std::string& path, const std::string& content = "trace") {
    CreateFolders(path.substr(0, path.find_last_of('\\')));
    File f(path, File::Open::Create);
    EXPECT_TRUE(f && f.WriteAll(content)) << path;
    return path;
}

// The places the tests seed, removed before and after each test.
class CommunityRulesTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear() {
        DeleteTree(Ours());
        DeleteTree(ShellFolder("Local AppData") + "\\OrmatekSorvandaRules");
        RegDeleteKeyTree(HKEY_CURRENT_USER, kRulesKey);
        RegDeleteKeyTree(HKEY_LOCAL_MACHINE, kRulesKey);
    }
    static std::set<std::string> Locations(const TResultContents& results, int kind = -1) {
        std::set<std::string> out;
        for (int i = 0; i < results.Count(); ++i)
            if (kind < 0 || results.Item(i).Kind == kind) out.insert(AsciiLower(results.Item(i).Location));
        return out;
    }
    static TResultContentItem* At(TResultContents& results, const std::string& location, const std::string& value = "") {
        for (int i = 0; i < results.Count(); ++i) {
            TResultContentItem& r = results.Item(i);
            if (EqualsIgnoreCase(r.Location, location) && r.ValueName == value) return &r;
        }
        ADD_FAILURE() << "no record of " << location << " " << value;
        return nullptr;
    }
    static TResultContentItem* AtFile(TResultContents& results, const std::string& path) {
        return At(results, path, path.substr(path.find_last_of('\\') + 1));
    }
    static void Clean(TResultContents& results, const ScanSession& session) {
        CleanProgress progress;
        progress.exclusions = &session.ExcludeList;
        CleanEvidences(results, progress);
    }
};

}  // namespace

TEST_F(CommunityRulesTest, EntriesApplyAsTheirDetectionSaysAndShowUntickedByGroup) {
    Put(Ours() + "\\Marker\\here.mark");
    RegKey key;
    ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, kRulesKey));
    RegKey machine;
    ASSERT_TRUE(machine.OpenOrCreate(HKEY_LOCAL_MACHINE, kRulesKey));
    const bool chrome = DirectoryExists(ShellFolder("Local AppData") + "\\Google\\Chrome\\User Data");
    const bool thunderbird = DirectoryExists(AppData() + "\\Thunderbird");
    RulesLoaded rules;
    EXPECT_TRUE(rules.load.read);
    EXPECT_EQ(rules.load.entries, 12);
    EXPECT_EQ(rules.load.ignoredLines, 1);  // the Greedy entry's path that climbs out of its folder
    EXPECT_EQ(RulesNotice(rules.load), "winapp2.ini: 1 line ignored");

    std::vector<std::string> shown;
    for (const CatalogItem& item : CommunityItems()) {
        shown.push_back(std::string(item.group) + "/" + std::string(item.name));
        EXPECT_FALSE(item.ticked) << item.name;
        EXPECT_EQ(item.cleanCaption, "Clean " + std::string(item.name));
    }
    // Patterns and Remove Self detect folders this test does not make: they are not shown.
    std::vector<std::string> expected;
    if (chrome) expected.push_back("Sorvanda Tests/Sorvanda Chrome Helper");
    expected.insert(expected.end(), {"Sorvanda Tests/Sorvanda Detected By Wildcard", "Sorvanda Tests/Sorvanda Greedy",
                                     "Sorvanda Tests/Sorvanda Registry"});
    if (thunderbird) expected.push_back("Sorvanda Tests/Sorvanda Thunderbird Helper");
    expected.insert(expected.end(), {"Sorvanda Tests/Sorvanda Warned", "Sorvanda Tests/Sorvanda Windows 7 And Later",
                                     "Utilities/Sorvanda Every Variable"});
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(rules.load.shown, static_cast<int>(expected.size()));
    EXPECT_EQ(FindCatalogItemByName("Sorvanda Warned")->warning, "This removes the saved sessions too.");
    EXPECT_EQ(FindCatalogItemByName("Sorvanda Not Installed"), nullptr);
    EXPECT_EQ(FindCatalogItemByName("Sorvanda Windows XP Only"), nullptr);

    // A session made now has the category, unticked, after the built-in ones.
    ScanTree t;
    const int category = kCatalogCategories[kRulesCategory].node;
    ASSERT_TRUE(t.tree.Valid(category));
    EXPECT_EQ(t.tree.At(category).caption, "Community Rules");
    EXPECT_EQ(static_cast<int>(t.tree.Children(category).size()), rules.load.shown);
    EXPECT_EQ(t.tree.Data(category + 1)->Ticked, 0);
}

TEST_F(CommunityRulesTest, EveryVariableNamesItsFolder) {
    const std::string profile = EnvironmentVariable("USERPROFILE");
    std::vector<std::string> places = {
        AppData(),
        EnvironmentVariable("LOCALAPPDATA"),
        profile + "\\AppData\\LocalLow",
        profile,
        ShellFolder("Personal"),
        ShellFolder("My Music"),
        ShellFolder("My Pictures"),
        ShellFolder("My Video").empty() ? ShellFolder("My Videos") : ShellFolder("My Video"),
        EnvironmentVariable("ProgramFiles"),
        EnvironmentVariable("CommonProgramFiles"),
        EnvironmentVariable("ProgramData"),
        EnvironmentVariable("ProgramData") + "\\OrmatekSorvandaRules\\Common",
        EnvironmentVariable("PUBLIC"),
        EnvironmentVariable("SystemDrive"),
        EnvironmentVariable("WINDIR"),
        TempDirectory(),
        EnvironmentVariable("SystemDrive") + "\\users\\" + EnvironmentVariable("USERNAME") + "\\OrmatekSorvandaRules\\ByName",
    };
    // A variable that stands for both Program Files folders lists both.
    const std::string x86 = EnvironmentVariable("ProgramFiles(x86)");
    if (!x86.empty() && !EqualsIgnoreCase(x86, places[8])) places.push_back(x86);
    std::set<std::string> expected, made;
    for (std::string place : places) {
        ASSERT_FALSE(place.empty());
        while (place.back() == '\\') place.pop_back();
        const std::string folder = place.ends_with("Common") || place.ends_with("ByName") ? place : place + "\\OrmatekSorvandaRules";
        expected.insert(AsciiLower(Put(folder + "\\trace.tmp")));
        Put(folder + "\\stays.keep");
        made.insert(folder);
    }
    RulesLoaded rules;
    ScanTree t;
    TResultContents results = t.Scan("Sorvanda Every Variable");
    EXPECT_EQ(Locations(results), expected);
    EXPECT_EQ(t.Count(FindCatalogItemByName("Sorvanda Every Variable")->node), static_cast<int>(expected.size()));
    Clean(results, t.session);
    for (const std::string& folder : made) {
        EXPECT_FALSE(FileExists(folder + "\\trace.tmp")) << folder;
        EXPECT_TRUE(FileExists(folder + "\\stays.keep")) << folder;
    }
    for (const std::string& folder : made) DeleteTree(folder);
}

TEST_F(CommunityRulesTest, PatternsRecursionWildcardsAndTheRulesOwnExclusions) {
    const std::string p = Ours() + "\\Patterns", d = Ours() + "\\Deep";
    const std::set<std::string> goes = {
        Put(p + "\\a.log"), Put(p + "\\cache-01.bin"), Put(d + "\\x.dat"), Put(d + "\\Sub\\noextension"),
        Put(d + "\\Sub\\keep.txt"),  // the rule keeps keep.txt of Deep itself only
        Put(d + "\\\xC3\x9Cn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.dat"),
        Put(Ours() + "\\WildOne\\Cache\\1.dat"), Put(Ours() + "\\WildTwo\\Cache\\2.dat"),
    };
    const std::set<std::string> stays = {
        Put(p + "\\b.txt"), Put(p + "\\cache-001.bin"), Put(p + "\\Sub\\c.log"), Put(d + "\\keep.txt"),
        Put(d + "\\Saved\\s.db"), Put(d + "\\Saved\\Inner\\t.db"), Put(Ours() + "\\WildTwo\\Cache\\2.txt"),
        Put(Ours() + "\\Other\\Cache\\3.dat"),
    };
    const std::string readOnly = Put(d + "\\ro.dat"), held = Put(d + "\\held.dat");
    ASSERT_TRUE(SetPathAttributes(readOnly, FILE_ATTRIBUTE_READONLY));
    RulesLoaded rules;
    ScanTree t;
    TResultContents results = t.Scan("Sorvanda Patterns");
    std::set<std::string> expected;
    for (const std::string& path : goes) expected.insert(AsciiLower(path));
    expected.insert(AsciiLower(readOnly));
    expected.insert(AsciiLower(held));
    EXPECT_EQ(Locations(results), expected);
    TResultContentItem* r = AtFile(results, p + "\\a.log");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(ShownNameOf(kRulesCategory, *r), "a.log (" + p + ")");
    EXPECT_EQ(r->Size, 5);

    {
        File holder(held, File::Open::Exclusive);
        ASSERT_TRUE(holder);
        Clean(results, t.session);
    }
    for (const std::string& path : goes) EXPECT_FALSE(FileExists(path)) << path;
    for (const std::string& path : stays) EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_TRUE(FileExists(readOnly));
    EXPECT_TRUE(FileExists(held));
    EXPECT_EQ(AtFile(results, held)->Reason, StayReason::InUse);
    EXPECT_FALSE(AtFile(results, readOnly)->Deleted);
    EXPECT_NE(AtFile(results, readOnly)->Reason, StayReason::None);
    SetPathAttributes(readOnly, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(CommunityRulesTest, RemoveSelfTakesAFolderOnlyOnceEmptyAndNeverFollowsALink) {
    const std::string gone = Ours() + "\\Gone", kept = Ours() + "\\Kept";
    Put(gone + "\\a.tmp");
    Put(gone + "\\Sub\\b.bin");
    CreateFolders(gone + "\\Sub\\Empty");
    Put(kept + "\\a.tmp");
    const std::string unticked = Put(kept + "\\unticked.tmp");
    const std::string settings = Put(kept + "\\Sub\\settings.ini", "the user's");
    const std::string links = EnvironmentVariable("SystemDrive") + "\\SorvandaLinkTest";
    ASSERT_TRUE(FileExists(links + "\\rules\\Cache\\own.tmp")) << "the link fixture runs first";
    const std::string outside = Slurp(links + "\\outside\\keep.txt");

    RulesLoaded rules;
    ScanTree t;
    TResultContents results = t.Scan("Sorvanda Remove Self");
    // Files first, then the folders that go once emptied, in the order of their keys.
    std::vector<std::string> folders;
    for (int i = 0; i < results.Count(); ++i) {
        const TResultContentItem& r = results.Item(i);
        if (r.Kind == kKindRuleFolder) folders.push_back(r.Location);
        else EXPECT_TRUE(folders.empty()) << r.Location << " after a folder";
        EXPECT_EQ(AsciiLower(r.Location).find("\\outside"), std::string::npos) << r.Location;
        EXPECT_EQ(AsciiLower(r.Location).find("\\linked\\"), std::string::npos) << r.Location;
    }
    EXPECT_EQ(folders, (std::vector<std::string>{gone, kept, links + "\\rules"}));
    EXPECT_EQ(Locations(results).count(AsciiLower(settings)), 0u);  // the rule keeps it
    AtFile(results, unticked)->Checked = 0;

    Clean(results, t.session);
    EXPECT_FALSE(DirectoryExists(gone));
    EXPECT_TRUE(At(results, gone, "Gone")->Deleted);
    EXPECT_TRUE(FileExists(settings));
    EXPECT_TRUE(FileExists(unticked));
    EXPECT_FALSE(FileExists(kept + "\\a.tmp"));
    EXPECT_EQ(At(results, kept, "Kept")->Reason, StayReason::HoldsKeptTraces);
    // The link's folder and file outside are untouched; the folder that holds the links stays.
    EXPECT_FALSE(FileExists(links + "\\rules\\Cache\\own.tmp"));
    EXPECT_EQ(Slurp(links + "\\outside\\keep.txt"), outside);
    EXPECT_TRUE(FileExists(links + "\\outside\\walked.txt"));
    EXPECT_TRUE(DirectoryExists(links + "\\rules"));
    EXPECT_TRUE(StaysByDesign(At(results, links + "\\rules", "rules")->Reason));
}

TEST_F(CommunityRulesTest, RegistryKeysAndValuesGoAsTheRuleSaysAndWhatItExcludesStays) {
    const std::string top = std::string(kRulesKey);
    RegKey k;
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, top + "\\Recent\\Deeper"));
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, top + "\\Recent"));
    k.WriteString("File1", "C:\\one.txt");
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, top));
    k.WriteString("LastPath", "C:\\last");
    k.WriteString("Other", "stays");
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, top + "\\Mixed"));
    k.WriteString("Setting", "the user's");
    k.WriteString("Junk1", "trace");
    k.WriteString("Junk2", "trace");
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, top + "\\Mixed\\Keep"));
    k.WriteString("Saved", "kept");
    ASSERT_TRUE(k.OpenOrCreate(HKEY_CURRENT_USER, top + "\\Mixed\\Drop"));
    k.WriteString("x", "trace");
    ASSERT_TRUE(k.OpenOrCreate(HKEY_LOCAL_MACHINE, top + "\\Machine"));
    k.WriteString("m", "trace");
    k.Close();

    RulesLoaded rules;
    ScanTree t;
    const std::string hkcu = "HKEY_CURRENT_USER\\" + top;
    TResultContents results = t.Scan("Sorvanda Registry");
    std::set<std::string> shown;
    for (int i = 0; i < results.Count(); ++i) shown.insert(ShownNameOf(kRulesCategory, results.Item(i)));
    EXPECT_EQ(shown, (std::set<std::string>{"Recent (" + hkcu + ")", "LastPath (" + hkcu + ")",
                                            "Junk1 (" + hkcu + "\\Mixed)", "Junk2 (" + hkcu + "\\Mixed)",
                                            "Drop (" + hkcu + "\\Mixed)", "Machine (HKEY_LOCAL_MACHINE\\" + top + ")"}));

    // Excluded for good by the user: the value is not listed again.
    const TExcludeContentItem entry = ExclusionEntryOf(*At(results, hkcu + "\\Mixed", "Junk2"));
    t.Exclude(entry.ItemName, entry.Location, entry.EntryName, entry.EntryData);
    results = t.Scan("Sorvanda Registry");
    EXPECT_EQ(results.Count(), 5);
    Clean(results, t.session);
    for (int i = 0; i < results.Count(); ++i)
        EXPECT_TRUE(results.Item(i).Deleted) << ShownNameOf(kRulesCategory, results.Item(i));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, top + "\\Recent"));
    EXPECT_EQ(ValuesOf(top), (std::set<std::string>{"Other"}));
    EXPECT_EQ(ValuesOf(top + "\\Mixed"), (std::set<std::string>{"Setting", "Junk2"}));
    EXPECT_EQ(SubkeysOf(top + "\\Mixed"), (std::set<std::string>{"Keep"}));
    EXPECT_EQ(ValuesOf(top + "\\Mixed\\Keep"), (std::set<std::string>{"Saved"}));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, top + "\\Machine"));
}

TEST_F(CommunityRulesTest, ProtectedPlacesAreRefusedWhateverTheRuleSays) {
    const std::string profile = EnvironmentVariable("USERPROFILE");
    const std::string inProfile = Put(profile + "\\sorvanda-greedy.txt", "mine");
    RulesLoaded rules;
    ScanTree t;
    TResultContents results = t.Scan("Sorvanda Greedy");
    std::set<std::string> refused;
    for (int i = 0; i < results.Count(); ++i) {
        TResultContentItem& r = results.Item(i);
        // Anything else would be a protected place's own file: never cleaned, not even here.
        ASSERT_EQ(r.Kind, kKindRefused) << r.Location;
        EXPECT_EQ(r.Checked, 0) << r.Location;
        EXPECT_EQ(r.Reason, StayReason::Protected);
        EXPECT_NE(ShownNameOf(kRulesCategory, r).find("refused"), std::string::npos);
        refused.insert(AsciiLower(r.Location));
        r.Checked = 1;  // ticked by hand: still never removed
    }
    const std::string drive = EnvironmentVariable("SystemDrive");
    for (const std::string& place : {profile, EnvironmentVariable("WINDIR"), drive + "\\", drive + "\\users",
                                     EnvironmentVariable("ProgramFiles"), AppData(), SystemDirectory(),
                                     std::string("HKEY_CURRENT_USER\\Software"),
                                     std::string("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows")})
        EXPECT_EQ(refused.count(AsciiLower(place)), 1u) << place;
    Clean(results, t.session);
    for (int i = 0; i < results.Count(); ++i) {
        EXPECT_FALSE(results.Item(i).Deleted);
        EXPECT_EQ(results.Item(i).Reason, StayReason::Protected);
    }
    EXPECT_EQ(Slurp(inProfile), "mine");
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Wine"));
    DeletePath(inProfile);
}

TEST_F(CommunityRulesTest, UserExclusionsHoldForFilesAndFolders) {
    const std::string kept = Put(Ours() + "\\Gone\\mine.tmp"), other = Put(Ours() + "\\Gone\\other.tmp");
    RulesLoaded rules;
    ScanTree t;
    TResultContents results = t.Scan("Sorvanda Remove Self");
    const TExcludeContentItem entry = ExclusionEntryOf(*AtFile(results, kept));
    t.Exclude(entry.ItemName, entry.Location, entry.EntryName, entry.EntryData);
    results = t.Scan("Sorvanda Remove Self");
    EXPECT_EQ(Locations(results).count(AsciiLower(kept)), 0u);
    EXPECT_EQ(Locations(results).count(AsciiLower(other)), 1u);
    for (int i = 0; i < results.Count(); ++i)
        if (results.Item(i).Location.find("SorvandaLinkTest") != std::string::npos) results.Item(i).Checked = 0;
    Clean(results, t.session);
    EXPECT_TRUE(FileExists(kept));
    EXPECT_FALSE(FileExists(other));
    EXPECT_EQ(At(results, Ours() + "\\Gone", "Gone")->Reason, StayReason::HoldsKeptTraces);
}

TEST_F(CommunityRulesTest, TheCommandLineListsScansAndCleansRulesAndSaysWhatItIgnored) {
    TempFolder beside("cli-rules");
    const std::string cli = beside.path() + "\\sorvanda-cli.exe";
    ASSERT_TRUE(ReplaceFileContents(cli, Slurp(ExeDirectory() + "sorvanda-cli.exe")));
    ASSERT_TRUE(ReplaceFileContents(beside.path() + "\\winapp2.ini", Slurp(FixtureRules())));
    const std::string log = Put(Ours() + "\\Patterns\\a.log"), txt = Put(Ours() + "\\Patterns\\b.txt");

    const CliRun list = RunCli("list", cli);
    EXPECT_EQ(list.exitCode, 0u);
    EXPECT_NE(list.out.find("winapp2.ini: 1 line ignored"), std::string::npos);
    EXPECT_NE(list.out.find("Community Rules     "), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("Sorvanda Patterns"), std::string::npos);
    EXPECT_EQ(list.out.find("Sorvanda Not Installed"), std::string::npos);

    const CliRun clean = RunCli("clean --only \"Community Rules/Sorvanda Patterns\" --verify", cli);
    EXPECT_EQ(clean.exitCode, 0u) << clean.out;
    EXPECT_NE(clean.out.find("a.log (" + Ours() + "\\Patterns)\t5\tremoved"), std::string::npos) << clean.out;
    EXPECT_NE(clean.out.find("Nothing is left that a clean could remove."), std::string::npos);
    EXPECT_FALSE(FileExists(log));
    EXPECT_TRUE(FileExists(txt));

    const CliRun warned = RunCli("scan --only \"Community Rules/Sorvanda Greedy\"", cli);
    EXPECT_NE(warned.out.find("Community Rules/Sorvanda Greedy: Takes far too much."), std::string::npos);
    EXPECT_NE(warned.out.find("(refused: a protected place)"), std::string::npos);
    // Without the file there is no such category, and no notice.
    const CliRun plain = RunCli("list");
    EXPECT_EQ(plain.out.find("Community Rules"), std::string::npos);
    EXPECT_EQ(plain.out.find("winapp2.ini"), std::string::npos);
}
