// The community's rule file (winapp2.ini) on this machine: read once, the
// entries whose detection holds here become the items of the rules category,
// and the scanner of such an item lists every file, folder, key and value its
// rule names, but what the rule excludes, what the user excluded, and what no
// rule may ever remove (those as a row saying so).
#pragma once

#include <string>
#include <vector>

#include "scan/community_rules.h"

// The rule file the program reads: "winapp2.ini" beside its executable.
std::string CommunityRulesFile();

struct RulesLoad {
    bool read = false;     // the file was there and could be read
    int entries = 0;       // entries the file holds that could be used
    int shown = 0;         // of them, the ones whose detection holds here: the rules category's items
    int ignoredLines = 0;  // lines skipped as malformed, counted once
};

// Reads and parses the rule file once and makes the entries that apply here
// the rules category's items, in order of their group, then name (none when
// there is no file). The items of an earlier load go: their records must be gone.
RulesLoad LoadCommunityRules(const std::string& file);

// "winapp2.ini: 3 lines ignored"; empty when none were.
std::string RulesNotice(const RulesLoad& load);

// What the variables stand for on this machine, and the places no rule may
// remove or walk whole: every drive's root, the Windows and system folders,
// Program Files and its Common Files, ProgramData, the user's profile folder
// and its Documents, Desktop, Pictures, Music, Videos, Downloads and
// application data folders, the Public folder. Nor may a rule remove a
// registry hive's top keys or the keys of Windows' own settings.
RuleVariables CurrentRuleVariables();
std::vector<std::string> ProtectedPlaces(const RuleVariables& variables);
