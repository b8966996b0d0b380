// The running processes.
#pragma once

#include <string>

// Whether a process whose executable name, in lower case, equals lowerName runs.
bool IsProcessRunning(const std::string& lowerName);
