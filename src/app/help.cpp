#include "app/help.h"

#include "platform/files.h"
#include "platform/processes.h"
#include "platform/user_dialogs.h"

std::string HelpTarget() {
    const std::string file = ExeDirectory() + kHelpFileName;
    const std::string pages = ExeDirectory() + kHelpPagesFolder + "\\index.html";
    if (RunningUnderWine() && FileExists(pages)) return pages;
    if (FileExists(file)) return file;
    if (FileExists(pages)) return pages;
    return std::string(kVendorSite) + kHelpPagePath;
}

void ShowHelp(HWND owner) {
    const std::string target = HelpTarget();
    // Wine has no program for a page on disk; its browser command hands the page to the desktop's browser.
    if (RunningUnderWine() && target.size() > 5 && target.compare(target.size() - 5, 5, ".html") == 0)
        return Dialogs().ShellOpen(owner, "winebrowser.exe", "\"" + target + "\"", "", SW_SHOWNORMAL);
    OpenDocument(owner, target);
}
