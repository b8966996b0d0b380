// Small text helpers every layer shares: trimming, lines, ASCII letter case,
// wildcards. They treat text as bytes (UTF-8 inside the program) and need nothing
// but the standard library.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Removes leading and trailing bytes with codes 0 to 32.
std::string_view TrimControl(std::string_view s);

// Splits text into lines ending at CR LF, a lone CR or a lone LF. A last line
// without a line end is kept; an empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// ASCII letters in lower case; other bytes as they are.
std::string AsciiLower(std::string_view s);
// Equal but for the case of ASCII letters.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// Whether name matches pattern, where "*" stands for any run of bytes and "?"
// for one byte; ASCII letters match in either case.
bool MatchesWildcard(std::string_view name, std::string_view pattern);
// The same for a name and a pattern already in lower case, without copying either.
bool MatchesLowerWildcard(std::string_view name, std::string_view pattern);

// The text on one line: CR, LF and tab written as \r, \n and \t, other
// control characters as "?" (cookie pieces hold line ends).
std::string PrintableText(const std::string& s);
