// Taking entries out of the recent lists programs keep: a settings file (an
// INI or XML file) keeps every other byte, its encoding among them; an
// editor's state database loses them in one change under the database rules;
// a registry list value keeps its other entries; a recycle bin's deleted item
// goes with its record.
#pragma once

#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/records.h"

// What became of each entry (by the text the scan read), in order: None when
// it is gone, NotFound when the list no longer held it. When the list could
// not be changed every entry says why and nothing changed.
std::vector<StayReason> RemoveSettingsEntries(const std::string& path, SettingsFormat format,
                                              const std::vector<std::string>& entries);

// The same for a list value of a key (NUL-separated UTF-16 paths); a value of
// one path goes whole when it still holds the entry.
std::vector<StayReason> RemoveValueListEntries(const std::string& keyFullPath, const std::string& value,
                                               const std::vector<std::string>& entries);

// A deleted item of the recycle bin: its data ("$R...", a file, or a folder
// with its tree, links removed as links) wiped, then its record ("$I...").
StayReason RemoveRecycledItem(const std::string& infoPath);
