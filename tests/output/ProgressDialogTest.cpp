#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "forms/ScriptedUi.h"
#include "output/ProgressDialog.h"

namespace bp::output {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;

void steps(core::Progress& progress, std::uint64_t count) {
    for (std::uint64_t i = 0; i < count; ++i) {
        progress.step();
    }
}

class ProgressDialogTest : public testing::Test {
protected:
    forms::ScriptedUi ui_;
    ProgressDialog dialog_{ui_, {milliseconds(0), milliseconds(0)}};
    core::Progress progress_;
};

TEST_F(ProgressDialogTest, AQuickRunShowsNothing) {
    ProgressDialog patient(ui_);  // a second's wait, as a person gets
    EXPECT_EQ(patient.timing().showAfter, milliseconds(1000));
    ProgressDialog never(ui_, {hours(1), milliseconds(100)});
    {
        core::ProgressScope scope(progress_, &never);
        progress_.phase("Selecting");
        steps(progress_, 4 * core::Progress::kStride);
        progress_.phase("Writing", 10);
    }
    EXPECT_FALSE(never.form().loaded());
    EXPECT_FALSE(never.form().visible());
}

TEST_F(ProgressDialogTest, ALongRunShowsItsPhaseAndPercentageThenGoes) {
    int events = 0;
    ui_.onEvents([&] { ++events; });
    {
        core::ProgressScope scope(progress_, &dialog_);
        progress_.phase("Selecting");
        EXPECT_TRUE(dialog_.form().visible());
        EXPECT_EQ(dialog_.form().lblPhase().caption(), "Selecting");
        EXPECT_EQ(dialog_.form().prgDone().value(), forms::ProgressBar::kBusy);
        progress_.phase("Writing", 4 * core::Progress::kStride);
        steps(progress_, core::Progress::kStride);
        EXPECT_EQ(dialog_.form().lblPhase().caption(), "Writing");
        EXPECT_EQ(dialog_.form().prgDone().value(), 25);
        EXPECT_TRUE(dialog_.form().cmdCancel().enabled());
    }
    EXPECT_EQ(events, 3);
    EXPECT_FALSE(dialog_.form().visible());
    EXPECT_FALSE(dialog_.form().loaded());
}

TEST_F(ProgressDialogTest, CancelStopsTheWorkAtTheNextLook) {
    ui_.onEvents([&] {
        if (dialog_.form().lblPhase().caption() == "Sorting") {
            dialog_.form().cmdCancel().click();
        }
    });
    core::ProgressScope scope(progress_, &dialog_);
    progress_.phase("Selecting");
    EXPECT_THROW(progress_.phase("Sorting", 10), core::Cancelled);
    EXPECT_FALSE(dialog_.form().cmdCancel().enabled());
    EXPECT_EQ(dialog_.form().lblPhase().caption(), "Cancelling...");
}

TEST_F(ProgressDialogTest, EscapeAndClosingTheWindowCancelToo) {
    core::ProgressScope scope(progress_, &dialog_);
    progress_.phase("Writing", 10);
    EXPECT_FALSE(dialog_.form().unload());  // the window stays until the run has stopped
    EXPECT_TRUE(dialog_.form().visible());
    EXPECT_THROW(progress_.look(), core::Cancelled);

    core::ProgressScope next(progress_, &dialog_);
    progress_.phase("Writing", 10);
    EXPECT_TRUE(dialog_.form().pressEscape());
    EXPECT_THROW(progress_.look(), core::Cancelled);
}

TEST_F(ProgressDialogTest, TheNextRunStartsUncancelled) {
    {
        core::ProgressScope scope(progress_, &dialog_);
        progress_.phase("Writing", 10);
        dialog_.form().cmdCancel().click();
        EXPECT_THROW(progress_.look(), core::Cancelled);
    }
    core::ProgressScope scope(progress_, &dialog_);
    progress_.phase("Selecting");
    steps(progress_, core::Progress::kStride);
    EXPECT_TRUE(dialog_.form().cmdCancel().enabled());
    EXPECT_EQ(dialog_.form().lblPhase().caption(), "Selecting");
}

}  // namespace
}  // namespace bp::output
