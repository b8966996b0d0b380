// Small file-system queries.
#pragma once

#include <string>

// Folder of the running executable, ending with a backslash.
std::string ExeDirectory();
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
