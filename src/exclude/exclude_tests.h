// The two questions every scanner asks before it records a trace. Both answer
// from an index of the list (rebuilt when the list changes), so they cost the
// same with ten entries or ten thousand.
#pragma once

#include <string>

#include "model/records.h"

// True when an entry has this ItemName and a Location equal to path.
bool IsFileExcluded(const std::string& item, const std::string& path, const TExcludeContents& list);

// True when an entry has this ItemName, this Location and an EntryData equal to
// valueData, both trimmed of bytes 0 to 32 at either end. The value name is not
// compared, so an entry keeps covering an MRU item that moves to another name.
bool IsRegExcluded(const std::string& item, const std::string& location, const std::string& valueName,
                   const std::string& valueData, const TExcludeContents& list);
