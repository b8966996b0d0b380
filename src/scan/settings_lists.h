// The recent-item lists everyday programs keep in their settings: reading the
// entries, and writing the settings back without chosen ones while every other
// byte stays as it was. Untrusted input: nothing is read past the text, nesting
// is bounded, and a text that is not understood is never edited. Entries are
// named by the text the program shows for them; removing a text removes every
// entry that shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A settings file's bytes as UTF-8 text, and back in the same encoding: UTF-8 with or without its mark,
// UTF-16 little-endian with its mark. False when the bytes are not text in that encoding (then out is
// empty); an unpaired surrogate in UTF-16 is not text.
enum class SettingsMark : uint8_t { None, Utf8, Utf16Le };
struct SettingsText { std::string utf8; SettingsMark mark = SettingsMark::None; };
bool DecodeSettingsText(std::string_view bytes, SettingsText& out);
std::string EncodeSettingsText(const SettingsText& text);   // Decode then Encode gives the same bytes

// 7-Zip's history values (REG_BINARY): UTF-16LE strings, each ended by a NUL character.
// Empty strings between two NULs are entries too; a last odd byte is no character and is kept as it is.
std::vector<std::string> NulListEntries(std::string_view bytes);       // in order, UTF-8; an unterminated tail is an entry too
std::string NulListWithout(std::string_view bytes, const std::vector<std::string>& gone);

// A list value of a Qt-style INI file (VLC's vlc-qt-interface.ini: section [RecentsMRL], key list=
// "file:///C:/Videos/a.mp4, file:///C:/b%20c.mkv", and times= with one number per entry). Items are read
// as Qt reads them (quotes, \" \\ \xNNNN and the other escapes, ", " between items); an empty value or
// @Invalid() is no entries. Section and key names are as written in the file and compare without regard
// to the case of ASCII letters, as Qt's INI reading does on Windows; keys before any section are in
// "General". When a key is written twice the last one counts. A file with an unterminated quote, or a
// value holding a raw line end or another @-typed value, is not understood: no entries.
std::vector<std::string> IniListEntries(std::string_view text, std::string_view section, std::string_view key);
// Without the entries whose text (as IniListEntries gives it) is in gone; the same positions go from each
// parallel key's list (times=), so the lists stay in step; a parallel list shorter than the main one loses
// only the positions it has. A list left empty loses its whole line. nullopt when the list cannot be
// parsed safely, or the key or a parallel key is written twice in the section.
std::optional<std::string> IniListWithout(std::string_view text, std::string_view section, std::string_view key,
                                          std::span<const std::string_view> parallelKeys,
                                          const std::vector<std::string>& gone);
// What VLC shows for an entry: a file:/// URL as a Windows path ("file:///C:/b%20c.mkv" → "C:\b c.mkv",
// percent-decoding to UTF-8; "file://host/share/x" → "\\host\share\x"), anything else (http://...,
// dvd://, and a file URL that does not decode to UTF-8) as it stands.
std::string MediaEntryText(std::string_view mrl);

// Notepad++'s config.xml: <NotepadPlus> ... <History nbMaxFile="10" inSubMenu="no" customLength="-1">
// <File filename="C:\notes\a.txt" /> ... </History>. Entity references (&amp; &lt; &gt; &quot; &apos; &#NNN; &#xHH;) decoded.
// Only the first History element under the NotepadPlus root counts, and only File elements right under it
// that have a filename. A document that is not well formed (or has a DOCTYPE) gives no files.
std::vector<std::string> XmlHistoryFiles(std::string_view text);
// Without the <File .../> elements whose filename is in gone: the element and the whitespace/line it stands on
// (its own line when it stands alone on a line), nothing else touched. nullopt when no safe edit: the
// document is not well formed, or holds more than one History element under its root.
std::optional<std::string> XmlHistoryWithout(std::string_view text, const std::vector<std::string>& gone);

// VS Code's recently opened list: the JSON value of 'history.recentlyOpenedPathsList' in its state.vscdb:
// {"entries":[{"folderUri":"file:///c%3A/proj"},{"fileUri":"file:///c%3A/Users/ann/a.txt","label":"..."},
// {"workspace":{"id":"...","configPath":"file:///c%3A/w.code-workspace"}},{"folderUri":"vscode-remote://..."}]}
// Shown text: a file URI as a Windows path ("c:\proj"; percent-decoded; the drive letter as written), others as the URI.
// An element that is no entry of a known kind is skipped, as VS Code skips it; with "entries" written
// twice the last counts, as in JSON.parse.
std::vector<std::string> RecentlyOpenedEntries(std::string_view json);
// Without the entries whose shown text is in gone; the rest of the JSON (other keys, the other entries,
// their order and spelling) unchanged but for the commas between entries. nullopt when not that JSON:
// not valid JSON, nested deeper than 64, no "entries" array in the top object, or "entries" twice there.
std::optional<std::string> RecentlyOpenedWithout(std::string_view json, const std::vector<std::string>& gone);
