// The Help command: the help file beside the executable, else the help page.
#pragma once

#include <windows.h>

#include <string>

inline constexpr char kHelpFileName[] = "Ormatek Sorvanda.chm";
// The help's pages as they are, in this folder beside the executable.
inline constexpr char kHelpPagesFolder[] = "help";
inline constexpr char kVendorSite[] = "http://www.ormatek-software.com";
inline constexpr char kHelpPagePath[] = "/products/security/ormatek-sorvanda/help/";

// What Help opens: the help file when it exists beside the executable, else
// its pages there, else the page on the web. Under Wine the pages come first:
// Wine's help viewer shows nothing in a prefix without its HTML engine, and
// the pages open in the desktop's browser.
std::string HelpTarget();
// Opens it through the shell (the pages under Wine through its browser command).
void ShowHelp(HWND owner);
