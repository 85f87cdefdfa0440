#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/Progress.h"

namespace bp::core {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

struct Shown {
    std::string phase;
    double fraction;
    bool operator==(const Shown&) const = default;
};

class RecordingSink : public ProgressSink {
public:
    explicit RecordingSink(ProgressTiming timing = {milliseconds(0), milliseconds(0)})
        : timing_(timing) {}
    ProgressTiming timing() const override { return timing_; }
    void show(const std::string& phase, double fraction) override {
        shown.push_back({phase, fraction});
    }
    bool cancelRequested() override { return cancel; }
    void finished() override { ++finishedCount; }

    std::vector<Shown> shown;
    bool cancel = false;
    int finishedCount = 0;

private:
    ProgressTiming timing_;
};

void steps(Progress& progress, std::uint64_t count) {
    for (std::uint64_t i = 0; i < count; ++i) {
        progress.step();
    }
}

TEST(Progress, APhaseIsShownAtOnceThenEveryStrideOfItems) {
    RecordingSink sink;
    Progress progress;
    ProgressScope scope(progress, &sink);
    progress.phase("Writing", 4 * Progress::kStride);
    steps(progress, Progress::kStride - 1);
    EXPECT_EQ(sink.shown, (std::vector<Shown>{{"Writing", 0.0}}));
    steps(progress, 1);
    steps(progress, Progress::kStride);
    EXPECT_EQ(sink.shown,
              (std::vector<Shown>{{"Writing", 0.0}, {"Writing", 0.25}, {"Writing", 0.5}}));
}

TEST(Progress, WorkOfUnknownSizeShowsNoFraction) {
    RecordingSink sink;
    Progress progress;
    ProgressScope scope(progress, &sink);
    progress.phase("Selecting");
    steps(progress, Progress::kStride);
    EXPECT_EQ(sink.shown, (std::vector<Shown>{{"Selecting", -1.0}, {"Selecting", -1.0}}));
}

TEST(Progress, QuickWorkShowsNothingAndFinishesNothing) {
    RecordingSink sink({hours(1), milliseconds(0)});
    {
        Progress progress;
        ProgressScope scope(progress, &sink);
        progress.phase("Selecting", 10);
        steps(progress, 3 * Progress::kStride);
        progress.phase("Writing", 10);
    }
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(sink.finishedCount, 0);
}

TEST(Progress, UpdatesWithinTheIntervalAreLeftOutButANewPhaseIsShown) {
    RecordingSink sink({milliseconds(0), hours(1)});
    Progress progress;
    ProgressScope scope(progress, &sink);
    progress.phase("Sorting", 10);
    steps(progress, 5 * Progress::kStride);
    progress.phase("Writing", 10);
    EXPECT_EQ(sink.shown, (std::vector<Shown>{{"Sorting", 0.0}, {"Writing", 0.0}}));
}

TEST(Progress, TheEndOfAShownRunIsToldOnce) {
    RecordingSink sink;
    {
        Progress progress;
        ProgressScope scope(progress, &sink);
        progress.phase("Writing", 1);
    }
    EXPECT_EQ(sink.finishedCount, 1);
}

TEST(Progress, ACancelStopsTheWorkAtTheNextLook) {
    RecordingSink sink;
    Progress progress;
    ProgressScope scope(progress, &sink);
    progress.phase("Writing", 10 * Progress::kStride);
    sink.cancel = true;
    steps(progress, Progress::kStride - 1);
    EXPECT_THROW(progress.step(), Cancelled);
    EXPECT_THROW(progress.phase("Sorting"), Cancelled);
}

TEST(Progress, ACancelIsHeardBeforeAnythingIsShown) {
    RecordingSink sink({hours(1), milliseconds(0)});
    sink.cancel = true;
    Progress progress;
    ProgressScope scope(progress, &sink);
    EXPECT_THROW(progress.phase("Selecting"), Cancelled);
}

TEST(Progress, WithoutASinkTheWorkIsOnlyCounted) {
    RecordingSink sink;
    sink.cancel = true;
    Progress progress;
    { ProgressScope scope(progress, &sink); }
    progress.phase("Writing", 2);
    steps(progress, 3 * Progress::kStride);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_DOUBLE_EQ(progress.fraction(), 1.0);
}

}  // namespace
}  // namespace bp::core
