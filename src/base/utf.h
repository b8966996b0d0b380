// UTF-8 inside the program, UTF-16 at the operating system. Names the system
// hands out may hold unpaired surrogates (legal in NTFS and in the registry);
// they travel as WTF-8 (the surrogate's own three-byte form), so every UTF-16
// name converts to one UTF-8 text and back to exactly itself, and two
// different names never become one text. Needs no Windows headers.
#pragma once

#include <string>
#include <string_view>

// UTF-16 to UTF-8; an unpaired surrogate becomes its three-byte form.
std::string Utf8FromUtf16(std::u16string_view text);

// UTF-8 to UTF-16; the three-byte form of a surrogate becomes that surrogate
// again. A byte that starts no valid sequence becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

// Whether the text is UTF-8 (surrogate forms allowed when allowSurrogates).
bool IsUtf8(std::string_view text, bool allowSurrogates = false);

// Number of characters (code points) of UTF-8 text; a stray byte counts as one.
size_t Utf8Length(std::string_view text);

// Whether every byte is ASCII (then the text reads the same in UTF-8 and in
// every code page the program reads files in).
bool IsAsciiText(std::string_view text);
