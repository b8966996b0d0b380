// The rule file's parser on any bytes: it never crashes, every entry it keeps
// has a name of its own and something to remove, every path starts at a
// variable or a drive and never climbs out of it, every pattern is a name,
// every key has its root spelled out, expanding a path never yields a
// drive's current folder or a path that climbs, and keys read later are the
// keys read at once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "base/text.h"
#include "scan/community_rules.h"

namespace {

void Require(bool ok) {
    if (!ok) std::abort();
}

bool Climbs(std::string_view path) {
    size_t start = 0;
    for (;;) {
        const size_t at = path.find('\\', start);
        if (TrimControl(path.substr(start, at == std::string_view::npos ? at : at - start)) == "..") return true;
        if (at == std::string_view::npos) return false;
        start = at + 1;
    }
}

void CheckPath(const std::string& path, const RuleVariables& vars) {
    Require(!path.empty() && (path[0] == '%' || (path.size() >= 2 && path[1] == ':')));
    Require(!Climbs(path));
    for (const std::string& out : ExpandRuleVariables(path, vars)) {
        Require(!out.empty());
        Require(!(out.size() == 2 && out[1] == ':'));
        Require(out.size() == 3 || out.back() != '\\');
        Require(out.find("\\\\") == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CommunityRules rules = ParseCommunityRules(bytes, {"Chrome History"});
    Require(rules.ignoredLines >= 0);
    const RuleVariables vars = {{"appdata", {"C:\\Users\\a\\AppData\\Roaming"}},
                                {"programfiles", {"C:\\Program Files", "C:\\Program Files (x86)"}},
                                {"systemdrive", {"C:"}}, {"username", {"a"}}, {"temp", {}}};
    std::set<std::string> names;
    for (const CommunityRule& r : rules.entries) {
        Require(!r.name.empty() && names.insert(AsciiLower(r.name)).second && AsciiLower(r.name) != "chrome history");
        Require(!r.fileKeys.empty() || !r.regKeys.empty());
        Require(!r.section.empty() && r.cleanCaption == "Clean " + r.name);
        for (const RuleFileKey& k : r.fileKeys) {
            CheckPath(k.path, vars);
            Require(!k.patterns.empty() && (!k.removeSelf || k.recurse));
            for (const std::string& p : k.patterns)
                Require(!p.empty() && p.find('\\') == std::string::npos && p != "..");
        }
        for (const std::string& f : r.detectFiles) CheckPath(f, vars);
        for (const RuleRegKey& k : r.regKeys) Require(k.key.rfind("HKEY_", 0) == 0 && k.key.find('\\') != std::string::npos);
        for (const RuleExclude& e : r.excludes) {
            if (e.kind == RuleExcludeKind::Reg) Require(e.path.rfind("HKEY_", 0) == 0);
            else CheckPath(e.path, vars);
        }
    }
    // Read later, every entry and every cleaning key comes out the same.
    CommunityRules later = ParseCommunityRules(bytes, {"Chrome History"}, true);
    Require(later.entries.size() == rules.entries.size() && later.ignoredLines == rules.ignoredLines);
    for (size_t i = 0; i < later.entries.size(); ++i) {
        CommunityRule& l = later.entries[i];
        const CommunityRule& r = rules.entries[i];
        ReadRuleKeys(l);
        Require(l.name == r.name && l.fileKeys.size() == r.fileKeys.size() && l.regKeys.size() == r.regKeys.size() &&
                l.excludes.size() == r.excludes.size());
        for (size_t k = 0; k < l.fileKeys.size(); ++k)
            Require(l.fileKeys[k].path == r.fileKeys[k].path && l.fileKeys[k].patterns == r.fileKeys[k].patterns &&
                    l.fileKeys[k].recurse == r.fileKeys[k].recurse && l.fileKeys[k].removeSelf == r.fileKeys[k].removeSelf);
        for (size_t k = 0; k < l.regKeys.size(); ++k)
            Require(l.regKeys[k].key == r.regKeys[k].key && l.regKeys[k].value == r.regKeys[k].value &&
                    l.regKeys[k].hasValue == r.regKeys[k].hasValue);
        for (size_t k = 0; k < l.excludes.size(); ++k)
            Require(l.excludes[k].kind == r.excludes[k].kind && l.excludes[k].path == r.excludes[k].path &&
                    l.excludes[k].patterns == r.excludes[k].patterns && l.excludes[k].value == r.excludes[k].value);
    }
    return 0;
}
