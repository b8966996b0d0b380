// Cutting entries out of browser profile files: URLs from a history file and
// cookie pieces from a cookie file. One forward pass over the text each.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The text as a list of lines (ending at CR LF, CR or LF), each line written
// back followed by CR LF. keepGoing, when given, is asked after every MiB;
// false stops the work (the text is then incomplete).
std::string JoinLinesCrLf(std::string_view raw, const std::function<bool()>& keepGoing = {});

// The text with each of its line ends (CR LF, CR or LF) written as CR LF, and
// nothing added: what a piece of the text reads as in JoinLinesCrLf's text
// when the piece starts and ends on no line end.
std::string WithCrLfLineEnds(std::string_view text);

// Receives each entry cut out; returns false to stop the cutting.
using EntrySink = std::function<bool(std::string_view entry)>;

// Every "http://" address up to the first ")" after it. The search for the
// next address starts at the last character of the one just cut. An address
// with no ")" after it ends the cutting without an entry. No line end is part
// of what is searched for, so the raw text gives the same entries as its
// JoinLinesCrLf text, each with its line ends as they stand in the file.
void CutHistoryEntries(std::string_view text, const EntrySink& sink);

// In upper-cased text: from each CR LF "." (a line that begins with a dot) up
// to the first "TRUE" after it, so the entry is CR, LF, the dot, the domain and
// the tab before TRUE. The next search starts at the last character of the
// entry. A line start with no "TRUE" after it ends the cutting without an entry.
void CutCookieEntries(std::string_view upperText, const EntrySink& sink);

// The entry the cutting gave that starts at at (a position the sink was given):
// the same bytes, found again by the same rule. A null view when there is none.
std::string_view HistoryEntryAt(std::string_view text, size_t at);
std::string_view CookieEntryAt(std::string_view upperText, size_t at);
