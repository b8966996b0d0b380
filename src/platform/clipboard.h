// The clipboard as a trace: what is on it, in a few words, and emptying it.
#pragma once

#include <string>

#include "platform/system_error.h"

struct ClipboardContent {
    bool opened = false;    // the clipboard could be opened (another program may hold it)
    int formats = 0;        // how many formats it holds; 0 when it is empty
    std::string summary;    // "Text: the first line", "Files: C:\a.txt (+2)", "Picture", "Format 49161"
};

// What is on the clipboard now; it is left as it is.
ClipboardContent ReadClipboard();
// Empties the clipboard; false (and why) when another program holds it open.
bool EmptyTheClipboard(SystemError* error = nullptr);
