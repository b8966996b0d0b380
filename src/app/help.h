// The Help command: the help file beside the executable, else the help page.
#pragma once

#include <windows.h>

#include <string>

inline constexpr char kHelpFileName[] = "Ormatek Sorvanda.chm";
inline constexpr char kVendorSite[] = "http://www.ormatek-software.com";
inline constexpr char kHelpPagePath[] = "/products/security/ormatek-sorvanda/help/";

// What Help opens: the help file when it exists beside the executable, else the page.
std::string HelpTarget();
// Opens it through the shell.
void ShowHelp(HWND owner);
