// Every message box and shell open of the program goes through this one
// interface, so that tests can answer it with a script and see what was asked.
#pragma once

#include <windows.h>

#include <string>

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
