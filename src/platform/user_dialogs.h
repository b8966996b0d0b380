// Every message box and shell open of the program goes through this one
// interface, so that tests can answer it with a script and see what was asked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message box; returns the button pressed (IDOK, IDYES, ...).
    virtual int Message(HWND owner, const std::string& text, const std::string& caption, UINT flags) = 0;
    // Asks the shell to open a document, web page or program.
    virtual void ShellOpen(HWND owner, const std::string& target, const std::string& params,
                           const std::string& dir, int show) = 0;
    // The file-open dialog (one file); the chosen path, or empty when cancelled.
    virtual std::string OpenFile(HWND owner) = 0;
    // The file-open dialog for several files at once, every kind of file
    // shown, starting in the given folder; the chosen paths, none when cancelled.
    virtual std::vector<std::string> OpenFiles(HWND owner, const std::string& startFolder) {
        (void)startFolder;
        std::string one = OpenFile(owner);
        if (one.empty()) return {};
        return {one};
    }
    // A question before an action that cannot be undone: a button named for
    // the action, Cancel, and a "Don't ask again" box. IDOK for the action,
    // IDCANCEL otherwise; dontAskAgain says whether the box was ticked.
    virtual int Confirm(HWND owner, const std::string& text, const std::string& caption, const std::string& action,
                        bool& dontAskAgain) {
        dontAskAgain = false;
        (void)action;
        return Message(owner, text, caption, MB_ICONWARNING | MB_OKCANCEL) == IDOK ? IDOK : IDCANCEL;
    }
    // The folder browser (file-system folders only); the chosen path, or empty.
    virtual std::string BrowseForFolder(HWND owner, const std::string& title) = 0;
};

// The dialogs in use: the real ones unless a test installed its own.
UserDialogs& Dialogs();
// Installs replacement dialogs; nullptr restores the real ones.
void SetDialogs(UserDialogs* dialogs);

// Opens a document or web page through the dialogs in use, in a normal window,
// as the shell does when the user opens it.
void OpenDocument(HWND owner, const std::string& target);
