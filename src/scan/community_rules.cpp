#include "scan/community_rules.h"

#include <array>
#include <type_traits>
#include <memory>
#include <unordered_set>

#include "base/text.h"
#include "base/utf.h"

namespace {

// The variables the rule files use, in lower case.
constexpr std::string_view kVariables[] = {
    "appdata",  "commonappdata", "commonprogramfiles", "documents", "localappdata", "locallowappdata",
    "music",    "pictures",      "programdata",        "programfiles", "public",    "systemdrive",
    "temp",     "username",      "userprofile",        "video",        "windir",
};

// LangSecRef numbers and the groups they name.
struct LangSection {
    int number;
    std::string_view name;
};
constexpr LangSection kLangSections[] = {
    {3001, "Internet Explorer"}, {3005, "Microsoft Edge (legacy)"}, {3006, "Microsoft Edge"},
    {3021, "Applications"},      {3022, "Internet"},                {3023, "Multimedia"},
    {3024, "Utilities"},         {3025, "Windows"},                 {3026, "Firefox"},
    {3027, "Opera"},             {3028, "Safari"},                  {3029, "Google Chrome"},
    {3030, "Thunderbird"},       {3031, "Windows Store"},           {3032, "CCleaner Browser"},
    {3033, "Vivaldi"},           {3034, "Brave"},                   {3035, "Opera GX"},
    {3036, "Spotify"},           {3037, "Avast Secure Browser"},    {3038, "AVG Secure Browser"},
    {3039, "Arc Browser"},       {3040, "iTunes"},                  {3042, "WhatsApp"},
    {3043, "Norton Private Browser"}, {3044, "Avira Secure Browser"},
};

struct RootName {
    std::string_view shortName, fullName;
};
constexpr RootName kRoots[] = {
    {"HKCU", "HKEY_CURRENT_USER"}, {"HKLM", "HKEY_LOCAL_MACHINE"}, {"HKU", "HKEY_USERS"},
    {"HKCR", "HKEY_CLASSES_ROOT"}, {"HKCC", "HKEY_CURRENT_CONFIG"},
};

std::string_view Trim(std::string_view s) { return TrimControl(s); }

// The pieces of a text between separators, without copying or allocating
// (a rule file has tens of thousands of lines); more than it holds is marked.
struct Pieces {
    std::array<std::string_view, 8> part;
    size_t size = 0;
    bool tooMany = false;
    std::string_view operator[](size_t i) const { return part[i]; }
};
Pieces Split(std::string_view s, char by) {
    Pieces p;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(by, start);
        if (p.size == p.part.size()) {
            p.tooMany = true;
            return p;
        }
        p.part[p.size++] = s.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start);
        if (at == std::string_view::npos) return p;
        start = at + 1;
    }
}

// Whether a part of a backslash-separated path is "..".
bool ClimbsUp(std::string_view path) {
    size_t start = 0;
    for (;;) {
        const size_t at = path.find('\\', start);
        if (Trim(path.substr(start, at == std::string_view::npos ? at : at - start)) == "..") return true;
        if (at == std::string_view::npos) return false;
        start = at + 1;
    }
}

bool HasControl(std::string_view s) {
    for (unsigned char c : s)
        if (c < 32) return true;
    return false;
}

// The text as UTF-8: a UTF-16 file after its mark is converted, a UTF-8 mark dropped.
std::string DecodeRuleText(std::string_view bytes) {
    const bool le = bytes.starts_with("\xFF\xFE"), be = bytes.starts_with("\xFE\xFF");
    if (!le && !be) return std::string(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[le ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[le ? i + 1 : i]);
        units.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return Utf8FromUtf16(units);
}

// A path of a rule: it starts at a known variable or a drive, every variable is
// known, and no part of it climbs up; slashes become backslashes, the trailing
// ones go. False when it is none. Written into path, whose room is used again.
bool RulePath(std::string_view text, std::string& path) {
    path.assign(Trim(text));
    for (char& c : path)
        if (c == '/') c = '\\';
    if (path.empty() || HasControl(path)) return false;
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!drive && path[0] != '%') return false;
    for (size_t at = 0; (at = path.find('%', at)) != std::string::npos;) {
        const size_t end = path.find('%', at + 1);
        if (end == std::string::npos || !IsRuleVariable(std::string_view(path).substr(at + 1, end - at - 1))) return false;
        at = end + 1;
    }
    if (ClimbsUp(path)) return false;
    while (path.size() > 1 && path.back() == '\\' && !(path.size() == 3 && drive)) path.pop_back();
    return true;
}

// A registry key of a rule, its root spelled out; false when it is none.
bool RuleKey(std::string_view text, std::string& out) {
    const std::string_view key = Trim(text);
    const size_t slash = key.find('\\');
    if (slash == std::string_view::npos || HasControl(key)) return false;
    const std::string_view root = key.substr(0, slash);
    std::string_view rest = key.substr(slash + 1);
    while (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
    if (rest.empty() || rest.find("\\\\") != std::string_view::npos) return false;
    for (const RootName& r : kRoots)
        if (EqualsIgnoreCase(root, r.shortName) || EqualsIgnoreCase(root, r.fullName)) {
            out.assign(r.fullName);
            out += '\\';
            out.append(rest);
            return true;
        }
    return false;
}

// Names or patterns separated by semicolons; false when there is none or one holds a path.
bool Patterns(std::string_view text, std::vector<std::string>& patterns) {
    patterns.clear();
    const Pieces pieces = Split(text, ';');
    if (pieces.tooMany) return false;
    for (size_t i = 0; i < pieces.size; ++i) {
        const std::string_view piece = Trim(pieces[i]);
        if (piece.empty()) continue;
        if (piece.find('\\') != std::string_view::npos || piece.find('/') != std::string_view::npos ||
            piece == ".." || HasControl(piece))
            return false;
        patterns.emplace_back(piece);
    }
    return !patterns.empty();
}

bool ParseFileKey(std::string_view value, RuleFileKey& out) {
    const Pieces parts = Split(value, '|');
    if (parts.size < 2 || parts.tooMany) return false;
    out.recurse = out.removeSelf = false;
    if (!RulePath(parts[0], out.path) || !Patterns(parts[1], out.patterns)) return false;
    for (size_t i = 2; i < parts.size; ++i) {
        const std::string_view flag = Trim(parts[i]);
        if (EqualsIgnoreCase(flag, "RECURSE")) out.recurse = true;
        else if (EqualsIgnoreCase(flag, "REMOVESELF")) out.recurse = out.removeSelf = true;
        else return false;
    }
    return true;
}

bool ParseRegKey(std::string_view value, RuleRegKey& out) {
    const Pieces parts = Split(value, '|');
    if (parts.size > 2) return false;
    out.value.clear();
    out.hasValue = false;
    if (!RuleKey(parts[0], out.key)) return false;
    if (parts.size == 2) {
        const std::string_view name = Trim(parts[1]);
        if (name.empty() || HasControl(name)) return false;
        out.value = std::string(name);
        out.hasValue = true;
    }
    return true;
}

bool ParseExcludeKey(std::string_view value, RuleExclude& out) {
    const Pieces parts = Split(value, '|');
    if (parts.size < 2 || parts.size > 3) return false;
    const std::string_view kind = Trim(parts[0]);
    out.value.clear();
    out.hasValue = false;
    out.patterns.clear();
    if (EqualsIgnoreCase(kind, "REG")) {
        out.kind = RuleExcludeKind::Reg;
        if (!RuleKey(parts[1], out.path)) return false;
        if (parts.size == 3) {
            const std::string_view name = Trim(parts[2]);
            if (name.empty() || HasControl(name)) return false;
            out.value = std::string(name);
            out.hasValue = true;
        }
        return true;
    }
    if (EqualsIgnoreCase(kind, "FILE")) {
        out.kind = RuleExcludeKind::File;
        if (parts.size == 3) return RulePath(parts[1], out.path) && Patterns(parts[2], out.patterns);
        std::string path;  // the file's whole path in one
        if (!RulePath(parts[1], path)) return false;
        const size_t slash = path.find_last_of('\\');
        return slash != std::string::npos && RulePath(std::string_view(path).substr(0, slash + 1), out.path) &&
               Patterns(std::string_view(path).substr(slash + 1), out.patterns);
    }
    if (EqualsIgnoreCase(kind, "PATH")) {
        out.kind = RuleExcludeKind::Path;
        if (!RulePath(parts[1], out.path)) return false;
        if (parts.size == 3) return Patterns(parts[2], out.patterns);
        out.patterns.assign(1, "*");
        return true;
    }
    return false;
}

// "6.1" as major << 16 | minor.
bool ParseVersion(std::string_view text, uint32_t& out) {
    text = Trim(text);
    const size_t dot = text.find('.');
    const std::string_view major = text.substr(0, dot);
    const std::string_view minor = dot == std::string_view::npos ? std::string_view("0") : text.substr(dot + 1);
    uint32_t parts[2] = {0, 0};
    int k = 0;
    for (std::string_view p : {major, minor}) {
        if (p.empty() || p.size() > 4) return false;
        for (char c : p) {
            if (c < '0' || c > '9') return false;
            parts[k] = parts[k] * 10 + static_cast<uint32_t>(c - '0');
        }
        ++k;
    }
    out = parts[0] << 16 | parts[1];
    return true;
}

bool ParseOsRange(std::string_view value, CommunityRule& rule) {
    const Pieces parts = Split(value, '|');
    if (parts.size > 2) return false;
    const std::string_view low = Trim(parts[0]), high = parts.size == 2 ? Trim(parts[1]) : std::string_view();
    if (low.empty() && high.empty()) return false;
    if (!low.empty() && !ParseVersion(low, rule.osMin)) return false;
    if (!high.empty() && !ParseVersion(high, rule.osMax)) return false;
    rule.hasOsRange = true;
    return true;
}

// The key's name without its number; false when the number is no number or the key takes none.
bool KeyName(std::string_view key, std::string& name) {
    size_t digits = key.size();
    while (digits > 0 && key[digits - 1] >= '0' && key[digits - 1] <= '9') --digits;
    name = AsciiLower(key.substr(0, digits));
    const bool numbered = digits < key.size();
    if (numbered && (digits + 6 < key.size() || key[digits] == '0')) return false;  // "FileKey01", a huge number
    return !numbered || name == "detect" || name == "detectfile" || name == "filekey" || name == "regkey" ||
           name == "excludekey";
}

// Where the cleaning keys are checked when they are read later: the same
// room serves every line, so checking costs no memory of its own.
struct Scratch {
    RuleFileKey file;
    RuleRegKey reg;
    RuleExclude exclude;
};

// A cleaning key's line read into the rule, or (with scratch) only checked
// and kept as text to be read when the rule is wanted.
template <class Key, class Parse>
bool TakeCleaningKey(char kind, std::string_view value, std::vector<Key>& into, std::type_identity_t<Key>* scratch, Parse parse,
                     CommunityRule& rule) {
    if (scratch) {
        if (!parse(value, *scratch)) return false;
        rule.unread.emplace_back(kind, value);
        return true;
    }
    if (!parse(value, into.emplace_back())) {
        into.pop_back();
        return false;
    }
    return true;
}

// One key line of an entry; false when the entry cannot take it.
bool TakeKey(std::string_view key, std::string_view value, CommunityRule& rule, Scratch* scratch) {
    std::string name;
    if (!KeyName(key, name)) return false;
    if (name == "filekey") {
        return TakeCleaningKey('F', value, rule.fileKeys, scratch ? &scratch->file : nullptr, ParseFileKey, rule);
    } else if (name == "regkey") {
        return TakeCleaningKey('R', value, rule.regKeys, scratch ? &scratch->reg : nullptr, ParseRegKey, rule);
    } else if (name == "excludekey") {
        return TakeCleaningKey('E', value, rule.excludes, scratch ? &scratch->exclude : nullptr, ParseExcludeKey, rule);
    } else if (name == "detect") {
        std::string detectKey;
        if (!RuleKey(value, detectKey)) return false;
        rule.detectKeys.push_back(std::move(detectKey));
    } else if (name == "detectfile") {
        std::string path;
        if (!RulePath(value, path)) return false;
        rule.detectFiles.push_back(std::move(path));
    } else if (name == "detectos") {
        return ParseOsRange(value, rule);
    } else if (name == "specialdetect") {
        static constexpr std::pair<std::string_view, RuleBrowser> kBrowsers[] = {
            {"DET_CHROME", RuleBrowser::Chrome}, {"DET_MOZILLA", RuleBrowser::Mozilla},
            {"DET_THUNDERBIRD", RuleBrowser::Thunderbird}, {"DET_OPERA", RuleBrowser::Opera}};
        for (const auto& [text, browser] : kBrowsers)
            if (EqualsIgnoreCase(value, text)) {
                rule.browser = browser;
                return true;
            }
        return false;
    } else if (name == "langsecref") {
        for (const LangSection& s : kLangSections)
            if (value == std::to_string(s.number)) {
                rule.section = std::string(s.name);
                return true;
            }
        return false;
    } else if (name == "section") {
        if (value.empty() || HasControl(value)) return false;
        rule.section = std::string(value);
    } else if (name == "warning") {
        if (value.empty() || HasControl(value)) return false;
        rule.warning += rule.warning.empty() ? std::string(value) : "\n" + std::string(value);
    } else if (name == "default") {
        // Every rule starts unticked, whatever the file says.
        return EqualsIgnoreCase(value, "True") || EqualsIgnoreCase(value, "False");
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool IsRuleVariable(std::string_view name) {
    const std::string lower = AsciiLower(name);
    for (std::string_view v : kVariables)
        if (lower == v) return true;
    return false;
}

CommunityRules ParseCommunityRules(std::string_view bytes, const std::vector<std::string_view>& names,
                                   bool keysLater) {
    CommunityRules rules;
    std::unordered_set<std::string> taken;
    for (std::string_view n : names) taken.insert(AsciiLower(n));
    // The rules' unread lines point into the text, which they keep.
    rules.text = std::make_unique<const std::string>(DecodeRuleText(bytes));
    const std::string& text = *rules.text;
    Scratch scratch;
    const std::vector<std::string_view> lines = SplitLines(text);
    const bool allText = IsUtf8(text);  // then no line needs asking again
    size_t sections = 0;
    for (std::string_view l : lines) sections += !l.empty() && l[0] == '[';
    rules.entries.reserve(sections);

    bool inEntry = false, entryUsable = false;
    int entryLines = 0;  // lines the entry took, ignored with it when it goes
    CommunityRule rule;
    const auto finish = [&] {
        if (!inEntry) return;
        bool removes = !rule.fileKeys.empty() || !rule.regKeys.empty();
        for (const auto& [kind, value] : rule.unread) removes = removes || kind != 'E';
        if (entryUsable && removes && taken.insert(AsciiLower(rule.name)).second) {
            if (rule.section.empty()) rule.section = "Other";
            rule.cleanCaption = "Clean " + rule.name;
            rules.entries.push_back(std::move(rule));
        } else {
            rules.ignoredLines += entryLines;
        }
        rule = CommunityRule{};
        inEntry = entryUsable = false;
        entryLines = 0;
    };
    for (std::string_view raw : lines) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line[0] == ';') continue;
        if ((!allText && !IsUtf8(line)) || line.find('\0') != std::string_view::npos) {
            ++rules.ignoredLines;
            continue;
        }
        if (line[0] == '[') {
            finish();
            inEntry = true;
            entryLines = 1;
            std::string_view name = line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view();
            name = Trim(name);
            if (name.ends_with('*')) name = Trim(name.substr(0, name.size() - 1));
            entryUsable = !name.empty() && !HasControl(name) && name.find(']') == std::string_view::npos;
            rule.name = std::string(name);
            continue;
        }
        const size_t equals = line.find('=');
        if (!inEntry || equals == std::string_view::npos ||
            !TakeKey(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), rule, keysLater ? &scratch : nullptr)) {
            ++rules.ignoredLines;
            continue;
        }
        ++entryLines;
    }
    finish();
    if (!keysLater) rules.text.reset();
    return rules;
}

void ReadRuleKeys(CommunityRule& rule) {
    for (const auto& [kind, value] : rule.unread) {
        if (kind == 'F') TakeCleaningKey(kind, value, rule.fileKeys, nullptr, ParseFileKey, rule);
        else if (kind == 'R') TakeCleaningKey(kind, value, rule.regKeys, nullptr, ParseRegKey, rule);
        else TakeCleaningKey(kind, value, rule.excludes, nullptr, ParseExcludeKey, rule);
    }
    rule.unread.clear();
    rule.unread.shrink_to_fit();
}

std::vector<std::string> ExpandRuleVariables(std::string_view text, const RuleVariables& variables) {
    std::vector<std::string> paths{std::string()};
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('%', at);
        const size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            for (std::string& p : paths) p.append(text.substr(at));
            break;
        }
        for (std::string& p : paths) p.append(text.substr(at, open - at));
        const auto it = variables.find(AsciiLower(text.substr(open + 1, close - open - 1)));
        if (it == variables.end() || it->second.empty()) return {};
        std::vector<std::string> next;
        for (const std::string& p : paths)
            for (const std::string& value : it->second) next.push_back(p + value);
        paths = std::move(next);
        at = close + 1;
    }
    std::vector<std::string> out;
    for (std::string& p : paths) {
        std::string clean;
        for (char c : p) {
            if (c == '/') c = '\\';
            if (c == '\\' && !clean.empty() && clean.back() == '\\') continue;
            clean.push_back(c);
        }
        while (clean.size() > 1 && clean.back() == '\\') clean.pop_back();
        if (clean.size() == 2 && clean[1] == ':') clean.push_back('\\');  // "C:" alone is a drive's current folder
        if (clean.empty()) continue;
        bool seen = false;
        for (const std::string& o : out) seen = seen || EqualsIgnoreCase(o, clean);
        if (!seen) out.push_back(std::move(clean));
    }
    return out;
}

bool MatchesRulePattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*" || pattern == "*.*") return true;
    return MatchesWildcard(name, pattern);
}
