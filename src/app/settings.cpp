#include "app/settings.h"

#include "platform/registry.h"

bool CheckUpdate = false;

void ReadSettings() {
    RegKey key;
    if (!key.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey)) return;
    CheckUpdate = CheckUpdateFromText(key.ReadString("CheckUpdate"));
}

namespace {
const std::string kTicksKey = std::string(kSettingsKey) + "\\Ticks";
}

bool AskBeforeClean() {
    RegKey key;
    return !key.Open(HKEY_CURRENT_USER, kSettingsKey) || key.ReadString("AskBeforeClean") != "0";
}

void SetAskBeforeClean(bool ask) {
    RegKey key;
    if (key.OpenOrCreate(HKEY_CURRENT_USER, kSettingsKey)) key.WriteString("AskBeforeClean", ask ? "1" : "0");
}

std::map<std::string, bool> ReadKeptTicks() {
    std::map<std::string, bool> ticks;
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, kTicksKey)) return ticks;
    for (const std::string& name : key.ValueNames()) {
        const std::string v = key.ReadString(name);
        if (v == "1" || v == "0") ticks[name] = v == "1";  // anything else: the default
    }
    return ticks;
}

void WriteKeptTicks(const std::map<std::string, bool>& ticks) {
    RegKey key;
    if (!key.OpenOrCreate(HKEY_CURRENT_USER, kTicksKey)) return;
    for (const std::string& name : key.ValueNames())
        if (!ticks.count(name)) key.DeleteValue(name);
    for (const auto& [name, ticked] : ticks) {
        const std::string v = ticked ? "1" : "0";
        if (key.ReadString(name) != v) key.WriteString(name, v);
    }
}
