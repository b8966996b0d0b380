// Plain containers: a coloured panel (optionally outlined, as the frames around
// the trees and lists) and the page container that shows one page at a time.
#pragma once

#include <memory>
#include <vector>

#include "ui/window.h"

class Panel : public Window {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        Bounds bounds;
        COLORREF color = RGB(255, 255, 255);
        bool outlined = false;      // draws a one-pixel outline in outlineColor
        COLORREF outlineColor = RGB(160, 196, 209);
        bool visible = true;
    };
    bool Create(const CreateArgs& args);

    // Mouse press on the panel's own background.
    std::function<void(Panel&, const MouseEvent&)> onMouseDown;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    CreateArgs args_;
};

// A page container without tabs: pages are panels filling it; one is shown.
class Notebook : public Window {
public:
    bool Create(HWND parent, const Bounds& bounds, int pageCount);
    Panel& Page(int i) { return *pages_.at(static_cast<size_t>(i)); }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    int PageIndex() const { return pageIndex_; }
    void SetPageIndex(int i);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::vector<std::unique_ptr<Panel>> pages_;
    int pageIndex_ = 0;
};
