// The program's title and its settings under HKEY_CURRENT_USER.
#pragma once

#include <map>
#include <string>

inline constexpr char kAppTitle[] = "Ormatek Sorvanda";
inline constexpr char kSettingsKey[] = "Software\\Ormatek Sorvanda";

// Whether start-up asks the update endpoint for a newer version.
extern bool CheckUpdate;

// "CheckUpdate" counts as on only for exactly "1".
inline bool CheckUpdateFromText(const std::string& text) { return text == "1"; }

// Opens (creating when absent) the settings key and sets CheckUpdate.
void ReadSettings();

// Whether Clean asks before it removes anything: "AskBeforeClean" is anything but "0".
bool AskBeforeClean();
void SetAskBeforeClean(bool ask);

// The user's own ticks of the catalog's items, under the settings key's
// "Ticks": a value per item whose tick differs from its default, its name
// and "1" or "0". Written whole: an item back at its default loses its value.
std::map<std::string, bool> ReadKeptTicks();
void WriteKeptTicks(const std::map<std::string, bool>& ticks);
