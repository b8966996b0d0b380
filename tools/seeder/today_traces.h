// Traces of today's Windows and everyday programs as they write them: the
// recycle bin's records, the Open/Save dialogs' shell item lists, old
// temporary files, the clipboard, Remote Desktop's computers, PowerShell's
// history, Office's lists per account, Acrobat's numbered keys, 7-Zip's
// NUL-separated lists, WinRAR's dialog lists, and the settings files of VLC,
// Notepad++ and VS Code (with what a clean must leave in them).
#pragma once

#include <vector>

#include "tools/seeder/browser_profiles.h"

// One entry per catalog item, in catalog order (the same shape as the browsers').
const std::vector<BrowserSeedItem>& TodaySeedItems();

// The folder of the current user's recycle bin on drive C:.
std::string SeededRecycleBin();
