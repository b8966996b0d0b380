#include "exclude/exclude_lines.h"

#include "base/text.h"
#include "base/utf.h"

namespace {

// Substring by 1-based start and count, with the bounds the file format uses:
// start below 1 counts as 1, start past the end or a negative count is empty,
// a count past the end is cut there.
std::string Sub(std::string_view s, long long start, long long count) {
    const long long len = static_cast<long long>(s.size());
    if (start < 1) start = 1;
    if (start > len || count < 0) return {};
    if (count > len - start + 1) count = len - start + 1;
    return std::string(s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

// 1-based position of c in s at or after 1-based from, or 0.
long long Pos(std::string_view s, char c, long long from = 1) {
    if (from < 1) from = 1;
    if (from > static_cast<long long>(s.size())) return 0;
    const size_t i = s.find(c, static_cast<size_t>(from - 1));
    return i == std::string_view::npos ? 0 : static_cast<long long>(i) + 1;
}

bool SimpleLine(std::string_view line) {
    int bars = 0, bangs = 0, angles = 0;
    for (char c : line) {
        bars += c == '|';
        bangs += c == '!';
        angles += c == '<';
    }
    if (bars > 1 || bangs > 1 || angles > 1) return false;
    const long long p1 = Pos(line, '|'), p2 = Pos(line, '!'), p3 = Pos(line, '<');
    // Present separators must come in the order | ! <.
    if (p1 && p2 && p2 < p1) return false;
    if (p1 && p3 && p3 < p1) return false;
    if (p2 && p3 && p3 < p2) return false;
    return true;
}

// A line the program writes for an entry whose plain line would not read back
// the same: the marker, then the four fields with "%", the separators, line
// ends and NUL written as %XX. No line the program wrote before starts with
// the marker (their item names are catalog names).
constexpr std::string_view kEscapedMark = "%|";

bool NeedsEscape(char c) { return c == '%' || c == '|' || c == '!' || c == '<' || c == '\r' || c == '\n' || c == '\0'; }

// A field that is no UTF-8 (bytes from an escaped line) has every byte above
// 127 escaped too, so that the line is text in every encoding the file may take.
void AppendEscaped(std::string& out, std::string_view field) {
    static const char hex[] = "0123456789ABCDEF";
    const bool text = IsUtf8(field, true);
    for (char c : field) {
        if (NeedsEscape(c) || (!text && static_cast<unsigned char>(c) >= 0x80)) {
            out += '%';
            out += hex[static_cast<unsigned char>(c) >> 4];
            out += hex[static_cast<unsigned char>(c) & 15];
        } else {
            out += c;
        }
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Unescaped(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '%' && i + 2 < field.size() && HexValue(field[i + 1]) >= 0 && HexValue(field[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(field[i + 1]) * 16 + HexValue(field[i + 2]));
            i += 2;
        } else {
            out += field[i];  // not an escape: as it stands
        }
    }
    return out;
}

TExcludeContentItem ParseEscapedLine(std::string_view line) {
    line.remove_prefix(kEscapedMark.size());
    const size_t bar = line.find('|');
    const size_t bang = line.find('!', bar == std::string_view::npos ? line.size() : bar + 1);
    const size_t angle = line.find('<', bang == std::string_view::npos ? line.size() : bang + 1);
    TExcludeContentItem e;
    if (bar == std::string_view::npos || bang == std::string_view::npos || angle == std::string_view::npos) {
        e.EntryData = Unescaped(line);  // damaged: keep what there is
        return e;
    }
    e.ItemName = Unescaped(line.substr(0, bar));
    e.Location = Unescaped(line.substr(bar + 1, bang - bar - 1));
    e.EntryName = Unescaped(line.substr(bang + 1, angle - bang - 1));
    e.EntryData = Unescaped(line.substr(angle + 1));
    return e;
}

std::string PlainLine(const TExcludeContentItem& e) {
    std::string line;
    line.reserve(e.ItemName.size() + e.Location.size() + e.EntryName.size() + e.EntryData.size() + 5);
    line += e.ItemName;
    line += '|';
    line += e.Location;
    line += '!';
    line += e.EntryName;
    line += '<';
    line += e.EntryData;
    return line;
}

}  // namespace

TExcludeContentItem ParseExcludeLine(std::string_view line) {
    if (line.substr(0, kEscapedMark.size()) == kEscapedMark) return ParseEscapedLine(line);
    TExcludeContentItem e;
    const long long len = static_cast<long long>(line.size());
    if (SimpleLine(line)) {
        const long long p1 = Pos(line, '|'), p2 = Pos(line, '!'), p3 = Pos(line, '<');
        e.ItemName = Sub(line, 1, p1 - 1);
        e.Location = Sub(line, p1 + 1, p2 - p1 - 1);
        e.EntryName = Sub(line, p2 + 1, p3 - p2 - 1);
        e.EntryData = Sub(line, p3 + 1, len - p3);
        return e;
    }
    const long long p1 = Pos(line, '|');
    const long long p3 = Pos(line, '<', p1 + 1);
    const long long end = p3 ? p3 : len + 1;  // where Location and EntryName stop
    long long p2 = 0;
    for (long long i = p1 + 1; i < end; ++i)
        if (line[static_cast<size_t>(i - 1)] == '!') p2 = i;
    e.ItemName = Sub(line, 1, p1 - 1);
    e.Location = Sub(line, p1 + 1, (p2 ? p2 : end) - p1 - 1);
    e.EntryName = p2 ? Sub(line, p2 + 1, end - p2 - 1) : std::string();
    e.EntryData = p3 ? Sub(line, p3 + 1, len - p3) : std::string();
    return e;
}

std::string FormatExcludeLine(const TExcludeContentItem& e) {
    std::string line = PlainLine(e);
    // The plain form whenever it reads back the same (every line the program
    // ever wrote for catalog traces without separators in them); else escaped.
    const bool plain = line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos &&
                       !TrimControl(line).empty() && IsUtf8(line, true) && SameEntry(ParseExcludeLine(line), e);
    if (!plain) {
        line.assign(kEscapedMark);
        AppendEscaped(line, e.ItemName);
        line += '|';
        AppendEscaped(line, e.Location);
        line += '!';
        AppendEscaped(line, e.EntryName);
        line += '<';
        AppendEscaped(line, e.EntryData);
    }
    line += "\r\n";
    return line;
}
