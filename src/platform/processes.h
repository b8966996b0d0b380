// The running processes.
#pragma once

#include <string>

// Whether a process whose executable name, in lower case, equals lowerName runs.
bool IsProcessRunning(const std::string& lowerName);

// Whether this program runs under Wine rather than on Windows itself.
bool RunningUnderWine();

// A variable of this process's environment; empty when it is not set.
std::string EnvironmentVariable(const std::string& name);
