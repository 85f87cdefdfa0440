#pragma once
// Notices that the host has stopped running by asking it now and then, where its event
// control cannot tell: at most once per interval, and it reports the end once.

#include <chrono>
#include <functional>

namespace bp::automation {

class HostWatch {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::seconds kInterval{2};

    // `isRunning` asks the host; `clock` is the steady clock unless a test gives its own.
    explicit HostWatch(std::function<bool()> isRunning, Clock clock = {});

    // Watches afresh from now (the program registered for events).
    void start();
    void stop() { watching_ = false; }
    // True the one time the host is found gone; false while it runs, between checks, once it
    // has been reported, and when not watching.
    bool hostHasGone();

private:
    std::function<bool()> isRunning_;
    Clock clock_;
    std::chrono::steady_clock::time_point lastCheck_{};
    bool watching_ = false;
};

}  // namespace bp::automation
