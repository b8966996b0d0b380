#include <gtest/gtest.h>

#include <windows.h>

#include "app/settings.h"
#include "platform/registry.h"

namespace {

void DeleteSettingsKey() { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }

void WriteCheckUpdate(const std::string& text) {
    RegKey key;
    ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey));
    ASSERT_TRUE(key.WriteString("CheckUpdate", text));
}

bool ReadCheckUpdate() {
    CheckUpdate = false;
    ReadSettings();
    return CheckUpdate;
}

}  // namespace

TEST(Settings, FirstStartCreatesTheKeyAndDoesNotCheck) {
    DeleteSettingsKey();
    ASSERT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kSettingsKey));
    EXPECT_FALSE(ReadCheckUpdate());
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kSettingsKey));
    RegKey key;
    ASSERT_TRUE(key.OpenForWrite(HKEY_CURRENT_USER, kSettingsKey));
    EXPECT_TRUE(key.ValueNames().empty());  // created empty
}

TEST(Settings, CheckUpdateIsOnOnlyForExactlyOne) {
    WriteCheckUpdate("1");
    EXPECT_TRUE(ReadCheckUpdate());
    for (const char* other : {"0", "true", "yes", " 1", "1 ", "01", "", "11"}) {
        WriteCheckUpdate(other);
        EXPECT_FALSE(ReadCheckUpdate()) << '"' << other << '"';
    }
    // A number stored as a DWORD is not the text "1".
    RegKey key;
    ASSERT_TRUE(key.OpenForWrite(HKEY_CURRENT_USER, kSettingsKey));
    const DWORD one = 1;
    ASSERT_EQ(RegSetValueExA(key.get(), "CheckUpdate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one),
              ERROR_SUCCESS);
    EXPECT_FALSE(ReadCheckUpdate());
    DeleteSettingsKey();
}
