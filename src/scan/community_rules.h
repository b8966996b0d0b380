// The community's cleaning rules, as a winapp2.ini file writes them: one
// section an entry, with keys that say when the entry applies (a registry key
// or a file exists, the Windows version) and what it removes (files by folder
// and pattern, registry keys and values), and what it never touches. Parsed
// once, as text; the scanner resolves the variables and asks the system.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// FileKeyN=path|pattern[;pattern...][|RECURSE|REMOVESELF]
struct RuleFileKey {
    std::string path;                   // with its variables, no trailing backslash
    std::vector<std::string> patterns;  // file names with * and ?
    bool recurse = false;               // the subfolders' files too
    bool removeSelf = false;            // recursive; emptied folders go, the folder itself last
};

// RegKeyN=key[|value]: a whole key, or one value of it.
struct RuleRegKey {
    std::string key;  // the root spelled out ("HKEY_CURRENT_USER\Software\...")
    std::string value;
    bool hasValue = false;
};

// ExcludeKeyN=FILE|folder\|names, PATH|folder\[|patterns], REG|key[|value]
enum class RuleExcludeKind : uint8_t {
    File,  // the files of one folder with these names
    Path,  // the files of a folder and its subfolders that match (no patterns: all of them)
    Reg,   // a key with all it holds, or one value
};
struct RuleExclude {
    RuleExcludeKind kind = RuleExcludeKind::File;
    std::string path;                   // a folder with its variables, or a key with its root spelled out
    std::vector<std::string> patterns;  // File and Path
    std::string value;                  // Reg
    bool hasValue = false;
};

// SpecialDetect: the browsers whose presence an entry depends on.
enum class RuleBrowser : uint8_t { None, Chrome, Mozilla, Thunderbird, Opera };

struct CommunityRule {
    std::string name;          // the section's name without its " *"
    std::string cleanCaption;  // "Clean " and the name
    std::string section;       // the group it shows in: a LangSecRef's name or its Section
    std::string warning;
    std::vector<std::string> detectKeys;   // registry keys, the root spelled out
    std::vector<std::string> detectFiles;  // paths with variables and wildcards
    bool hasOsRange = false;               // DetectOS=min|max, either may be empty
    uint32_t osMin = 0, osMax = 0xFFFFFFFF;  // major << 16 | minor
    RuleBrowser browser = RuleBrowser::None;
    std::vector<RuleFileKey> fileKeys;
    std::vector<RuleRegKey> regKeys;
    std::vector<RuleExclude> excludes;
    // Cleaning keys checked but not read yet (see ParseCommunityRules): their
    // kind ('F'ileKey, 'R'egKey, 'E'xcludeKey) and value, in the file's order.
    std::vector<std::pair<char, std::string_view>> unread;
};

struct CommunityRules {
    std::vector<CommunityRule> entries;  // in the file's order
    int ignoredLines = 0;  // lines no entry took: malformed, unknown, or in a section that was skipped
    std::unique_ptr<const std::string> text;  // the file as UTF-8, while entries have unread keys
};

// Parses a rule file's bytes (UTF-8 with or without its mark, or UTF-16 after
// its mark). A line that is malformed, holds an unknown key or variable, or a
// path that climbs out of its folder is skipped and counted; so is every line
// of a section without a name, without anything to remove, or with a name
// already taken (also by one of names, the built-in items). Never throws.
// With keysLater, the cleaning keys are checked (and counted) but kept as
// text until ReadRuleKeys: most entries of a large file never apply here,
// and reading every key of every one would be most of the parse.
CommunityRules ParseCommunityRules(std::string_view bytes, const std::vector<std::string_view>& names = {},
                                   bool keysLater = false);
void ReadRuleKeys(CommunityRule& rule);

// The known variables by lower-case name ("localappdata"), each with what it
// stands for here; a variable that stands for several folders
// (%ProgramFiles% on a 64-bit system) has several, one with none stands for nothing here.
using RuleVariables = std::map<std::string, std::vector<std::string>>;
// Whether the rule files' variable (without its %) is one of the known ones.
bool IsRuleVariable(std::string_view name);
// Every path a text with variables stands for here, each without a trailing
// backslash and with runs of backslashes made one; none when one of its
// variables stands for nothing.
std::vector<std::string> ExpandRuleVariables(std::string_view text, const RuleVariables& variables);

// Whether a file name matches a rule's pattern, as the system matches them
// ("*.*" is every name, letter case does not count).
bool MatchesRulePattern(std::string_view name, std::string_view pattern);
