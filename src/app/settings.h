// The program's title and its settings under HKEY_CURRENT_USER.
#pragma once

#include <string>

inline constexpr char kAppTitle[] = "Ormatek Sorvanda";
inline constexpr char kSettingsKey[] = "Software\\Ormatek Sorvanda";

// Whether start-up asks the update endpoint for a newer version.
extern bool CheckUpdate;

// "CheckUpdate" counts as on only for exactly "1".
inline bool CheckUpdateFromText(const std::string& text) { return text == "1"; }

// Opens (creating when absent) the settings key and sets CheckUpdate.
void ReadSettings();
