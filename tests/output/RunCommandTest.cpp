#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FakeRunWindow.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "output/ReportDataset.h"
#include "output/RunCommand.h"
#include "platform/FileSettingsStore.h"
#include "platform/Launcher.h"
#include "platform/PathText.h"
#include "platform/TestSupport.h"
#include "support/HostSession.h"
#ifdef _WIN32
#include "support/HeldOpen.h"
#else
#include "support/FileSizeLimit.h"
#endif
#include "support/RunProgram.h"
#include "support/SessionSeed.h"

namespace bp::output {
namespace {

using platform::test::readFile;
using platform::test::ScopedEnv;

using FakeWindow = bp::test::FakeRunWindow;

class RunCommandTest : public testing::Test {
protected:
    RunCommandTest() {
        host_.session.launcher = &launcher_;
        window_.criteria.optLookup = {true, false, false};  // replace lookup: all contacts
        window_.criteria.chkSales = {true, true, true, false};
        writeDefinition("Pipeline.DXL");
        writeDefinition("Pipeline.XLT");
        writeDefinition("Export.DCS");
    }
    void writeDefinition(const std::string& name) {
        std::ofstream(host_.session.sTemplatesFolder() + name, std::ios::binary)
            << "FieldsIncluded=1\f1025\f\r\nFieldNamesIncluded=ID\fCompany\f\r\n"
               "Sort0=1025\r\nSortType0=S\r\nSortOrder0=1\r\n";
    }
    void report(int outputType, const char* name) {
        window_.criteria.reportOutput = true;
        window_.criteria.optReport = {false, false, true};
        window_.report = name;
        bp::test::SessionSeed::iOutputType(host_.session, outputType);
    }
    RunOutcome run() { return RunCommand(host_.session, window_).cmdOK_Click(); }
    std::vector<std::string> texts() {
        std::vector<std::string> all;
        for (const auto& m : host_.ui.messages()) {
            all.push_back(m.request.text);
        }
        return all;
    }
    std::vector<std::string> folderFiles() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(host_.session.programFolder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    using Phases = std::vector<std::string>;

    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    test::HostSession host_{dataset::kReportDataset};
    platform::RecordingLauncher launcher_;
    FakeWindow window_{host_.ui};
};

TEST_F(RunCommandTest, AReportNeedsASelectedReport) {
    report(0, "Pipeline");
    window_.report.reset();
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_EQ(texts(), std::vector<std::string>{"You need to select a report!"});
    EXPECT_EQ(window_.shownTab, 0);
    EXPECT_FALSE(window_.closed);
}

TEST_F(RunCommandTest, AMissingDefinitionIsReportedTwice) {
    report(0, "Gone");
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_EQ(texts(), (std::vector<std::string>{"The definition file for this report is missing!",
                                                 "Unable to access this report definition file!"}));
}

TEST_F(RunCommandTest, AnIncompleteConditionShowsItsTab) {
    window_.criteria.conditions[0].applied = true;
    window_.criteria.conditions[0].field = criteria::kProducts;
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_EQ(window_.shownTab, 2);
    EXPECT_EQ(window_.focused, 0);
    EXPECT_EQ(host_.ui.messages().at(0).request.title,
              "The first condition is not properly defined!");
}

TEST_F(RunCommandTest, ALookupRunReplacesTheHostsLookupAndCloses) {
    window_.criteria.chkSales = {false, false, true, false};  // lost sales: Zeta Inc only
    EXPECT_EQ(run(), RunOutcome::Completed);
    EXPECT_TRUE(window_.closed);
    EXPECT_EQ(host_.host->callCounts()["ContactView.CreateLookup"], 1u);
    EXPECT_FALSE(host_.ui.busy());
    EXPECT_EQ(host_.ui.progress().phases(), (Phases{"Selecting", "Writing"}));
}

TEST_F(RunCommandTest, ALookupWithNothingFoundSaysSoAndStays) {
    window_.criteria.chkSales = {false, false, false, false};
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_EQ(texts(),
              std::vector<std::string>{"No records were found that match the specified criteria."});
    EXPECT_EQ(host_.ui.messages()[0].request.icon, forms::MsgIcon::Information);
    EXPECT_FALSE(window_.closed);
    EXPECT_FALSE(host_.ui.busy());
}

TEST_F(RunCommandTest, AnEmptyReportSaysSoAndStays) {
    report(0, "Pipeline");
    window_.criteria.chkSales = {false, false, false, false};
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_EQ(host_.ui.messages().at(0).request.title, "Empty Report");
    EXPECT_EQ(host_.ui.messages().at(0).request.text, "There is no data to display or export!");
    EXPECT_TRUE(launcher_.launches().empty());
}

TEST_F(RunCommandTest, ASpreadsheetReportLeavesEverythingForTheBuilderThenLaunchesIt) {
    report(0, "Pipeline");
    EXPECT_EQ(run(), RunOutcome::Completed);
    EXPECT_EQ(host_.settings.GetSetting("Report", "Path", ""),
              host_.session.sTemplatesFolder() + "Pipeline.XLT");
    EXPECT_EQ(host_.settings.GetSetting("Report", "SortCol0", ""), "2");
    EXPECT_EQ(host_.settings.GetSetting("Settings", "DataFile", ""), host_.file("data.CSV"));
    EXPECT_EQ(readFile(host_.file("data.CSV")).substr(0, 34),
              "\"S00000000004\",\"Acme \"\"Best\"\" Ltd\"");
    EXPECT_EQ(launcher_.launches(), std::vector<std::string>{host_.session.programFolder});
    EXPECT_TRUE(window_.closed);
    EXPECT_EQ(host_.ui.progress().phases(),
              (Phases{"Selecting", "Sorting", "Writing", "Building the report"}));
    EXPECT_EQ(host_.ui.progress().finishedCount(), 1);
}

TEST_F(RunCommandTest, ACsvExportIsCopiedToTheChosenFile) {
    report(1, "Export");
    std::string target = host_.file("out.csv");
    host_.ui.queueSaveFile(target);
    EXPECT_EQ(run(), RunOutcome::Completed);
    const auto& request = host_.ui.saveRequests().at(0);
    EXPECT_EQ(request.filter, "CSV Files (*.CSV)|*.CSV");
    EXPECT_EQ(request.defaultExtension, "CSV");
    EXPECT_EQ(request.initialFolder, platform::joinPath(host_.session.programFolder, "CSV Files"));
    EXPECT_TRUE(request.promptOverwrite);
    EXPECT_EQ(readFile(target), readFile(host_.file("data.CSV")));
    EXPECT_EQ(readFile(target).substr(0, 17), "\"ID\",\"Company\"\r\n\"");
    EXPECT_TRUE(launcher_.launches().empty());
    EXPECT_EQ(host_.ui.progress().phases(), (Phases{"Selecting", "Sorting", "Writing"}));
}

// The next run writes the data file anew; the export made from the last one stays as it was.
TEST_F(RunCommandTest, AnExportKeepsItsRowsWhenTheNextRunWritesTheDataFile) {
    report(1, "Export");
    std::string target = host_.file("out.csv");
    host_.ui.queueSaveFile(target);
    ASSERT_EQ(run(), RunOutcome::Completed);
    const std::string exported = readFile(target);
    report(0, "Pipeline");
    ASSERT_EQ(run(), RunOutcome::Completed);
    EXPECT_NE(readFile(host_.file("data.CSV")), exported);
    EXPECT_EQ(readFile(target), exported);
}

TEST_F(RunCommandTest, ACancelledSaveWritesNoFileAndStays) {
    report(1, "Export");
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_FALSE(window_.closed);
    EXPECT_TRUE(host_.ui.messages().empty());
}

TEST_F(RunCommandTest, AnUnwritableDataFileLaunchesAndCopiesNothing) {
    report(0, "Pipeline");
#ifdef _WIN32
    // Windows has no file size limit to fill the disk with: an earlier data file is held
    // open by the report builder instead, so no new one can take its place.
    std::ofstream(host_.file("data.CSV"), std::ios::binary) << "earlier";
    bp::test::HeldOpen inUse(host_.file("data.CSV"));
    ASSERT_TRUE(inUse.active());
#else
    bp::test::FileSizeLimit diskFull(0);
    ASSERT_TRUE(diskFull.active());
#endif
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_TRUE(launcher_.launches().empty());
    EXPECT_FALSE(window_.closed);
    report(1, "Export");
    host_.ui.queueSaveFile(host_.file("out.csv"));
    EXPECT_EQ(run(), RunOutcome::Stopped);
    EXPECT_FALSE(std::filesystem::exists(host_.file("out.csv")));
#ifdef _WIN32
    EXPECT_EQ(readFile(host_.file("data.CSV")), "earlier");
#else
    EXPECT_FALSE(std::filesystem::exists(host_.file("data.CSV")));
#endif
}

TEST_F(RunCommandTest, AHostFailureInAStageStopsTheRunWithoutOutput) {
    report(0, "Pipeline");
    host_.host->failAt("Sales.GoTo", 1, 440, "Automation error");
    EXPECT_EQ(run(), RunOutcome::Stopped);
    ASSERT_EQ(host_.ui.messages().size(), 1u);
    EXPECT_EQ(host_.ui.messages()[0].request.title, "brindlepath error");
    EXPECT_FALSE(std::filesystem::exists(host_.file("data.CSV")));
    EXPECT_TRUE(launcher_.launches().empty());
}

TEST_F(RunCommandTest, TheDecimalSymbolIsReadAtEveryRun) {
    report(0, "Pipeline");
    {
        ScopedEnv german("BRINDLEPATH_LOCALE", "de_DE");
        run();
        EXPECT_EQ(host_.session.sDecimalSep(), ",");
    }
    run();
    EXPECT_EQ(host_.session.sDecimalSep(), ".");
}

// The host writes its amounts with a "." whatever the region; the user types the bounds the
// region's way. Every region selects the same sales and writes the same rows.
TEST_F(RunCommandTest, AnAmountConditionSelectsTheSameRowsInEveryRegion) {
    std::ofstream(host_.session.sTemplatesFolder() + "Amounts.DXL", std::ios::binary)
        << "FieldsIncluded=1\f1025\f34\f\r\nFieldNamesIncluded=ID\fCompany\fAmount\f\r\n"
           "Sort0=1025\r\nSortType0=S\r\nSortOrder0=1\r\n";
    writeDefinition("Amounts.XLT");
    report(0, "Amounts");
    auto& amount = window_.criteria.conditions[0];
    amount.applied = true;
    amount.field = criteria::kAmounts;
    const std::pair<const char*, const char*> regions[] = {
        {"en_US", "1,000"}, {"de_DE", "1.000"}, {"fr_FR", "1 000"}, {"en_GB", "1,000"}};
    const std::string expected =
        "\"S00000000001\",\"Acme \"\"Best\"\" Ltd\",\"1250.50\"\r\n"
        "\"S00000000003\",\"Zeta Inc\",\"20000\"\r\n";
    for (const auto& [region, thousand] : regions) {
        ScopedEnv locale(std::string("BRINDLEPATH_LOCALE"), std::string(region));
        amount.minText = thousand;
        amount.maxText = "";
        ASSERT_EQ(run(), RunOutcome::Completed) << region;
        EXPECT_EQ(readFile(host_.file("data.CSV")), expected) << region;
        EXPECT_TRUE(host_.ui.messages().empty()) << region;
    }
}

// What a cancelled run must not leave: output of any kind, or a stored change.
struct CancelCase {
    int outputType;  // -1 a lookup, else the report's output type
    const char* report;
    const char* phase;
};

class RunCommandCancelTest : public RunCommandTest,
                             public testing::WithParamInterface<CancelCase> {};

TEST_P(RunCommandCancelTest, ACancelInAnyPhaseLeavesNoOutputAndNoStoredChange) {
    const CancelCase& c = GetParam();
    if (c.outputType >= 0) {
        report(c.outputType, c.report);
    }
    const std::string definition = c.outputType >= 0
                                       ? readFile(host_.session.sTemplatesFolder() + c.report +
                                                  (c.outputType == 0 ? ".DXL" : ".DCS"))
                                       : std::string();
    const std::vector<std::string> before = folderFiles();
    host_.ui.queueSaveFile(host_.file("out.csv"));
    host_.ui.progress().cancelIn(c.phase);

    EXPECT_EQ(run(), RunOutcome::Cancelled);
    EXPECT_EQ(host_.ui.progress().phases().back(), c.phase);
    EXPECT_TRUE(host_.ui.messages().empty());
    EXPECT_FALSE(window_.closed);
    EXPECT_FALSE(host_.ui.busy());
    EXPECT_EQ(window_.resultsList().rowCount(), 0);
    EXPECT_EQ(host_.host->callCounts()["ContactView.CreateLookup"], 0u);
    EXPECT_TRUE(host_.ui.saveRequests().empty());
    EXPECT_TRUE(launcher_.launches().empty());
    EXPECT_EQ(folderFiles(), before);  // no data file, no temporary, no export
    EXPECT_EQ(host_.settings.GetSetting("Settings", "DataFile", ""), "");
    EXPECT_EQ(host_.settings.GetSetting("Report", "Path", ""), "");
    EXPECT_TRUE(host_.settings.GetAllSettings("Report").empty());  // no definition left staged
    if (c.outputType >= 0) {
        EXPECT_EQ(readFile(host_.session.sTemplatesFolder() + c.report +
                           (c.outputType == 0 ? ".DXL" : ".DCS")),
                  definition);
    }
    EXPECT_EQ(host_.ui.progress().finishedCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPhase, RunCommandCancelTest,
    testing::Values(CancelCase{-1, "", "Selecting"}, CancelCase{-1, "", "Writing"},
                    CancelCase{0, "Pipeline", "Selecting"}, CancelCase{0, "Pipeline", "Sorting"},
                    CancelCase{0, "Pipeline", "Writing"}, CancelCase{1, "Export", "Selecting"},
                    CancelCase{1, "Export", "Sorting"}, CancelCase{1, "Export", "Writing"}));

// How the builder ended decides how the run ends; only a finished build closes the window.
struct BuildEndCase {
    platform::BuildOutcome build;
    RunOutcome run;
    const char* told;  // what the user is told here, "" for nothing
};

class RunCommandBuildEndTest : public RunCommandTest,
                               public testing::WithParamInterface<BuildEndCase> {};

TEST_P(RunCommandBuildEndTest, TheBuildersEndIsTheRunsEnd) {
    const BuildEndCase& c = GetParam();
    report(0, "Pipeline");
    launcher_.buildOutcome = c.build;
    EXPECT_EQ(run(), c.run);
    EXPECT_EQ(window_.closed, c.run == RunOutcome::Completed);
    EXPECT_FALSE(host_.ui.busy());
    if (*c.told == '\0') {
        EXPECT_TRUE(host_.ui.messages().empty());
    } else {
        ASSERT_EQ(host_.ui.messages().size(), 1u);
        EXPECT_NE(host_.ui.messages()[0].request.text.find(c.told), std::string::npos);
        EXPECT_EQ(host_.ui.messages()[0].request.icon, forms::MsgIcon::Critical);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryEnd, RunCommandBuildEndTest,
    testing::Values(BuildEndCase{platform::BuildOutcome::Built, RunOutcome::Completed, ""},
                    BuildEndCase{platform::BuildOutcome::Suppressed, RunOutcome::Completed, ""},
                    // the builder has shown its own message
                    BuildEndCase{platform::BuildOutcome::Failed, RunOutcome::Stopped, ""},
                    BuildEndCase{platform::BuildOutcome::NotStarted, RunOutcome::Stopped,
                                 "could not be started"},
                    BuildEndCase{platform::BuildOutcome::Died, RunOutcome::Stopped,
                                 "stopped unexpectedly"}));

TEST_F(RunCommandTest, ACancelWhileBuildingPutsBackTheDataFileAndTheSettingsOfTheLastRun) {
    report(0, "Pipeline");
    std::ofstream(host_.file("data.CSV"), std::ios::binary) << "earlier rows";
    host_.settings.SaveSetting("Settings", "DataFile", host_.file("data.CSV"));
    host_.settings.SaveSetting("Report", "Path", "Earlier.XLT");
    host_.ui.progress().cancelIn("Building the report");

    EXPECT_EQ(run(), RunOutcome::Cancelled);
    EXPECT_EQ(launcher_.launches().size(), 1u);  // the builder was begun
    EXPECT_EQ(readFile(host_.file("data.CSV")), "earlier rows");
    EXPECT_EQ(host_.settings.GetSetting("Settings", "DataFile", ""), host_.file("data.CSV"));
    EXPECT_EQ(host_.settings.GetAllSettings("Report"),
              (platform::SettingPairs{{"Path", "Earlier.XLT"}}));  // the earlier staging
    EXPECT_TRUE(host_.ui.messages().empty());
    EXPECT_FALSE(window_.closed);
    EXPECT_EQ(host_.ui.progress().finishedCount(), 1);
}

TEST_F(RunCommandTest, ACancelWhileBuildingTheFirstReportLeavesNoDataFileAndNoSetting) {
    report(0, "Pipeline");
    host_.ui.progress().cancelIn("Building the report");
    EXPECT_EQ(run(), RunOutcome::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(host_.file("data.CSV")));
    EXPECT_EQ(host_.settings.GetSetting("Settings", "DataFile", "<absent>"), "<absent>");
    EXPECT_EQ(host_.settings.GetSetting("Report", "Path", "<absent>"), "<absent>");
    EXPECT_EQ(folderFiles(), (std::vector<std::string>{"Templates", "host.db"}));
}

// The built brindlepath-launch started and awaited by the run, the settings in a file it reads.
class BuiltBuilder : public platform::Launcher {
public:
    bool launch(const std::string&) override { return false; }
    platform::BuildOutcome buildReport(const std::string& programFolder,
                                       core::Progress& progress) override {
        return platform::runReportBuilder(bp::test::builtProgram("brindlepath-launch"),
                                          programFolder, progress);
    }
};

class RunCommandBuilderTest : public RunCommandTest {
protected:
    RunCommandBuilderTest() {
        host_.session.settings = &store_;
        host_.session.launcher = &builder_;
        report(0, "Pipeline");
    }
    std::vector<std::string> reports() {
        std::vector<std::string> names;
        std::filesystem::path folder =
            std::filesystem::path(host_.session.programFolder) / "Reports";
        if (std::filesystem::exists(folder)) {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    std::string storePath_ = host_.file("settings.ini");
    ScopedEnv storeEnv_{"BRINDLEPATH_SETTINGS", storePath_};
    ScopedEnv quiet_{"BRINDLEPATH_NO_LAUNCH", "1"};
    platform::FileSettingsStore store_{storePath_};
    BuiltBuilder builder_;
};

TEST_F(RunCommandBuilderTest, TheRunWaitsForTheBuiltWorkbook) {
    EXPECT_EQ(run(), RunOutcome::Completed);
    EXPECT_EQ(host_.ui.progress().phases().back(), "Building the report");
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].substr(0, 9), "Pipeline ");
    EXPECT_TRUE(window_.closed);
}

TEST_F(RunCommandBuilderTest, ACancelWhileBuildingLeavesNoWorkbookAndNoChangedSetting) {
    host_.ui.progress().cancelIn("Building the report");
    EXPECT_EQ(run(), RunOutcome::Cancelled);
    EXPECT_EQ(reports(), std::vector<std::string>{});
    EXPECT_FALSE(std::filesystem::exists(host_.file("data.CSV")));
    EXPECT_EQ(store_.GetSetting("Settings", "DataFile", "<absent>"), "<absent>");
    EXPECT_EQ(store_.GetSetting("Report", "Path", "<absent>"), "<absent>");
    EXPECT_TRUE(host_.ui.messages().empty());
    EXPECT_FALSE(window_.closed);
}

}  // namespace
}  // namespace bp::output
