// What the Open and Save dialogs remember (HKCU\...\Explorer\ComDlg32), read
// from the values' bytes alone: shell item ID lists and the program names put
// before them. Untrusted input: every size is checked. Needs no Windows headers.
#pragma once

#include <string>
#include <string_view>

// The path an ID list names, as Explorer would write it: "C:\Users\Ann\Documents\report.docx",
// "\\server\share\file", "Desktop\notes.txt", "This PC\Documents". Untrusted bytes: every size is
// checked; an item of a kind not known is written as "[item 0xNN]" and the walk goes on when its size
// allows; a damaged list gives what was decoded and then "[damaged]"; never a crash, never a read past the input.
// The text is UTF-8 (names with unpaired surrogates keep them as utf.h does).
std::string ShellItemsPath(std::string_view idList);

enum class DialogList { OpenSave, LastVisited, CidSize };

// What a value of one of the three lists shows: OpenSave the path; LastVisited "program.exe: <path of the folder>";
// CidSize "program.exe". Data too short or without its NUL is shown as "(unreadable data, N bytes)".
std::string DialogMruText(DialogList list, std::string_view data);
