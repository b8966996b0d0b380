#include "app/help.h"

#include "platform/files.h"
#include "platform/user_dialogs.h"

std::string HelpTarget() {
    const std::string file = ExeDirectory() + kHelpFileName;
    if (FileExists(file)) return file;
    return std::string(kVendorSite) + kHelpPagePath;
}

void ShowHelp(HWND owner) { OpenDocument(owner, HelpTarget()); }
