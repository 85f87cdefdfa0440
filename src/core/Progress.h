#pragma once
// Long work tells the person waiting how far it has come, and stops when they ask it to.
//
// The work names its phases ("Selecting", "Writing") with the amount of work each holds and
// calls step() once per item. step() only counts; every kStride items it looks at the
// clock, and only then does a sink (a dialog, a terminal bar) hear of it, at most once per
// interval and not before the sink's delay has passed, so a quick run shows nothing. A sink
// that wants the work stopped makes the next look raise Cancelled, which the run's caller
// handles as a run the user cancelled, never as an error.

#include <chrono>
#include <cstdint>
#include <exception>
#include <string>

namespace bp::core {

class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "the user cancelled the work"; }
};

struct ProgressTiming {
    std::chrono::milliseconds showAfter{1000};  // quick work shows nothing
    std::chrono::milliseconds interval{100};    // between two updates of what is shown
};

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual ProgressTiming timing() const { return {}; }
    // New work begins: a cancel asked for earlier is forgotten.
    virtual void started() {}
    // `fraction` is 0..1, or negative while the amount of work is not known.
    virtual void show(const std::string& phase, double fraction) = 0;
    // Asked at every look; true stops the work.
    virtual bool cancelRequested() { return false; }
    // The work ended, whichever way, after show() was called at least once.
    virtual void finished() {}
};

class Progress {
public:
    static constexpr std::uint32_t kStride = 4096;

    // Without a sink the work is only counted. A new sink starts the delay anew.
    void attach(ProgressSink* sink);
    void detach();
    // Starts a phase of `total` items (0: not known) and looks at once, so a cancel asked
    // for during the last phase stops the work before the next one begins.
    void phase(std::string name, std::uint64_t total = 0);
    void step() {
        ++done_;
        if (--untilLook_ == 0) {
            look();
        }
    }
    // Looks now: shows when due, raises Cancelled when asked to.
    void look();

    const std::string& phaseName() const { return phase_; }
    double fraction() const;

private:
    using Clock = std::chrono::steady_clock;

    ProgressSink* sink_ = nullptr;
    ProgressTiming timing_;
    std::string phase_;
    std::uint64_t total_ = 0;
    std::uint64_t done_ = 0;
    std::uint32_t untilLook_ = kStride;
    Clock::time_point attached_;
    Clock::time_point lastShown_;
    bool shown_ = false;
};

// Attaches a sink for the life of a scope (one run), whichever way the scope ends.
class ProgressScope {
public:
    ProgressScope(Progress& progress, ProgressSink* sink) : progress_(progress) {
        progress_.attach(sink);
    }
    ~ProgressScope() { progress_.detach(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    Progress& progress_;
};

}  // namespace bp::core
