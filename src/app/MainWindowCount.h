#pragma once
// The main window's live match count: the line under the tabs that tells how many contacts
// and sales records the window's choices match, before the user runs them.
//
// The count timer looks at the choices every tick. A change shows "Counting..." at once; once
// the choices have stood still for kSettleMs the count starts on the worker thread against
// the host snapshot, and a later change drops it. The snapshot is read in short slices on the
// same timer when the window has loaded, again when the user clicks "Refresh", after a run
// that left the window open, and when a preview interrupted a read.

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "act/Session.h"
#include "criteria/Criteria.h"
#include "filter/HostSnapshot.h"
#include "filter/LiveCount.h"
#include "filter/SelectionCount.h"

namespace bp::app {

class FrmMain;

class MainWindowCount {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kTickMs = 30;
    static constexpr std::chrono::milliseconds kSettleMs{150};
    // How long one tick may read the host: well inside a frame.
    static constexpr std::chrono::microseconds kReadSlice{8000};

    MainWindowCount(FrmMain& frmMain, act::Session& session);
    ~MainWindowCount();

    // One tick of the count timer; tests pass the time.
    void tick(Clock::time_point now);
    void tick() { tick(Clock::now()); }
    // Reads the host anew and counts again.
    void refresh();
    // A report command may have changed the selected report's definition: the choices are
    // counted again at the next tick.
    void definitionsChanged() { seen_.reset(); }
    // A run or a preview used the host's shared tables.
    void afterRun();
    void afterPreview();
    // Waits for a count in progress and shows it (tests).
    void finishCount();
    // Reads the host if need be and counts the choices as they stand, waiting for both (the
    // pictures of the window).
    void countNow();

    // What keeps a run of the report from starting, in the run's words; nothing when the
    // report's definition is there and includes a field.
    static std::optional<std::string> reportNotReady(const act::Session& session,
                                                     const std::optional<std::string>& report,
                                                     int outputType);
    // The report the window's report list has selected.
    static std::optional<std::string> selectedReport(FrmMain& frmMain);

    // The line's text for a count, with the user's digit grouping.
    static std::string countText(const filter::SelectionCount& count,
                                 const std::string& thousands);

private:
    // The choices a count depends on: the criteria and, for a report, its definition.
    struct Choices {
        criteria::Criteria criteria;
        std::optional<std::string> report;
        int outputType = 0;
        bool operator==(const Choices&) const = default;
    };
    Choices currentChoices() const;
    bool readHost();
    void startReading();
    void startCount();
    void show(const filter::SelectionCount& count);
    void say(const std::string& text);

    FrmMain& frmMain_;
    act::Session& session_;
    std::unique_ptr<filter::SnapshotReader> reader_;
    std::shared_ptr<const filter::HostSnapshot> snapshot_;
    filter::LiveCount live_;
    std::optional<Choices> seen_;  // the choices at the last tick
    Clock::time_point changedAt_;
    bool pending_ = false;  // the choices changed since the last count started
};

}  // namespace bp::app
