// Top-level borderless windows: the main window, the splash window and the
// About box share creation, the rounded outline, dragging and modal showing.
#pragma once

#include <functional>
#include <string>

#include "ui/window.h"

class Form : public Window {
public:
    struct CreateArgs {
        HWND owner = nullptr;
        int clientWidth = 0, clientHeight = 0;
        std::string caption;
        bool appWindow = false;       // has a taskbar button
        HWND centerOn = nullptr;      // nullptr: centre on the screen
        bool dialogFrame = false;     // a captioned dialog with keyboard navigation
    };
    bool CreateForm(const CreateArgs& args);
    // Shows the form and paints it at once, before any message runs.
    void ShowNow();

    // Shows the form and runs a message loop until CloseModal; the owner is
    // disabled meanwhile. Returns the result given to CloseModal.
    int ShowModal();
    void CloseModal(int result);
    bool InModalLoop() const { return modal_; }
    // Runs once the modal form is on screen, before its loop takes messages.
    std::function<void(Form&)> OnShownModal;
    // The program's main loop on this form: runs until the quit request, each
    // message first offered to PreTranslate.
    void RunMainLoop();
    // A keyboard message before it is dispatched: true when the form took it
    // (a shortcut, a move of the focus).
    virtual bool PreTranslate(MSG& msg);

    // Lays the form and everything in it out at dpi (WM_DPICHANGED); suggested
    // is where Windows puts it, nullptr where it stays.
    void FollowScale(int dpi, const RECT* suggested);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    DWORD FrameStyle() const;
    DWORD FrameExStyle() const;
    SIZE FrameSize() const;  // the window's size for its client size at the layout's scale

    CreateArgs args_;
    bool modal_ = false;
    bool modalDone_ = false;
    int modalResult_ = 0;
};

// Gives a window the rounded outline: corner ellipses of 16 x 16 pixels over
// the whole client area.
void ApplyRoundedOutline(HWND hwnd);

// Starts moving a window with the pointer, as a drag on a caption would.
// Replaceable so that tests can see the request without a modal move loop.
extern void (*BeginWindowDrag)(HWND hwnd);
void SystemWindowDrag(HWND hwnd);
