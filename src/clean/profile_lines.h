// Taking single lines out of a browser's text file (cookies.txt), so that a
// clean removes exactly the ticked traces and keeps the others byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"

// A line to remove: its 0-based index in the file, and the text the scan cut
// from its start (in upper case, after the line end that precedes it), which
// the line must still begin with.
struct LineToRemove {
    int64_t line;
    std::string cutText;
};

// Rewrites the file without those lines. The file is rewritten in place and
// the bytes past its new end are overwritten before it is cut short, so no
// removed line stays readable in it or beside it. When the file is in use,
// or any line no longer holds what the scan found, nothing is changed and the
// reason is returned; StayReason::None when the lines are gone.
StayReason RemoveLinesFromFile(const std::string& path, const std::vector<LineToRemove>& lines);
