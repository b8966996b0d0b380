// A timer that fires on the user-interface thread while enabled.
#pragma once

#include <functional>

#include "ui/window.h"

class Timer : public Window {
public:
    explicit Timer(UINT intervalMs = 1000) : interval_(intervalMs) {}
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    UINT Interval() const { return interval_; }
    std::function<void()> OnTimer;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool EnsureWindow();
    UINT interval_;
    bool enabled_ = false;
};
