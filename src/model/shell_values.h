// The ways Explorer stores its lists in the registry: numbered values ordered
// by an MRUListEx value, UTF-16 text at the start of binary data, and value
// names written in ROT13.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Whether a value name is made of decimal digits only: the values a numbered
// list holds, and look-alikes such as "007".
bool IsDigitName(std::string_view name);
// Whether a value name is a list number: its canonical decimal spelling ("0",
// or no leading zero), below the end marker; n receives it. "007" and "+7"
// are no list number: such a value never touches the list.
bool IsNumberedName(std::string_view name, uint32_t* n = nullptr);

// The numbers an MRUListEx value holds, most recent first: 32-bit little-endian
// numbers up to the end marker 0xFFFFFFFF (or the end of the data).
std::vector<uint32_t> MruListNumbers(std::string_view data);
// The MRUListEx data without the numbers, in the same order, ending with the marker.
std::string MruListWithout(std::string_view data, const std::set<uint32_t>& numbers);

// The UTF-16LE text at the start of binary data, up to its first NUL, as UTF-8.
std::string Utf16TextAtStart(std::string_view data);

// Registry data types, as the system numbers them.
enum : uint32_t { kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegQword = 11 };
// What a numbered value holds, in words: the text at the start of binary or
// text data; a number as "(number 7)"; otherwise "(no text, 12 bytes)".
std::string NumberedValueText(uint32_t type, std::string_view data);

// ROT13 of the ASCII letters; every other byte as it is. Its own inverse.
std::string Rot13(std::string_view text);
