// A run of the desktop program with the Windows progress window: a run long enough to show
// it shows its phases in the real controls, Cancel clicked on the real button ends it as
// cancelled with nothing written and nothing stored changed, and quick work shows no window.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/ListView.h"
#include "output/ReportDataset.h"
#include "output/RunCommand.h"
#include "platform/Launcher.h"
#include "support/HostSession.h"
#include "support/SessionSeed.h"
#include "win/ProgressWindow.h"
#include "win/WinTestSupport.h"
#include "win/WinUi.h"

namespace bp::win::test {
namespace {

using std::chrono::milliseconds;

// The main window as the run sees it.
class RunWindowStandIn : public output::RunWindow {
public:
    explicit RunWindowStandIn(forms::UiService& ui) : form_(ui, "frmMain") {
        list_ = &form_.add<forms::ListView>("lvwSales");
        for (int c = 1; c <= 26; ++c) {
            list_->addColumn(std::to_string(c));
        }
    }
    criteria::Criteria currentCriteria() override { return criteria; }
    std::optional<std::string> selectedReport() override { return report; }
    void showTab(int) override {}
    void focusCondition(int) override {}
    forms::ListView& resultsList() override { return *list_; }
    void closeAfterRun() override { closed = true; }

    criteria::Criteria criteria;
    std::optional<std::string> report;
    bool closed = false;

private:
    forms::Form form_;
    forms::ListView* list_ = nullptr;
};

struct CancelCase {
    bool report;  // a report built from the data file, else a lookup in the host
    const char* phase;
};

class RunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hasDisplay()) {
            GTEST_SKIP() << kNoDisplay;
        }
        host.session.ui = &ui;
        host.session.launcher = &launcher;
        runWindow.criteria.optLookup = {true, false, false};  // replace lookup: all contacts
        runWindow.criteria.chkSales = {true, true, true, false};
        std::ofstream(host.session.sTemplatesFolder() + "Pipeline.DXL", std::ios::binary)
            << "FieldsIncluded=1\f1025\f\r\nFieldNamesIncluded=ID\fCompany\f\r\n"
               "Sort0=1025\r\nSortType0=S\r\nSortOrder0=1\r\n";
    }
    void report() {
        runWindow.criteria.reportOutput = true;
        runWindow.criteria.optReport = {false, false, true};
        runWindow.report = "Pipeline";
        bp::test::SessionSeed::iOutputType(host.session, 0);
    }
    output::RunOutcome run() { return output::RunCommand(host.session, runWindow).cmdOK_Click(); }
    std::vector<std::string> folderFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(host.session.programFolder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    platform::test::ScopedEnv locale{"BRINDLEPATH_LOCALE", "en_US"};
    bp::test::HostSession host{output::dataset::kReportDataset};
    platform::RecordingLauncher launcher;
    // Shows at the first look, as a run of a large database does after a second.
    WinUi ui{core::ProgressTiming{milliseconds(0), milliseconds(0)}};
    RunWindowStandIn runWindow{ui};
};

class ProgressRunTest : public RunFixture, public testing::WithParamInterface<CancelCase> {};

TEST_P(ProgressRunTest, CancelOnTheButtonEndsTheRunWithNothingWritten) {
    const CancelCase& c = GetParam();
    if (c.report) {
        report();
    }
    ASSERT_NE(ui.progressSink(), nullptr);
    ProgressWindow& progress = *ui.progressWindow();
    output::FrmProgress& form = progress.dialog().form();
    HWND label = progress.window().handleFor(form.lblPhase());
    HWND cancel = progress.window().handleFor(form.cmdCancel());
    std::vector<std::string> shownPhases;
    bool clicked = false;
    // The person clicks Cancel once the phase shows; the click waits in the queue for the
    // run to let it through.
    const int watch = form.lblPhase().subscribe([&](forms::Control&, forms::Property p) {
        if (p != forms::Property::Caption) {
            return;
        }
        shownPhases.push_back(windowText(label));
        if (!clicked && shownPhases.back() == c.phase) {
            clicked = true;
            PostMessageW(cancel, BM_CLICK, 0, 0);
        }
    });
    const std::vector<std::string> before = folderFiles();

    EXPECT_EQ(run(), output::RunOutcome::Cancelled);
    form.lblPhase().unsubscribe(watch);

    EXPECT_TRUE(clicked);
    ASSERT_FALSE(shownPhases.empty());
    EXPECT_EQ(shownPhases.front(), "Selecting");
    EXPECT_EQ(shownPhases.back(), "Cancelling...");
    EXPECT_FALSE(IsWindowVisible(progress.hwnd()));
    EXPECT_FALSE(runWindow.closed);
    EXPECT_FALSE(WinUi::busy());
    EXPECT_EQ(runWindow.resultsList().rowCount(), 0);
    EXPECT_EQ(host.host->callCounts()["ContactView.CreateLookup"], 0u);
    // Only a run cancelled while the report is built has asked for the builder.
    const bool building = std::string(c.phase) == platform::kBuildingPhase;
    EXPECT_EQ(launcher.launches().size(), building ? 1u : 0u);
    EXPECT_EQ(folderFiles(), before);  // no data file, no temporary
    EXPECT_EQ(host.settings.GetSetting("Settings", "DataFile", ""), "");
    EXPECT_EQ(host.settings.GetSetting("Report", "Path", ""), "");
}

INSTANTIATE_TEST_SUITE_P(EveryPhase, ProgressRunTest,
                         testing::Values(CancelCase{false, "Selecting"},
                                         CancelCase{false, "Writing"},
                                         CancelCase{true, "Selecting"}, CancelCase{true, "Sorting"},
                                         CancelCase{true, "Writing"},
                                         CancelCase{true, platform::kBuildingPhase}),
                         [](const testing::TestParamInfo<CancelCase>& param) {
                             std::string name = param.param.report ? "Report" : "Lookup";
                             for (const char* p = param.param.phase; *p; ++p) {
                                 if (std::isalnum(static_cast<unsigned char>(*p))) {
                                     name += *p;
                                 }
                             }
                             return name;
                         });

class LetAloneRunTest : public RunFixture, public testing::WithParamInterface<bool> {};

TEST_P(LetAloneRunTest, ShowsItsPhasesAndCompletes) {
    const bool isReport = GetParam();
    if (isReport) {
        report();
    }
    ui.progressSink();
    ProgressWindow& progress = *ui.progressWindow();
    output::FrmProgress& form = progress.dialog().form();
    HWND label = progress.window().handleFor(form.lblPhase());
    std::vector<std::string> shownPhases;
    const int watch = form.lblPhase().subscribe([&](forms::Control&, forms::Property p) {
        if (p == forms::Property::Caption) {
            shownPhases.push_back(windowText(label));
        }
    });
    int shows = 0;
    const int shown = form.subscribe([&](forms::Form&, forms::FormProperty p) {
        shows += p == forms::FormProperty::Visible && IsWindowVisible(progress.hwnd()) ? 1 : 0;
    });
    EXPECT_EQ(run(), output::RunOutcome::Completed);
    form.lblPhase().unsubscribe(watch);
    form.unsubscribe(shown);
    EXPECT_EQ(shows, 1) << "one window for the whole run";
    const std::vector<std::string> expected =
        isReport
            ? std::vector<std::string>{"Selecting", "Sorting", "Writing", platform::kBuildingPhase}
            : std::vector<std::string>{"Selecting", "Writing"};
    EXPECT_EQ(shownPhases, expected);
    EXPECT_FALSE(IsWindowVisible(progress.hwnd()));
    EXPECT_TRUE(runWindow.closed);
}

INSTANTIATE_TEST_SUITE_P(LookupAndReport, LetAloneRunTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "Report" : "Lookup");
                         });

// Quick work, with the second's wait a person gets: no window at all.
class QuickRunTest : public RunFixture {};

TEST_F(QuickRunTest, QuickWorkShowsNoWindow) {
    WinUi patient;
    host.session.ui = &patient;
    ASSERT_EQ(patient.progressSink()->timing().showAfter, milliseconds(1000));
    output::FrmProgress& form = patient.progressWindow()->dialog().form();
    int shows = 0;
    const int watch = form.subscribe([&](forms::Form&, forms::FormProperty p) {
        if (p == forms::FormProperty::Visible && form.visible()) {
            ++shows;
        }
    });
    EXPECT_EQ(run(), output::RunOutcome::Completed);
    form.unsubscribe(watch);
    EXPECT_EQ(shows, 0);
    EXPECT_FALSE(IsWindowVisible(patient.progressWindow()->hwnd()));
}

}  // namespace
}  // namespace bp::win::test
