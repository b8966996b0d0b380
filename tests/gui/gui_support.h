// Helpers for driving the real windows in-process: clicks and pointer moves
// as window messages, a message pump, and scripted dialogs that record what
// the program asked.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/user_dialogs.h"

class TFrm_Main;
class TreeView;
class TreeModel;

// Answers message boxes from a script and records every request.
class ScriptedDialogs : public UserDialogs {
public:
    struct MessageCall { std::string text, caption; UINT flags; };
    struct OpenCall { std::string target, params, dir; int show; };
    std::vector<MessageCall> messages;
    std::vector<OpenCall> opens;
    std::vector<int> answers;  // answered in order; IDOK when the script runs out
    std::vector<std::string> files, folders;  // what the open dialog and the folder browser return, in order
    std::vector<std::string> folderTitles;
    // Questions before a clean: what was asked, and the script's answers
    // (IDOK when it runs out) with the "Don't ask again" box as dontAskAgain says.
    struct ConfirmCall { std::string text, caption, action; };
    std::vector<ConfirmCall> confirms;
    std::vector<int> confirmAnswers;
    bool dontAskAgain = false;
    // What the open dialog for several files returns, in order (then one of files), and where it started.
    std::vector<std::vector<std::string>> fileLists;
    std::vector<std::string> openFolders;

    int Message(HWND, const std::string& text, const std::string& caption, UINT flags) override;
    void ShellOpen(HWND, const std::string& target, const std::string& params, const std::string& dir,
                   int show) override;
    std::string OpenFile(HWND) override;
    std::string BrowseForFolder(HWND, const std::string& title) override;
    std::vector<std::string> OpenFiles(HWND owner, const std::string& startFolder) override;
    int Confirm(HWND, const std::string& text, const std::string& caption, const std::string& action,
                bool& dontAsk) override;
};

// Installs scripted dialogs for the scope.
class DialogScope {
public:
    DialogScope() { SetDialogs(&dialogs); }
    ~DialogScope() { SetDialogs(nullptr); }
    ScriptedDialogs dialogs;
};

void Pump();

// The temporary folder, ending with a backslash.
std::string TempFolder();

// The ticks and the "Don't ask again" the user left in the settings go, so
// that each window starts from the defaults.
void ForgetUserChoices();
// Opens the main window as the program does (after ForgetUserChoices), with no scan running, and lets
// it paint; form holds it.
void OpenMainWindow(std::unique_ptr<TFrm_Main>& form);
// Left click (press and release) at a client point of a window, or its centre.
void Click(HWND hwnd, int x = -1, int y = -1);
void Press(HWND hwnd, UINT downMessage, int x, int y);
// The pointer enters / leaves a control.
void Hover(HWND hwnd);
void Unhover(HWND hwnd);
// A client point of the node's tick box, found by the control's own hit test.
POINT TickBoxPoint(const TreeView& tree, int node);
// Clicks the node's tick box until the node is ticked (or unticked): a partly
// ticked category or root takes two clicks to untick.
void TickByClicks(const TreeView& view, const TreeModel& model, int node, bool ticked);
// A point right of the node's label.
POINT RightOfLabelPoint(const TreeView& tree, int node);
// The control's state image index as the system control holds it.
int ControlStateImage(const TreeView& tree, int node);
// The control's picture index as the system control holds it.
int ControlImage(const TreeView& tree, int node);
