// The Advanced page: a list of files and folders to shred, three shred levels
// and the Shred button.
#pragma once

#include <functional>
#include <string>

#include "clean/shred.h"
#include "platform/handles.h"
#include "ui/image_ex.h"
#include "ui/label.h"
#include "ui/window.h"

class TAdvancedShredForm : public Window {
public:
    // Created once inside the main window's Advanced panel, filling it; the
    // shredder's walks ask the session whether the user aborted.
    bool Create(HWND parent, int width, int height, const ScanSession& session);

    // Handlers.
    void btnAddClick();
    void BtnRemoveClick();
    void BtnAddFolderClick();
    void AddFiles1Click();
    void AddAllRecycleFile1Click();
    void RemoveSelectedFilesfromthelist1Click();
    void RemoveAllFilesfromthelist1Click();
    void btnShredClick();
    void btnAddMouseEnter(TImageEx& sender);
    void btnAddMouseLeave(TImageEx& sender);

    // The list and the level. The list shows each path with what it is: a
    // file with its size, a folder (ending in a backslash) with its files and
    // their size; Entries are the paths alone.
    std::vector<std::string> Entries() const;
    void AddEntry(const std::string& path);
    static std::string EntryLabel(const std::string& path);
    int SelectedEntry() const;
    void SelectEntry(int index);
    ShredLevel Level() const;

    // The engine the Shred button drives for each entry (the real one unless a test looks on).
    std::function<void(const std::string&, int, ShredReport&)> shredEntry =
        [this](const std::string& path, int passes, ShredReport& report) { ShredEntry(path, passes, report, *session_); };

    HWND memo = nullptr, listAdd = nullptr;
    HWND RadioButton1 = nullptr, RadioButton2 = nullptr, RadioButton3 = nullptr;
    Label listHeader, levelHeader, warningLabel, warningText;
    TImageEx btnAdd, BtnAddFolder, BtnRemove, btnShred;
    UniqueMenu PopupMenu1, PopupMenu2;

protected:
    void ScaleChanged(int oldDpi, int newDpi) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void MakeButton(TImageEx& b, const Bounds& bounds, const char* name);
    UINT TrackAtCursor(HMENU menu);
    UniqueFont arial_, sans_;
    std::vector<std::string> entries_;  // the paths of the list's lines, in order
    bool shredding_ = false;  // a run is under way (its folder walks pump messages)
    const ScanSession* session_ = nullptr;
};
