#pragma once
// The timers of a form that has no window (the main window while --integrate shows only its
// dialog): each one that runs ticks from a timer of the thread's message loop, and follows
// its Enabled and Interval changes, until this object goes.

#include <windows.h>

#include <memory>
#include <vector>

#include "forms/Form.h"
#include "forms/Timer.h"

namespace bp::win {

class WindowlessTimers {
public:
    explicit WindowlessTimers(forms::Form& form);
    ~WindowlessTimers();
    WindowlessTimers(const WindowlessTimers&) = delete;
    WindowlessTimers& operator=(const WindowlessTimers&) = delete;

    // Whether `message` is a tick of one of these timers.
    static bool isTick(const MSG& message);

private:
    struct Clock {
        forms::Timer* timer = nullptr;
        UINT_PTR id = 0;
        int interval = 0;
        int subscription = 0;
    };
    static void sync(Clock& clock);
    static void stop(Clock& clock);
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);

    std::vector<std::unique_ptr<Clock>> clocks_;
};

}  // namespace bp::win
