// The preview: the rows it shows are those of the data file the run then writes (columns,
// captions, order, formats), the contacts it lists are those of the lookup the run then makes,
// incomplete choices give the run's own messages, and nothing is left changed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "FakeRunWindow.h"
#include "act/sim/HostStore.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "output/FrmPreview.h"
#include "output/PreviewCommand.h"
#include "output/ReportDataset.h"
#include "output/RunCommand.h"
#include "platform/Launcher.h"
#include "platform/TestSupport.h"
#include "support/HostSession.h"
#include "support/SessionSeed.h"

namespace bp::output {
namespace {

using platform::test::readFile;
using platform::test::ScopedEnv;
using Rows = std::vector<std::vector<std::string>>;

using PreviewWindow = bp::test::FakeRunWindow;

// The rows of a data file as a CSV reader gets them back.
Rows parseCsv(const std::string& text) {
    Rows rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row.push_back(std::move(cell));
            cell.clear();
            rows.push_back(std::move(row));
            row.clear();
            ++i;
        }
    }
    return rows;
}

Rows shownRows(FrmPreview& form) {
    Rows rows;
    const forms::ListView& list = form.lvwRows();
    for (int r = 0; r < list.rowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < list.columnCount(); ++c) {
            row.emplace_back(list.cell(r, c));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> captions(FrmPreview& form) {
    std::vector<std::string> all;
    for (int c = 0; c < form.lvwRows().columnCount(); ++c) {
        all.push_back(form.lvwRows().column(c).text);
    }
    return all;
}

// The report dataset, with a start-up lookup of the second contact only.
std::string datasetWithLookup() {
    nlohmann::json data = nlohmann::json::parse(dataset::kReportDataset);
    data["currentLookup"] = {"C00000000002"};
    return data.dump();
}

struct Definition {
    const char* name;
    const char* text;
};

// Definitions covering every sort type and order, a name sort (which adds a sort column),
// dates, numbers, users, groups, line breaks and quotes.
const Definition kDefinitions[] = {
    {"ByCompany",
     "FieldsIncluded=1\f1025\f\r\nFieldNamesIncluded=ID\fCompany\f\r\n"
     "Sort0=1025\r\nSortType0=S\r\nSortOrder0=1\r\n"},
    {"AmountDown",
     "FieldsIncluded=34\f1025\f36\f35\f31\f\r\n"
     "FieldNamesIncluded=Amount\fCompany\fDetails\fCreated\fClose\f\r\n"
     "Sort0=34\r\nSortType0=N\r\nSortOrder0=2\r\n"},
    {"ByName",
     "FieldsIncluded=1026\f30\f525\f6\f\r\nFieldNamesIncluded=Contact\fProbability\fGroup\f"
     "Manager\f\r\nSort0=1026\r\nSortType0=S\r\nSortOrder0=1\r\n"},
    {"CloseDateDown",
     "FieldsIncluded=31\f200\f1030\f34\f\r\nFieldNamesIncluded=Close\fProduct\fCity\fAmount\f\r\n"
     "Sort0=31\r\nSortType0=D\r\nSortOrder0=2\r\n"},
    {"Unsorted", "FieldsIncluded=1\f27\f\r\nFieldNamesIncluded=ID\fStatus\f\r\n"},
};

// Writes the definition and chooses it as the report to preview or run.
void chooseReport(test::HostSession& host, PreviewWindow& window, const Definition& definition,
                  int outputType) {
    std::string file = std::string(definition.name) + (outputType == 0 ? ".DXL" : ".DCS");
    std::ofstream(host.session.sTemplatesFolder() + file, std::ios::binary) << definition.text;
    window.criteria.reportOutput = true;
    window.criteria.optReport = {false, false, true};
    window.report = definition.name;
    bp::test::SessionSeed::iOutputType(host.session, outputType);
}

class PreviewCommandTest : public testing::Test {
protected:
    PreviewCommandTest() {
        host_.session.launcher = &launcher_;
        host_.session.objActApp->SaveCurrentLookup(host_.file("~currentLU.lku"));
        window_.criteria.optLookup = {true, false, false};
        window_.criteria.chkSales = {true, true, true, false};
    }
    void define(const Definition& definition, int outputType) {
        chooseReport(host_, window_, definition, outputType);
    }
    bool preview(FrmPreview& form) { return PreviewCommand(host_.session, window_).fill(form); }
    RunOutcome run() {
        host_.ui.queueSaveFile(host_.file("export.csv"));
        return RunCommand(host_.session, window_).cmdOK_Click();
    }
    std::vector<std::string> lookupNow() {
        return sim::HostStore(host_.hostPath())
            .currentLookup()
            .value_or(std::vector<std::string>{});
    }

    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    test::HostSession host_{datasetWithLookup()};
    platform::RecordingLauncher launcher_;
    PreviewWindow window_{host_.ui};
};

TEST_F(PreviewCommandTest, AReportPreviewShowsTheRowsOfTheDataFileTheRunWrites) {
    for (int outputType : {0, 1}) {
        for (const Definition& definition : kDefinitions) {
            SCOPED_TRACE(std::string(definition.name) + (outputType == 0 ? " report" : " export"));
            define(definition, outputType);
            FrmPreview form(host_.ui);
            ASSERT_TRUE(preview(form));
            Rows shown = shownRows(form);
            ASSERT_EQ(run(), RunOutcome::Completed);
            Rows written = parseCsv(readFile(host_.file("data.CSV")));
            if (outputType == 1) {
                ASSERT_FALSE(written.empty());
                EXPECT_EQ(captions(form), written.front());  // the export's header line
                written.erase(written.begin());
            }
            // A report's data file carries the sort name after the definition's columns.
            for (auto& row : written) {
                row.resize(static_cast<std::size_t>(form.lvwRows().columnCount()));
            }
            EXPECT_EQ(shown, written);
            EXPECT_EQ(form.lblTotal().caption(), std::to_string(written.size()) + " rows:");
        }
    }
}

TEST_F(PreviewCommandTest, ThePreviewUsesTheDefinitionsCaptionsAndFormats) {
    define(kDefinitions[1], 0);
    FrmPreview form(host_.ui);
    ASSERT_TRUE(preview(form));
    EXPECT_EQ(captions(form),
              (std::vector<std::string>{"Amount", "Company", "Details", "Created", "Close"}));
    Rows shown = shownRows(form);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0][1], "Zeta Inc");  // the largest amount first
    // A line break inside a cell reads as a space, as in the data file.
    bool joined = false;
    for (const auto& row : shown) {
        joined = joined || row[2] == "line one line two";
    }
    EXPECT_TRUE(joined);
}

TEST_F(PreviewCommandTest, ALookupPreviewListsTheContactsTheLookupThenHolds) {
    const std::array<std::array<bool, 3>, 3> modes{
        {{true, false, false}, {false, true, false}, {false, false, true}}};
    const std::array<std::array<bool, 4>, 3> statuses{
        {{true, false, false, false}, {true, true, true, false}, {false, false, false, true}}};
    std::map<std::string, std::vector<std::string>> names{
        {"C00000000001", {"Acme \"Best\" Ltd", "Jo Smith"}},
        {"C00000000002", {"beta gmbh", "Al Young"}},
        {"C00000000003", {"Zeta Inc", "Cy Adams"}}};
    for (const auto& mode : modes) {
        for (const auto& status : statuses) {
            SCOPED_TRACE(testing::Message()
                         << "mode " << mode[0] << mode[1] << mode[2] << ", statuses " << status[0]
                         << status[1] << status[2] << status[3]);
            window_.criteria.optLookup = mode;
            window_.criteria.chkSales = status;
            FrmPreview form(host_.ui);
            bool shown = preview(form);
            std::size_t told = host_.ui.messages().size();
            RunOutcome outcome = run();
            if (!shown) {
                EXPECT_NE(outcome, RunOutcome::Completed);
                EXPECT_EQ(host_.ui.messages().size(), told + 1);  // the run says the same
                continue;
            }
            ASSERT_EQ(outcome, RunOutcome::Completed);
            Rows expected;
            for (const std::string& id : lookupNow()) {
                expected.push_back(names.at(id));
            }
            EXPECT_EQ(shownRows(form), expected);
            EXPECT_EQ(captions(form), (std::vector<std::string>{"Company", "Contact"}));
            EXPECT_EQ(form.lblTotal().caption(), std::to_string(expected.size()) + " contacts:");
        }
    }
}

TEST_F(PreviewCommandTest, APreviewLeavesTheStoreTheHostTheFilesAndTheWindowAsTheyWere) {
    host_.settings.SaveSetting("Settings", "DataFile", "earlier.CSV");
    host_.settings.SaveSetting("Report", "FieldsIncluded", "1\f");
    host_.settings.SaveSetting("Report", "SortCol0", "7");
    window_.resultsList().addRowWithCells({"kept"});
    auto settingsBefore = host_.settings.GetAllSettings("Settings");
    auto stagedBefore = host_.settings.GetAllSettings("Report");
    auto lookupBefore = lookupNow();
    auto callsBefore = host_.host->callCounts();
    for (int outputType : {0, 1}) {
        define(kDefinitions[2], outputType);
        FrmPreview form(host_.ui);
        ASSERT_TRUE(preview(form));
        EXPECT_FALSE(form.lvwRows().rows().empty());
    }
    window_.criteria.reportOutput = false;
    FrmPreview lookupForm(host_.ui);
    ASSERT_TRUE(preview(lookupForm));
    EXPECT_EQ(host_.settings.GetAllSettings("Settings"), settingsBefore);
    EXPECT_EQ(host_.settings.GetAllSettings("Report"), stagedBefore);
    EXPECT_FALSE(std::filesystem::exists(host_.file("data.CSV")));
    EXPECT_EQ(lookupNow(), lookupBefore);
    auto callsAfter = host_.host->callCounts();
    EXPECT_EQ(callsAfter["ContactView.CreateLookup"], callsBefore["ContactView.CreateLookup"]);
    EXPECT_EQ(callsAfter["App.Command"], callsBefore["App.Command"]);
    EXPECT_TRUE(launcher_.launches().empty());
    EXPECT_TRUE(host_.ui.saveRequests().empty());
    ASSERT_EQ(window_.resultsList().rowCount(), 1);
    EXPECT_EQ(window_.resultsList().cell(0, 0), "kept");
    EXPECT_FALSE(window_.closed);
    EXPECT_FALSE(host_.ui.busy());
}

// The preview shows its progress as a run does, and a cancel ends it with nothing shown or left.
TEST_F(PreviewCommandTest, APreviewShowsItsProgressAndCanBeCancelled) {
    define(kDefinitions[0], 0);
    FrmPreview shown(host_.ui);
    ASSERT_TRUE(preview(shown));
    EXPECT_EQ(host_.ui.progress().phases(), (std::vector<std::string>{"Selecting", "Sorting"}));
    auto stagedBefore = host_.settings.GetAllSettings("Report");
    for (const char* phase : {"Selecting", "Sorting"}) {
        SCOPED_TRACE(phase);
        host_.ui.progress().cancelIn(phase);
        FrmPreview form(host_.ui);
        EXPECT_FALSE(preview(form));
        EXPECT_EQ(form.lvwRows().rowCount(), 0);
        EXPECT_EQ(host_.settings.GetAllSettings("Report"), stagedBefore);
        EXPECT_FALSE(host_.ui.busy());
    }
    EXPECT_TRUE(host_.ui.messages().empty());
}

// A host failure while reading the start-up lookup is told once and shows no preview.
TEST_F(PreviewCommandTest, AHostFailureWhileAddingTheStartupLookupIsToldOnce) {
    window_.criteria.optLookup = {false, true, false};
    host_.host->failAt("Contact.LoadLookupQuery", 0, 57, "Device I/O error");
    FrmPreview form(host_.ui);
    EXPECT_FALSE(preview(form));
    ASSERT_EQ(host_.ui.messages().size(), 1u);
    EXPECT_NE(host_.ui.messages()[0].request.text.find("Device I/O error"), std::string::npos);
    EXPECT_FALSE(host_.ui.busy());
}

// Each stop gives the message the run gives for the same choices, and shows the same tab.
TEST_F(PreviewCommandTest, IncompleteChoicesGiveTheRunsOwnMessages) {
    struct Case {
        const char* what;
        std::function<void(PreviewWindow&)> choose;
    };
    const Case cases[] = {
        {"no report", [](PreviewWindow& w) { w.report.reset(); }},
        {"a missing definition", [](PreviewWindow& w) { w.report = "Gone"; }},
        {"a condition with nothing picked",
         [](PreviewWindow& w) {
             w.criteria.conditions[0].applied = true;
             w.criteria.conditions[0].field = criteria::kProducts;
         }},
        {"no status",
         [](PreviewWindow& w) {
             w.criteria.chkSales = {false, false, false, false};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        define(kDefinitions[0], 0);
        window_.criteria.conditions[0].applied = false;
        window_.criteria.chkSales = {true, true, true, false};
        c.choose(window_);
        window_.shownTab = -1;
        std::size_t before = host_.ui.messages().size();
        FrmPreview form(host_.ui);
        EXPECT_FALSE(preview(form));
        int previewTab = window_.shownTab;
        std::size_t afterPreview = host_.ui.messages().size();
        ASSERT_GT(afterPreview, before);
        window_.shownTab = -1;
        EXPECT_EQ(run(), RunOutcome::Stopped);
        EXPECT_EQ(window_.shownTab, previewTab);
        const auto& all = host_.ui.messages();
        ASSERT_EQ(all.size(), afterPreview + (afterPreview - before));
        for (std::size_t i = 0; i < afterPreview - before; ++i) {
            EXPECT_EQ(all[before + i].request.title, all[afterPreview + i].request.title);
            EXPECT_EQ(all[before + i].request.text, all[afterPreview + i].request.text);
        }
    }
}

// Many sales: the first rows of the data file are shown, and the total counts them all.
TEST(PreviewCommandManyRowsTest, TheFirstRowsAreShownAndAllAreCounted) {
    nlohmann::json data = nlohmann::json::parse(dataset::kReportDataset);
    data["sales"] = nlohmann::json::array();
    constexpr int kSales = 1250;
    for (int n = 1; n <= kSales; ++n) {
        std::string digits = std::to_string(n);
        data["sales"].push_back({{"1", "S" + std::string(11 - digits.size(), '0') + digits},
                                 {"25", "C0000000000" + std::to_string(n % 3 + 1)},
                                 {"27", "Sales Opportunity"},
                                 {"34", std::to_string(n * 7 % 1000)},
                                 {"35", "1/2/2025 8:00:00 AM"}});
    }
    ScopedEnv locale{"BRINDLEPATH_LOCALE", "en_US"};
    test::HostSession host(data.dump());
    platform::RecordingLauncher launcher;
    host.session.launcher = &launcher;
    PreviewWindow window(host.ui);
    window.criteria.optLookup = {true, false, false};
    window.criteria.chkSales = {true, false, false, false};
    chooseReport(host, window, kDefinitions[1], 0);
    FrmPreview form(host.ui);
    ASSERT_TRUE(PreviewCommand(host.session, window).fill(form));
    EXPECT_EQ(form.lblTotal().caption(), "The first 200 of 1,250 rows:");
    Rows shown = shownRows(form);
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(FrmPreview::kShownRows));
    ASSERT_EQ(RunCommand(host.session, window).cmdOK_Click(), RunOutcome::Completed);
    Rows written = parseCsv(readFile(host.file("data.CSV")));
    ASSERT_EQ(written.size(), static_cast<std::size_t>(kSales));
    written.resize(shown.size());
    EXPECT_EQ(shown, written);
}

TEST(PreviewTotalTest, DigitsAreGroupedWithTheRegionalSeparator) {
    EXPECT_EQ(FrmPreview::groupDigits(0, ","), "0");
    EXPECT_EQ(FrmPreview::groupDigits(999, ","), "999");
    EXPECT_EQ(FrmPreview::groupDigits(1284, ","), "1,284");
    EXPECT_EQ(FrmPreview::groupDigits(1000000, "."), "1.000.000");
}

}  // namespace
}  // namespace bp::output
