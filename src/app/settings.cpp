#include "app/settings.h"

#include "platform/registry.h"

bool CheckUpdate = false;

void ReadSettings() {
    RegKey key;
    if (!key.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey)) return;
    CheckUpdate = CheckUpdateFromText(key.ReadString("CheckUpdate"));
}
