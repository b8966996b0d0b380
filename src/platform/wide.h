// The one place where the program's UTF-8 text meets the system's UTF-16 and
// its ANSI code page. Every call into the system converts here, losslessly
// (see utf.h), and never through the code page.
#pragma once

#include <string>
#include <string_view>

// UTF-8 text as the system's wide text, and back.
std::wstring ToWide(std::string_view utf8);
std::string FromWide(std::wstring_view wide);
std::string FromWide(const wchar_t* wide);  // nullptr: empty

// The system's ANSI code page: the locale's own, whatever a manifest asks of
// the process (the exclusion file was always written in it).
unsigned SystemAnsiCodePage();
// Bytes in a code page as UTF-8.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);
// The same, but false when a byte (or sequence) is no character of the code page.
bool CodePageToUtf8Strict(std::string_view bytes, unsigned codePage, std::string& out);
// UTF-8 as bytes in a code page; false when any character has no exact
// counterpart there (no "best fit" look-alikes).
bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out);

// The text in upper case by the system's rules for every script (ASCII text
// the quick way, with the same result).
std::string UpperCaseText(std::string_view utf8);
