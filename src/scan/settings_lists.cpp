// The formats, as the programs themselves read and write them:
// - Qt INI: the QSettings documentation (IniFormat; "INI files use case-insensitive keys" on Windows;
//   @-typed values) and Qt's qsettings.cpp (readIniLine, iniEscapedStringList writing ", " and @Invalid()
//   for an empty list, iniUnescapedStringList); qsettings_p.h makes IniCaseSensitivity CaseInsensitive on Windows.
// - VLC: modules/gui/qt/recents.cpp keeps RecentsMRL/list and RecentsMRL/times in step, read by index.
// - Notepad++: PowerEditor/src/Parameters.cpp feedFileListParameters (the first History under NotepadPlus,
//   its File children with a filename attribute); npp-user-manual.org/docs/config-files.
// - VS Code: src/vs/platform/workspaces/common/workspaces.ts restoreRecentlyOpened and toStoreData
//   ("entries" since 1.55: workspace {id, configPath}, folderUri or fileUri, each with label, remoteAuthority).
// - 7-Zip: CPP/Windows/Registry.cpp CKey::SetValue_Strings and GetValue_Strings.
#include "scan/settings_lists.h"

#include <algorithm>

#include "base/text.h"
#include "base/utf.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr size_t npos = std::string_view::npos;

bool IsGone(const std::vector<std::string>& gone, std::string_view text) {
    return std::find(gone.begin(), gone.end(), text) != gone.end();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

size_t LineEndLength(std::string_view t, size_t at) {
    if (at >= t.size() || !IsLineEnd(t[at])) return 0;
    return t[at] == '\r' && at + 1 < t.size() && t[at + 1] == '\n' ? 2 : 1;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x10000) {
        const char16_t unit = static_cast<char16_t>(cp);
        out += Utf8FromUtf16(std::u16string_view(&unit, 1));
    } else {
        const char16_t pair[2] = {static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)),
                                  static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))};
        out += Utf8FromUtf16(std::u16string_view(pair, 2));
    }
}

// One stretch of the text replaced; a list of them never overlaps.
struct Cut {
    size_t begin = 0, end = 0;
    std::string insert;
};

std::string Applied(std::string_view text, std::vector<Cut> cuts) {
    std::sort(cuts.begin(), cuts.end(), [](const Cut& a, const Cut& b) { return a.begin < b.begin; });
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    for (const Cut& cut : cuts) {
        out.append(text.substr(at, cut.begin - at));
        out += cut.insert;
        at = cut.end;
    }
    out.append(text.substr(at));
    return out;
}

// "%XX" decoded; nullopt when the bytes that come out are not UTF-8.
std::optional<std::string> PercentDecoded(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    if (!IsUtf8(out)) return std::nullopt;
    return out;
}

// A file URL as the Windows path it names: "file:///C:/a%20b" is "C:\a b", "file://host/share" is
// "\\host\share". A query or fragment is no part of the path. nullopt for any other URL.
std::optional<std::string> FileUrlPath(std::string_view url) {
    if (url.size() < 7 || !EqualsIgnoreCase(url.substr(0, 7), "file://")) return std::nullopt;
    std::string_view rest = url.substr(7);
    rest = rest.substr(0, rest.find_first_of("?#"));
    const size_t slash = rest.find('/');
    const auto host = PercentDecoded(rest.substr(0, slash));
    const auto path = PercentDecoded(slash == npos ? std::string_view() : rest.substr(slash));
    if (!host || !path) return std::nullopt;
    std::string out;
    if (!host->empty()) {
        out = "//" + *host + *path;
    } else if (path->size() >= 3 && (*path)[0] == '/' && (*path)[2] == ':' &&
               (((*path)[1] | 0x20) >= 'a' && ((*path)[1] | 0x20) <= 'z')) {
        out = path->substr(1);
    } else {
        out = *path;
    }
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

std::string ShownUrl(std::string_view url) { return FileUrlPath(url).value_or(std::string(url)); }

// ---- Qt INI ----

struct IniLine {
    size_t begin = 0, end = 0, equals = npos;
};

// One logical line as Qt reads it: blanks and line ends before it skipped, a quoted part may run over line
// ends, a backslash takes the next character with it, and ';' outside quotes ends the line (a comment when
// it comes first). False at the end of the text; unterminated is set when a quote runs to the end.
bool NextIniLine(std::string_view t, size_t& pos, IniLine& line, bool& unterminated) {
    size_t begin = pos;
    while (begin < t.size() && (IsBlank(t[begin]) || IsLineEnd(t[begin]))) ++begin;
    bool quoted = false;
    size_t equals = npos, i = begin;
    while (i < t.size()) {
        const char c = t[i++];
        if (c == '=') {
            if (!quoted && equals == npos) equals = i - 1;
        } else if (IsLineEnd(c)) {
            if (i == begin + 1) {
                ++begin;  // the line end after a comment
            } else if (!quoted) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < t.size()) {
                const char next = t[i++];
                if (i < t.size() && ((next == '\n' && t[i] == '\r') || (next == '\r' && t[i] == '\n'))) ++i;
            }
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';') {
            if (i == begin + 1) {
                while (i < t.size() && !IsLineEnd(t[i])) ++i;
                begin = i;
            } else if (!quoted) {
                --i;
                break;
            }
        }
    }
    if (quoted) unterminated = true;
    pos = i;
    line = {begin, i, equals};
    return i > begin;
}

struct IniKeyLine {
    size_t begin = 0, valueBegin = 0, valueEnd = 0;
};

// The lines that set key in section, in file order; nullopt when a quote runs to the end of the text (Qt
// would then read the rest of the file as one value).
std::optional<std::vector<IniKeyLine>> FindIniKey(std::string_view t, std::string_view section, std::string_view key) {
    size_t pos = t.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    bool inSection = EqualsIgnoreCase(section, "General");
    bool unterminated = false;
    std::vector<IniKeyLine> found;
    IniLine line;
    while (NextIniLine(t, pos, line, unterminated)) {
        if (t[line.begin] == '[') {
            std::string_view name = t.substr(line.begin + 1, line.end - line.begin - 1);
            name = TrimControl(name.substr(0, name.find(']')));
            inSection = EqualsIgnoreCase(name, section);
            continue;
        }
        if (!inSection || line.equals == npos) continue;
        std::string_view name = t.substr(line.begin, line.equals - line.begin);
        while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
        if (EqualsIgnoreCase(name, key)) found.push_back({line.begin, line.equals + 1, line.end});
    }
    if (unterminated) return std::nullopt;
    return found;
}

struct IniItem {
    size_t begin = 0, end = 0;  // in the text; end is the comma after the item, or the value's end
    std::string text;
};

char IniEscape(char c) {
    switch (c) {
        case 'a': return '\a';
        case 'b': return '\b';
        case 'f': return '\f';
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'v': return '\v';
        case '"':
        case '?':
        case '\'':
        case '\\': return c;
        default: return 0;
    }
}

// The items of the value t[from, to) as Qt splits and unescapes a string list: commas outside quotes
// part them, blanks around an unquoted item go. No items for an empty value or @Invalid(); nullopt for a
// value that is no plain string list (an open quote, a raw line end, an @-typed value).
std::optional<std::vector<IniItem>> IniItems(std::string_view t, size_t from, size_t to) {
    const std::string_view v = t.substr(from, to - from);
    if (v.find_first_of("\r\n") != npos) return std::nullopt;
    std::vector<IniItem> items;
    std::u16string cur;  // UTF-16 as Qt builds it, so \x escapes of a surrogate pair join
    size_t i = 0, begin = 0, chopLimit = 0;
    bool inQuotes = false, quotedItem = false, isList = false, noChop = false;
    const auto skipBlanks = [&] {
        while (i < v.size() && IsBlank(v[i])) ++i;
    };
    const auto chop = [&] {
        if (quotedItem) return;
        while (cur.size() > chopLimit && (cur.back() == u' ' || cur.back() == u'\t')) cur.pop_back();
    };
    skipBlanks();
    begin = i;
    while (i < v.size()) {
        const char c = v[i];
        if (c == '\\') {
            if (++i >= v.size()) {
                noChop = true;
                break;
            }
            const char e = v[i++];
            if (const char plain = IniEscape(e)) {
                cur += static_cast<char16_t>(plain);
            } else if (e == 'x') {
                if (i >= v.size()) {
                    noChop = true;
                    break;
                }
                if (HexValue(v[i]) >= 0) {
                    unsigned unit = 0;
                    while (i < v.size() && HexValue(v[i]) >= 0)
                        unit = ((unit << 4) | static_cast<unsigned>(HexValue(v[i++]))) & 0xFFFF;
                    cur += static_cast<char16_t>(unit);
                }
            } else if (e >= '0' && e <= '7') {
                unsigned unit = static_cast<unsigned>(e - '0');
                while (i < v.size() && v[i] >= '0' && v[i] <= '7')
                    unit = ((unit << 3) | static_cast<unsigned>(v[i++] - '0')) & 0xFFFF;
                cur += static_cast<char16_t>(unit);
            }  // any other character goes with its backslash
            chopLimit = cur.size();
        } else if (c == '"') {
            ++i;
            quotedItem = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = cur.size();
            }
        } else if (c == ',' && !inQuotes) {
            chop();
            items.push_back({from + begin, from + i, Utf8FromUtf16(cur)});
            cur.clear();
            isList = true;
            quotedItem = false;
            ++i;
            skipBlanks();
            begin = i;
            chopLimit = 0;
        } else {
            size_t j = i + 1;
            while (j < v.size() && v[j] != '\\' && v[j] != '"' && v[j] != ',') ++j;
            cur += Utf16FromUtf8(v.substr(i, j - i));
            i = j;
        }
    }
    if (inQuotes) return std::nullopt;
    if (!noChop) chop();
    items.push_back({from + begin, to, Utf8FromUtf16(cur)});
    if (!isList && (begin == v.size() || items[0].text == "@Invalid()")) return std::vector<IniItem>();
    for (IniItem& item : items) {
        if (item.text.starts_with("@@")) {
            item.text.erase(0, 1);
        } else if (item.text.starts_with('@')) {
            return std::nullopt;
        }
    }
    return items;
}

// The whole line of a key, with its line end; a comment after the value stays, as a line of its own.
Cut IniLineCut(std::string_view t, const IniKeyLine& line) {
    size_t begin = line.begin;
    while (begin > 0 && IsBlank(t[begin - 1])) --begin;
    if (begin > 0 && !IsLineEnd(t[begin - 1])) begin = line.begin;
    return {begin, line.valueEnd + LineEndLength(t, line.valueEnd), {}};
}

// The value without the dropped items: the kept ones with the separators that stood before them.
Cut IniListCut(std::string_view t, const IniKeyLine& line, const std::vector<IniItem>& items,
               const std::vector<bool>& drop) {
    std::string value;
    bool any = false;
    for (size_t k = 0; k < items.size(); ++k) {
        if (drop[k]) continue;
        if (any) value.append(t.substr(items[k - 1].end, items[k].begin - items[k - 1].end));
        value.append(t.substr(items[k].begin, items[k].end - items[k].begin));
        any = true;
    }
    if (!any) return IniLineCut(t, line);  // an empty value would read as one empty item
    value.insert(0, t.substr(line.valueBegin, items[0].begin - line.valueBegin));
    if (drop.back()) {  // the blanks before a comment stay
        size_t tail = line.valueEnd;
        while (tail > items.back().begin && IsBlank(t[tail - 1])) --tail;
        value.append(t.substr(tail, line.valueEnd - tail));
    }
    return {line.valueBegin, line.valueEnd, std::move(value)};
}

// ---- Notepad++ XML ----

bool XmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool XmlNameChar(char c) {
    return !XmlSpace(c) && c != '/' && c != '>' && c != '<' && c != '=' && c != '"' && c != '\'';
}

std::string XmlDecoded(std::string_view v) {
    std::string out;
    out.reserve(v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        const size_t semi = v[i] == '&' ? v.substr(i, 12).find(';') : npos;
        if (semi == npos) {
            out += v[i];
            continue;
        }
        const std::string_view ref = v.substr(i + 1, semi - 1);
        const size_t before = out.size();
        if (ref == "amp") out += '&';
        else if (ref == "lt") out += '<';
        else if (ref == "gt") out += '>';
        else if (ref == "quot") out += '"';
        else if (ref == "apos") out += '\'';
        else if (ref.size() >= 2 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            char32_t cp = 0;
            bool ok = !digits.empty();
            for (const char d : digits) {
                const int value = hex ? HexValue(d) : (d >= '0' && d <= '9' ? d - '0' : -1);
                if (value < 0) ok = false;
                if (!ok) break;
                cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(value);
                if (cp > 0x10FFFF) ok = false;
            }
            if (ok && cp != 0 && (cp < 0xD800 || cp > 0xDFFF)) AppendCodePoint(out, cp);
        }
        if (out.size() == before) {
            out += '&';  // no reference we know: the ampersand as it stands
            continue;
        }
        i += semi;
    }
    return out;
}

struct XmlFile {
    size_t begin = 0, end = 0;  // the element, start tag to end tag
    std::optional<std::string> filename;
};

struct XmlHistory {
    size_t histories = 0;  // History elements under the root
    std::vector<XmlFile> files;
};

constexpr size_t kMaxXmlDepth = 256;

// The first History list of a config.xml; nullopt unless the whole document is well formed: one
// NotepadPlus root, tags closed in order, quoted attributes without repeats, no DOCTYPE (it could define
// entities), nothing but white space, comments and processing instructions outside the root.
std::optional<XmlHistory> ParseConfigXml(std::string_view t) {
    XmlHistory h;
    std::vector<std::string_view> open;
    bool rootSeen = false, inHistory = false, inFile = false;
    size_t i = t.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    while (i < t.size()) {
        if (t[i] != '<') {
            const size_t next = std::min(t.find('<', i), t.size());
            if (open.empty() && !std::all_of(t.begin() + static_cast<std::ptrdiff_t>(i),
                                             t.begin() + static_cast<std::ptrdiff_t>(next), XmlSpace))
                return std::nullopt;
            i = next;
            continue;
        }
        const std::string_view rest = t.substr(i);
        const auto skipTo = [&](std::string_view opener, std::string_view closer) {
            const size_t end = t.find(closer, i + opener.size());
            i = end == npos ? npos : end + closer.size();
            return end != npos;
        };
        if (rest.starts_with("<!--")) {
            if (!skipTo("<!--", "-->")) return std::nullopt;
            continue;
        }
        if (rest.starts_with("<?")) {
            if (!skipTo("<?", "?>")) return std::nullopt;
            continue;
        }
        if (rest.starts_with("<![CDATA[")) {
            if (open.empty() || !skipTo("<![CDATA[", "]]>")) return std::nullopt;
            continue;
        }
        if (rest.starts_with("<!")) return std::nullopt;
        size_t j = i + (rest.starts_with("</") ? 2 : 1);
        const size_t nameBegin = j;
        while (j < t.size() && XmlNameChar(t[j])) ++j;
        const std::string_view name = t.substr(nameBegin, j - nameBegin);
        if (name.empty()) return std::nullopt;
        if (rest.starts_with("</")) {
            while (j < t.size() && XmlSpace(t[j])) ++j;
            if (j >= t.size() || t[j] != '>' || open.empty() || open.back() != name) return std::nullopt;
            ++j;
            if (open.size() == 3 && inFile) {
                h.files.back().end = j;
                inFile = false;
            } else if (open.size() == 2) {
                inHistory = false;
            }
            open.pop_back();
            i = j;
            continue;
        }
        std::vector<std::pair<std::string_view, std::string_view>> attributes;
        bool empty = false;
        for (;;) {
            const size_t spaceBegin = j;
            while (j < t.size() && XmlSpace(t[j])) ++j;
            if (j >= t.size()) return std::nullopt;
            if (t[j] == '>') {
                ++j;
                break;
            }
            if (t[j] == '/') {
                if (j + 1 >= t.size() || t[j + 1] != '>') return std::nullopt;
                j += 2;
                empty = true;
                break;
            }
            if (j == spaceBegin) return std::nullopt;  // attributes stand apart by white space
            const size_t attributeBegin = j;
            while (j < t.size() && XmlNameChar(t[j])) ++j;
            const std::string_view attribute = t.substr(attributeBegin, j - attributeBegin);
            while (j < t.size() && XmlSpace(t[j])) ++j;
            if (attribute.empty() || j >= t.size() || t[j] != '=') return std::nullopt;
            ++j;
            while (j < t.size() && XmlSpace(t[j])) ++j;
            if (j >= t.size() || (t[j] != '"' && t[j] != '\'')) return std::nullopt;
            const size_t valueEnd = t.find(t[j], j + 1);
            if (valueEnd == npos) return std::nullopt;
            const std::string_view value = t.substr(j + 1, valueEnd - j - 1);
            if (value.find('<') != npos) return std::nullopt;
            for (const auto& seen : attributes)
                if (seen.first == attribute) return std::nullopt;
            attributes.emplace_back(attribute, value);
            j = valueEnd + 1;
        }
        const size_t depth = open.size();
        if (depth == 0) {
            if (rootSeen || name != "NotepadPlus") return std::nullopt;
            rootSeen = true;
        } else if (depth == 1 && name == "History") {
            if (++h.histories == 1) inHistory = !empty;
        } else if (depth == 2 && inHistory && name == "File") {
            XmlFile file{i, j, std::nullopt};
            for (const auto& [attribute, value] : attributes)
                if (attribute == "filename") file.filename = XmlDecoded(value);
            h.files.push_back(std::move(file));
            inFile = !empty;
        }
        if (!empty) {
            if (open.size() >= kMaxXmlDepth) return std::nullopt;
            open.push_back(name);
        }
        i = j;
    }
    if (!rootSeen || !open.empty()) return std::nullopt;
    return h;
}

// ---- VS Code JSON ----

constexpr int kMaxJsonDepth = 64;

// A strict JSON reader over the text; positions stay in the text so values can be cut out.
class JsonReader {
public:
    explicit JsonReader(std::string_view t) : t_(t) {}

    size_t at() const { return i_; }
    bool AtEnd() {
        Space();
        return i_ == t_.size();
    }
    void Space() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t' || t_[i_] == '\n' || t_[i_] == '\r')) ++i_;
    }
    bool Next(char c) {
        Space();
        return i_ < t_.size() && t_[i_] == c;
    }
    bool Eat(char c) {
        if (!Next(c)) return false;
        ++i_;
        return true;
    }

    // A string, decoded into out when given; \u escapes of a surrogate pair join, an unpaired one keeps
    // its own three-byte form.
    bool String(std::string* out) {
        if (!Eat('"')) return false;
        std::u16string units;
        const auto flush = [&] {
            if (out && !units.empty()) *out += Utf8FromUtf16(units);
            units.clear();
        };
        while (i_ < t_.size()) {
            const char c = t_[i_++];
            if (c == '"') {
                flush();
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                flush();
                if (out) *out += c;
                continue;
            }
            if (i_ >= t_.size()) return false;
            const char e = t_[i_++];
            if (e == 'u') {
                if (t_.size() - i_ < 4) return false;
                unsigned unit = 0;
                for (int k = 0; k < 4; ++k) {
                    const int d = HexValue(t_[i_++]);
                    if (d < 0) return false;
                    unit = unit << 4 | static_cast<unsigned>(d);
                }
                units += static_cast<char16_t>(unit);
                continue;
            }
            flush();
            char plain = 0;
            switch (e) {
                case '"':
                case '\\':
                case '/': plain = e; break;
                case 'b': plain = '\b'; break;
                case 'f': plain = '\f'; break;
                case 'n': plain = '\n'; break;
                case 'r': plain = '\r'; break;
                case 't': plain = '\t'; break;
                default: return false;
            }
            if (out) *out += plain;
        }
        return false;
    }

    // Any value, checked and passed over; depth counts the containers around it.
    bool Value(int depth) {
        Space();
        if (i_ >= t_.size()) return false;
        const char c = t_[i_];
        if (c == '{' || c == '[') {
            if (depth >= kMaxJsonDepth) return false;
            ++i_;
            const char close = c == '{' ? '}' : ']';
            if (Eat(close)) return true;
            for (;;) {
                if (c == '{' && (!String(nullptr) || !Eat(':'))) return false;
                if (!Value(depth + 1)) return false;
                if (Eat(',')) continue;
                return Eat(close);
            }
        }
        if (c == '"') return String(nullptr);
        if (c == 't') return Word("true");
        if (c == 'f') return Word("false");
        if (c == 'n') return Word("null");
        return Number();
    }

private:
    bool Word(std::string_view word) {
        if (t_.substr(i_, word.size()) != word) return false;
        i_ += word.size();
        return true;
    }
    bool Digits() {
        const size_t from = i_;
        while (i_ < t_.size() && t_[i_] >= '0' && t_[i_] <= '9') ++i_;
        return i_ > from;
    }
    bool Number() {
        if (i_ < t_.size() && t_[i_] == '-') ++i_;
        if (i_ < t_.size() && t_[i_] == '0') {
            ++i_;
        } else if (!Digits()) {
            return false;
        }
        if (i_ < t_.size() && t_[i_] == '.') {
            ++i_;
            if (!Digits()) return false;
        }
        if (i_ < t_.size() && (t_[i_] == 'e' || t_[i_] == 'E')) {
            ++i_;
            if (i_ < t_.size() && (t_[i_] == '+' || t_[i_] == '-')) ++i_;
            if (!Digits()) return false;
        }
        return true;
    }

    std::string_view t_;
    size_t i_ = 0;
};

struct RecentEntry {
    size_t begin = 0, end = 0;  // the element in the text
    std::optional<std::string> shown;
};

struct RecentList {
    size_t lists = 0;  // "entries" keys in the top object; the last one counts, as in JSON.parse
    std::vector<RecentEntry> entries;
};

// A string member's value: the string, or nothing for a value of another kind (which is passed over).
bool StringMember(JsonReader& json, std::optional<std::string>& slot, int depth) {
    slot.reset();
    if (!json.Next('"')) return json.Value(depth);
    std::string s;
    if (!json.String(&s)) return false;
    slot = std::move(s);
    return true;
}

// The object members, each handed to member(key); false when the object is not valid JSON.
template <class Member>
bool Members(JsonReader& json, Member member) {
    if (!json.Eat('{')) return false;
    if (json.Eat('}')) return true;
    for (;;) {
        std::string key;
        if (!json.String(&key) || !json.Eat(':') || !member(key)) return false;
        if (json.Eat(',')) continue;
        return json.Eat('}');
    }
}

// One element of "entries" (depth 2): its shown text when it is a workspace, folder or file entry,
// checked in that order as VS Code checks them; a repeated member counts as JSON.parse counts it, last.
bool RecentElement(JsonReader& json, RecentEntry& entry) {
    if (!json.Next('{')) return json.Value(2);
    std::optional<std::string> folder, file, config;
    const bool ok = Members(json, [&](const std::string& key) {
        if (key == "folderUri") return StringMember(json, folder, 3);
        if (key == "fileUri") return StringMember(json, file, 3);
        if (key != "workspace") return json.Value(3);
        config.reset();
        if (!json.Next('{')) return json.Value(3);
        std::optional<std::string> id, path;
        if (!Members(json, [&](const std::string& inner) {
                if (inner == "id") return StringMember(json, id, 4);
                if (inner == "configPath") return StringMember(json, path, 4);
                return json.Value(4);
            }))
            return false;
        if (id && path) config = std::move(path);
        return true;
    });
    if (!ok) return false;
    if (config) entry.shown = ShownUrl(*config);
    else if (folder) entry.shown = ShownUrl(*folder);
    else if (file) entry.shown = ShownUrl(*file);
    return true;
}

std::optional<RecentList> ParseRecentlyOpened(std::string_view t) {
    JsonReader json(t);
    RecentList list;
    const bool ok = Members(json, [&](const std::string& key) {
        if (key != "entries") return json.Value(1);
        ++list.lists;
        list.entries.clear();
        if (!json.Eat('[')) return false;  // "entries" that is no array: not the list we know
        if (json.Eat(']')) return true;
        for (;;) {
            json.Space();
            RecentEntry entry;
            entry.begin = json.at();
            if (!RecentElement(json, entry)) return false;
            entry.end = json.at();
            list.entries.push_back(std::move(entry));
            if (json.Eat(',')) continue;
            return json.Eat(']');
        }
    });
    if (!ok || !json.AtEnd() || list.lists == 0) return std::nullopt;
    return list;
}

}  // namespace

// ---- encodings ----

bool DecodeSettingsText(std::string_view bytes, SettingsText& out) {
    out = {};
    if (bytes.starts_with(kUtf8Mark)) {
        const std::string_view rest = bytes.substr(kUtf8Mark.size());
        if (!IsUtf8(rest)) return false;
        out = {std::string(rest), SettingsMark::Utf8};
        return true;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        const std::string_view rest = bytes.substr(2);
        if (rest.size() % 2) return false;
        std::u16string units(rest.size() / 2, u'\0');
        for (size_t k = 0; k < units.size(); ++k)
            units[k] = static_cast<char16_t>(static_cast<unsigned char>(rest[2 * k]) |
                                             static_cast<unsigned char>(rest[2 * k + 1]) << 8);
        std::string text = Utf8FromUtf16(units);
        if (!IsUtf8(text)) return false;  // an unpaired surrogate
        out = {std::move(text), SettingsMark::Utf16Le};
        return true;
    }
    if (!IsUtf8(bytes)) return false;
    out = {std::string(bytes), SettingsMark::None};
    return true;
}

std::string EncodeSettingsText(const SettingsText& text) {
    switch (text.mark) {
        case SettingsMark::None: return text.utf8;
        case SettingsMark::Utf8: return std::string(kUtf8Mark) + text.utf8;
        case SettingsMark::Utf16Le: {
            const std::u16string units = Utf16FromUtf8(text.utf8);
            std::string out("\xFF\xFE");
            out.reserve(2 + 2 * units.size());
            for (const char16_t unit : units) {
                out += static_cast<char>(unit & 0xFF);
                out += static_cast<char>(unit >> 8);
            }
            return out;
        }
    }
    return text.utf8;
}

// ---- 7-Zip ----

namespace {

// Each string of the value with its byte range (its NUL included when it has one).
template <class Each>
void NulStrings(std::string_view bytes, Each each) {
    std::u16string s;
    size_t begin = 0;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
        if (unit != 0) {
            s += unit;
            continue;
        }
        each(Utf8FromUtf16(s), begin, at + 2);
        s.clear();
        begin = at + 2;
    }
    if (!s.empty()) each(Utf8FromUtf16(s), begin, begin + 2 * s.size());
}

}  // namespace

std::vector<std::string> NulListEntries(std::string_view bytes) {
    std::vector<std::string> out;
    NulStrings(bytes, [&](std::string text, size_t, size_t) { out.push_back(std::move(text)); });
    return out;
}

std::string NulListWithout(std::string_view bytes, const std::vector<std::string>& gone) {
    std::string out;
    out.reserve(bytes.size());
    size_t at = 0;
    NulStrings(bytes, [&](const std::string& text, size_t begin, size_t end) {
        if (!IsGone(gone, text)) out.append(bytes.substr(begin, end - begin));
        at = end;
    });
    out.append(bytes.substr(at));  // a last odd byte
    return out;
}

// ---- Qt INI ----

std::vector<std::string> IniListEntries(std::string_view text, std::string_view section, std::string_view key) {
    const auto lines = FindIniKey(text, section, key);
    if (!lines || lines->empty()) return {};
    const auto items = IniItems(text, lines->back().valueBegin, lines->back().valueEnd);
    std::vector<std::string> out;
    if (items)
        for (const IniItem& item : *items) out.push_back(item.text);
    return out;
}

std::optional<std::string> IniListWithout(std::string_view text, std::string_view section, std::string_view key,
                                          std::span<const std::string_view> parallelKeys,
                                          const std::vector<std::string>& gone) {
    const auto lines = FindIniKey(text, section, key);
    if (!lines || lines->size() > 1) return std::nullopt;
    if (lines->empty()) return std::string(text);
    const auto items = IniItems(text, lines->front().valueBegin, lines->front().valueEnd);
    if (!items) return std::nullopt;
    std::vector<bool> drop(items->size());
    for (size_t k = 0; k < items->size(); ++k) drop[k] = IsGone(gone, (*items)[k].text);

    // Every parallel list must read cleanly before anything is cut.
    std::vector<Cut> cuts;
    std::vector<std::string_view> seen{key};
    for (const std::string_view other : parallelKeys) {
        if (std::any_of(seen.begin(), seen.end(), [&](std::string_view s) { return EqualsIgnoreCase(s, other); }))
            continue;
        seen.push_back(other);
        const auto otherLines = FindIniKey(text, section, other);
        if (!otherLines || otherLines->size() > 1) return std::nullopt;
        if (otherLines->empty()) continue;
        const auto otherItems = IniItems(text, otherLines->front().valueBegin, otherLines->front().valueEnd);
        if (!otherItems) return std::nullopt;
        std::vector<bool> otherDrop(otherItems->size());
        for (size_t k = 0; k < otherDrop.size() && k < drop.size(); ++k) otherDrop[k] = drop[k];
        if (std::find(otherDrop.begin(), otherDrop.end(), true) != otherDrop.end())
            cuts.push_back(IniListCut(text, otherLines->front(), *otherItems, otherDrop));
    }
    if (std::find(drop.begin(), drop.end(), true) == drop.end()) return std::string(text);
    cuts.push_back(IniListCut(text, lines->front(), *items, drop));
    return Applied(text, std::move(cuts));
}

std::string MediaEntryText(std::string_view mrl) { return ShownUrl(mrl); }

// ---- Notepad++ ----

std::vector<std::string> XmlHistoryFiles(std::string_view text) {
    const auto history = ParseConfigXml(text);
    std::vector<std::string> out;
    if (history)
        for (const XmlFile& file : history->files)
            if (file.filename) out.push_back(*file.filename);
    return out;
}

std::optional<std::string> XmlHistoryWithout(std::string_view text, const std::vector<std::string>& gone) {
    const auto history = ParseConfigXml(text);
    if (!history || history->histories > 1) return std::nullopt;
    // Removed elements with only blanks between them go as one, so a line of them goes whole.
    std::vector<std::pair<size_t, size_t>> blocks;
    for (const XmlFile& file : history->files) {
        if (!file.filename || !IsGone(gone, *file.filename)) continue;
        if (!blocks.empty()) {
            const std::string_view between = text.substr(blocks.back().second, file.begin - blocks.back().second);
            if (std::all_of(between.begin(), between.end(), IsBlank)) {
                blocks.back().second = file.end;
                continue;
            }
        }
        blocks.emplace_back(file.begin, file.end);
    }
    std::vector<Cut> cuts;
    for (const auto& [begin, end] : blocks) {
        size_t lineBegin = begin, lineEnd = end;
        while (lineBegin > 0 && IsBlank(text[lineBegin - 1])) --lineBegin;
        while (lineEnd < text.size() && IsBlank(text[lineEnd])) ++lineEnd;
        const bool aloneLeft = lineBegin == 0 || IsLineEnd(text[lineBegin - 1]);
        const bool aloneRight = lineEnd == text.size() || IsLineEnd(text[lineEnd]);
        if (aloneLeft && aloneRight) cuts.push_back({lineBegin, lineEnd + LineEndLength(text, lineEnd), {}});
        else cuts.push_back({lineBegin, end, {}});
    }
    return Applied(text, std::move(cuts));
}

// ---- VS Code ----

std::vector<std::string> RecentlyOpenedEntries(std::string_view json) {
    const auto list = ParseRecentlyOpened(json);
    std::vector<std::string> out;
    if (list)
        for (const RecentEntry& entry : list->entries)
            if (entry.shown) out.push_back(*entry.shown);
    return out;
}

std::optional<std::string> RecentlyOpenedWithout(std::string_view json, const std::vector<std::string>& gone) {
    const auto list = ParseRecentlyOpened(json);
    if (!list || list->lists > 1) return std::nullopt;
    const std::vector<RecentEntry>& entries = list->entries;
    std::vector<bool> drop(entries.size());
    for (size_t k = 0; k < entries.size(); ++k) drop[k] = entries[k].shown && IsGone(gone, *entries[k].shown);
    if (std::find(drop.begin(), drop.end(), true) == drop.end()) return std::string(json);
    // The kept elements, each with the comma and white space that stood before it.
    std::string kept;
    bool any = false;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (drop[k]) continue;
        if (any) kept.append(json.substr(entries[k - 1].end, entries[k].begin - entries[k - 1].end));
        kept.append(json.substr(entries[k].begin, entries[k].end - entries[k].begin));
        any = true;
    }
    return Applied(json, {{entries.front().begin, entries.back().end, std::move(kept)}});
}
