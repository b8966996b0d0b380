// A bar gauge that draws its percentage, as used for scan and clean progress.
#pragma once

#include "platform/handles.h"
#include "ui/window.h"

class TGauge : public Window {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        Bounds bounds;
        COLORREF foreColor = RGB(158, 183, 161);
        bool visible = true;
    };
    bool Create(const CreateArgs& args);

    void SetMaxValue(int max);
    int MaxValue() const { return max_; }
    void SetProgress(int progress);
    int Progress() const { return progress_; }
    void AddProgress(int delta) { SetProgress(progress_ + delta); }
    // Whole percent done, rounded down; 0 while the maximum is 0.
    int PercentDone() const;

protected:
    void ScaleChanged(int oldDpi, int newDpi) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    CreateArgs args_;
    int max_ = 100;
    int progress_ = 0;
    UniqueFont font_;
};
