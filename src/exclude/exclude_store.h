// The exclusion list and its file "Exclude1Items.est" beside the executable.
// Every change is written at once: an add appends one line, a modify or remove
// rewrites the file. Failures are silent: the list in memory keeps the change.
#pragma once

#include <string>

#include "model/records.h"

// Full path of the exclusion file: the executable's folder + "Exclude1Items.est".
std::string ExcludeFilePath();

// The list a session holds, and the file beside the executable.
// Clears the list and fills it from the file; an absent file is an empty
// list. False when the file is there but could not be read: the list is then
// marked FileUnread, and is read again before anything is written back.
bool LoadExcludeItems(TExcludeContents& list);
// Appends the entry unless one equal in all four fields exists. True when it
// was new (the caller then withdraws the excluded row's record).
bool AddExcludeItem(TExcludeContents& list, const TExcludeContentItem& entry);
// Gives the first entry of itemName whose Location is oldLocation the new
// Location; rewrites the file in any case. False, with nothing changed, when
// the file could not be read (then or now) or not be written.
bool ModifyExcludeItem(TExcludeContents& list, const std::string& itemName, const std::string& oldLocation,
                       const std::string& newLocation);
// Deletes the first entry of itemName whose shown value is shownValue;
// rewrites the file in any case. False as for ModifyExcludeItem.
bool RemoveExcludeItem(TExcludeContents& list, const std::string& itemName, const std::string& shownValue);
// Puts now in place of the first entry equal to old in all four fields, or
// deletes that entry (RemoveExcludeEntry), and rewrites the file. False, with
// nothing changed, when there is no such entry (the file changed meanwhile),
// or the file could not be read or written.
bool ReplaceExcludeItem(TExcludeContents& list, const TExcludeContentItem& old, const TExcludeContentItem& now);
bool RemoveExcludeEntry(TExcludeContents& list, const TExcludeContentItem& entry);
// Rewrites the file from the list. True when the new file is in place.
bool SaveExcludeItems(const TExcludeContents& list);
// Reads the file again when it could not be read before (see LoadExcludeItems);
// true when the list now holds its entries.
bool ReadExcludeItemsAgain(TExcludeContents& list);

// The same on an explicit list and file.
bool LoadExcludeItemsFrom(const std::string& path, TExcludeContents& list);
// A list loaded from a file that could not be read is read again; true when
// the list now holds the file's entries (and those added meanwhile).
bool ReadAgainBeforeSaving(const std::string& path, TExcludeContents& list);
bool AddExcludeItemTo(const std::string& path, TExcludeContents& list, const TExcludeContentItem& entry);
bool ModifyExcludeItemIn(const std::string& path, TExcludeContents& list, const std::string& itemName,
                         const std::string& oldLocation, const std::string& newLocation);
bool RemoveExcludeItemFrom(const std::string& path, TExcludeContents& list, const std::string& itemName,
                           const std::string& shownValue);
bool ReplaceExcludeItemIn(const std::string& path, TExcludeContents& list, const TExcludeContentItem& old,
                          const TExcludeContentItem* now);
// Writes the list beside the old file, flushes it and puts it in place in one
// rename; when anything fails the old file stays exactly as it was. Refused
// for a list whose file could not be read.
bool SaveExcludeItemsTo(const std::string& path, const TExcludeContents& list);
