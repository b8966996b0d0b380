// Comparing version texts such as "2010.1.2".
#pragma once

#include <string_view>

// Compares two versions part by part (parts are separated by "."). Within a
// part, a leading number compares by its value (2010.1.10 is newer than
// 2010.1.2), and what follows it compares as text; a part without a leading
// number comes before one with a number. When all shared parts are equal the
// version with more parts is the greater. Returns <0, 0 or >0; a total order.
int CompareVersions(std::string_view a, std::string_view b);

// Whether remote is strictly newer than installed; an empty remote never is.
bool IsNewerVersion(std::string_view remote, std::string_view installed);
