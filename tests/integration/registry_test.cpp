#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include <sddl.h>

#include "integration/fixtures.h"
#include "platform/registry.h"
#include "platform/wide.h"
#include "scan/scan_conventions.h"

namespace {
// Names in the order the registry itself enumerates them.
std::vector<std::string> ApiValueOrder(HKEY h) {
    std::vector<std::string> names;
    char buf[512];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof buf;
        if (RegEnumValueA(h, i, buf, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;  // ASCII names
        names.emplace_back(buf, len);
    }
    return names;
}
}  // namespace

TEST(Registry, NamesComeInTheRegistrysOwnOrder) {
    TestKey key("Order");
    for (const char* n : {"url1", "b", "url10", "a", "C", "url2", "MRUList"}) key.SetString(n, n);
    for (const char* n : {"zeta", "Alpha", "mid"}) key.AddSubkey(n);
    RegKey k;
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, key.path()));
    const auto values = k.ValueNames();
    EXPECT_EQ(values, ApiValueOrder(k.get()));
    EXPECT_EQ(values.size(), 7u);
    const auto subkeys = k.SubkeyNames();
    ASSERT_EQ(subkeys.size(), 3u);
    EXPECT_NE(std::find(subkeys.begin(), subkeys.end(), "Alpha"), subkeys.end());
    // Open never creates.
    RegKey missing;
    EXPECT_FALSE(missing.OpenForWrite(HKEY_CURRENT_USER, key.path() + "\\nope"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key.path() + "\\nope"));
    EXPECT_TRUE(missing.ValueNames().empty());
}

TEST(Registry, ValuesReadAsTextOnlyWhenTheyAreText) {
    TestKey key("Types");
    key.SetString("sz", "plain text");
    key.SetString("expand", "%SystemRoot%\\x", REG_EXPAND_SZ);
    key.SetDword("dword", 1);
    key.SetBinary("binary", std::string("\x01\x02\x03", 3));
    // Text is stored as UTF-16; these values hold it without a terminator,
    // with a NUL inside, and with a stray odd byte at the end.
    key.SetBinary("unterminated", std::string("a\0b\0c\0", 6), REG_SZ);
    key.SetBinary("inner nul", std::string("a\0b\0\0\0c\0d\0", 10), REG_SZ);
    key.SetBinary("odd length", std::string("a\0b\0c", 5), REG_SZ);
    key.SetString("long", std::string(5000, 'L'));
    key.SetString("", "default value");
    RegKey k;
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, key.path()));
    DWORD type = 0;
    EXPECT_EQ(k.ReadString("sz", &type), "plain text");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(k.ReadString("expand", &type), "%SystemRoot%\\x");  // as stored, not expanded
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(k.ReadString("dword", &type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(k.ReadString("binary"), "");
    EXPECT_EQ(k.ReadString("unterminated"), "abc");
    EXPECT_EQ(k.ReadString("inner nul"), "ab");
    EXPECT_EQ(k.ReadString("odd length"), "ab");
    EXPECT_EQ(k.ReadString("long").size(), 5000u);
    EXPECT_EQ(k.ReadString(""), "default value");
    EXPECT_EQ(k.ReadString("absent", &type), "");
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
    EXPECT_TRUE(k.ValueExists("binary"));
    EXPECT_FALSE(k.ValueExists("absent"));
    EXPECT_EQ(k.DataType("dword"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(k.DataType("absent"), static_cast<DWORD>(REG_NONE));
    // A buffer reused for a shorter value gives the shorter text.
    std::string buf;
    ASSERT_TRUE(k.ReadText("long", buf));
    ASSERT_TRUE(k.ReadText("sz", buf));
    EXPECT_EQ(buf, "plain text");
    // The one-call listing gives every value, in order, with the type and text
    // that reading each by its name gives; a name outside the code page too.
    key.SetString("Привет 报纸 😀", "текст 们");
    const std::vector<RegValue> all = k.Values();
    const std::vector<std::string> names = k.ValueNames();
    ASSERT_EQ(all.size(), names.size());
    EXPECT_EQ(all.size(), 10u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].name, names[i]);
        EXPECT_EQ(all[i].text, k.ReadString(names[i], &type)) << names[i];
        EXPECT_EQ(all[i].type, type) << names[i];
    }
}

TEST(Registry, WriteDeleteValueAndDeleteKeyTree) {
    TestKey key("Write");
    key.AddSubkey("child\\grandchild");
    RegKey k;
    ASSERT_TRUE(k.OpenForWrite(HKEY_CURRENT_USER, key.path()));
    ASSERT_TRUE(k.WriteString("v", "text"));
    EXPECT_EQ(k.ReadString("v"), "text");
    EXPECT_TRUE(k.DeleteValue("v"));
    EXPECT_FALSE(k.ValueExists("v"));
    EXPECT_FALSE(k.DeleteValue("v"));
    EXPECT_TRUE(RegDeleteKeyTree(HKEY_CURRENT_USER, key.path() + "\\child"));
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key.path() + "\\child"));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key.path()));
    EXPECT_FALSE(RegDeleteKeyTree(HKEY_CURRENT_USER, ""));  // never a root
}

TEST(KeyPaths, RootNamesAndSplitting) {
    EXPECT_EQ(GetRootKey("HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
    EXPECT_EQ(GetRootKey("HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(GetRootKey("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(GetRootKey("HKEY_USERS"), HKEY_USERS);
    EXPECT_EQ(GetRootKey("HKEY_CURRENT_CONFIG"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(GetRootKey("hkey_current_user"), nullptr);
    EXPECT_EQ(GetRootKey("HKCU"), nullptr);
    RegistryPath p = RegistryPath::Parse("HKEY_CURRENT_USER\\Software\\HKEY_CURRENT_USER\\x");
    EXPECT_EQ(p.rootName, "HKEY_CURRENT_USER");
    EXPECT_EQ(p.root, HKEY_CURRENT_USER);
    EXPECT_EQ(p.path, "Software\\HKEY_CURRENT_USER\\x");  // only the leading root name goes
    p = RegistryPath::Parse("NoBackslash");
    EXPECT_EQ(p.rootName, "");
    EXPECT_EQ(p.root, nullptr);
    EXPECT_EQ(RegistryPath::Parse("HKEY_NOWHERE\\x").root, nullptr);
    EXPECT_EQ(HkcuPath("Software\\A"), "HKEY_CURRENT_USER\\Software\\A");
}

TEST(KeyPaths, ReadRegStringOpensTheFullPathEachTime) {
    TestKey key("ReadReg");
    key.SetString("v", "value text");
    key.SetDword("n", 5);
    EXPECT_EQ(ReadRegString(key.full(), "v"), "value text");
    EXPECT_EQ(ReadRegString(key.full(), "n"), "");
    EXPECT_EQ(ReadRegString(key.full(), "missing"), "");
    EXPECT_EQ(ReadRegString("HKEY_NOWHERE\\" + key.path(), "v"), "");
    EXPECT_EQ(ReadRegString("HKEY_CURRENT_USER", "v"), "");  // no backslash: nothing
    key.SetString("v", "changed");
    EXPECT_EQ(ReadRegString(key.full(), "v"), "changed");
}

// A key the user may read but not change is listed all the same: scanning asks
// for reading only.
TEST(Registry, AKeyThatCanBeReadButNotChangedIsStillListed) {
    TestKey key("ReadOnly");
    key.SetString("a", "one");
    key.SetString("b", "two");
    auto setDacl = [&](const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr)) return false;
        HKEY h = nullptr;
        bool ok = RegOpenKeyExW(HKEY_CURRENT_USER, ToWide(key.path()).c_str(), 0, WRITE_DAC, &h) == ERROR_SUCCESS;
        ok = ok && RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
        if (h) RegCloseKey(h);
        LocalFree(sd);
        return ok;
    };
    ASSERT_TRUE(setDacl(L"D:(A;;KR;;;WD)(A;;WD;;;WD)"));  // everyone may read it, and change its permissions
    RegKey writable;
    const bool enforced = !writable.OpenForWrite(HKEY_CURRENT_USER, key.path());
    if (enforced) {
        EXPECT_EQ(writable.Error(), ERROR_ACCESS_DENIED);
    }
    ScanTree t;
    const ListScannerRow row{"Run History", "Clean RunMRU", "Microsoft Windows", key.path().c_str(),
                             ListScannerRow::Lists::Values, kKindRegValueText, NameField::ValueName,
                             true, TestData::ValueText};
    RunListScanner(row, t.Context(29));
    EXPECT_EQ(t.results.Count(), 2);
    ASSERT_TRUE(setDacl(L"D:(A;;KA;;;WD)"));
    if (!enforced) GTEST_SKIP() << "this registry does not enforce key permissions; the listing was checked only";
}
