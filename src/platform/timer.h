// A timer that fires on the thread that made it while it is enabled: the
// thread's message loop (the main loop, a modal loop, or the pumping of a long
// run) calls OnTimer at every interval. Made and used on that one thread.
#pragma once

#include <cstdint>
#include <functional>

class Timer {
public:
    explicit Timer(unsigned intervalMs = 1000) : interval_(intervalMs) {}
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    unsigned Interval() const { return interval_; }
    std::function<void()> OnTimer;

private:
    unsigned interval_;
    bool enabled_ = false;
    uintptr_t id_ = 0;  // the system's id while enabled
};
