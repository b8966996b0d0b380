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

// Receives each entry cut out; returns false to stop the cutting.
using EntrySink = std::function<bool(std::string_view entry)>;

// Every "http://" address up to the first ")" after it. The search for the
// next address starts at the last character of the one just cut. An address
// with no ")" after it ends the cutting without an entry.
void CutHistoryEntries(std::string_view text, const EntrySink& sink);

// In upper-cased text: from each CR LF "." (a line that begins with a dot) up
// to the first "TRUE" after it, so the entry is CR, LF, the dot, the domain and
// the tab before TRUE. The next search starts at the last character of the
// entry. A line start with no "TRUE" after it ends the cutting without an entry.
void CutCookieEntries(std::string_view upperText, const EntrySink& sink);
