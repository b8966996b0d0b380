// Shell folders, the URL cache and the recycle bin.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/handles.h"

inline constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The text of a "Shell Folders" value ("Favorites", "SendTo", "Recent",
// "AppData", "Local AppData") under HKEY_CURRENT_USER; empty when missing.
// keyOpened (if given) tells whether the key itself could be opened.
std::string ShellFolder(const std::string& valueName, bool* keyOpened = nullptr);
// The path of a known folder named by its GUID in braces ("{905e63b6-...}");
// empty when the text is no GUID or no such folder is known here.
std::string KnownFolderPath(const std::string& guidInBraces);

struct UrlCacheEntry {
    std::string url;        // source URL name, as the cache decodes it
    std::string localFile;  // local file name, may be empty
    DWORD type = 0;         // entry type word
};

// Walks the URL cache with the size-probing protocol: a call that fails with
// 122 reports the size it needs and is made again with a buffer of that size.
// The first call asks with no buffer and size 0; later calls offer the buffer
// the walk already has, so an entry that fits costs one call instead of two.
// The walk ends on 259 (no more items), 87, a first probe that yields no
// handle, or any other error.
class UrlCacheWalker {
public:
    bool First(UrlCacheEntry& entry);
    bool Next(UrlCacheEntry& entry);

private:
    bool Take(UrlCacheEntry& entry);
    UniqueUrlCacheFind find_;
    std::vector<unsigned char> buffer_;
    bool ended_ = false;
};

// Deletes the URL-cache entry of a source URL; true when it is gone afterwards
// (deleted now, or not in the cache under exactly that URL).
bool DeleteUrlCacheEntryByUrl(const std::string& url);

// Empties the recycle bins of all drives, without confirmation, progress or
// sound, through the shell's own function, looked up in Shell32.dll at run time.
enum class RecycleBinEmptied { Yes, NoShellLibrary, NoFunction, Failed };
RecycleBinEmptied EmptyRecycleBins(HWND owner);
// The security identifier of the user this process runs as ("S-1-5-21-..."),
// which names the user's folder in each drive's recycle bin; empty when unknown.
std::string CurrentUserSid();
// The version of Windows this runs on as major << 16 | minor (10.0 is 0xA0000),
// as the system reports it whatever the program's manifest claims; 0 when unknown.
uint32_t WindowsVersion();
// Sends a folder tree to the recycle bin through the shell.
bool SendFolderToRecycleBin(const std::string& folder);
