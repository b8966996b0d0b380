// The ways Explorer stores its lists in the registry: numbered values ordered
// by an MRUListEx value, UTF-16 text at the start of binary data, and value
// names written in ROT13.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Whether a value name is a list number: decimal digits only.
bool IsNumberedName(std::string_view name);

// The numbers an MRUListEx value holds, most recent first: 32-bit little-endian
// numbers up to the end marker 0xFFFFFFFF (or the end of the data).
std::vector<uint32_t> MruListNumbers(std::string_view data);
// The MRUListEx data without number, in the same order, ending with the marker.
std::string MruListWithout(std::string_view data, uint32_t number);

// The UTF-16LE text at the start of binary data, up to its first NUL, as UTF-8.
std::string Utf16TextAtStart(std::string_view data);

// ROT13 of the ASCII letters; every other byte as it is. Its own inverse.
std::string Rot13(std::string_view text);
