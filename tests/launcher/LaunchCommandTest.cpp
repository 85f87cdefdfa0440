// The two uses of brindlepath-launch, where reports go, and what the user is told when a report
// cannot be built.

#include <chrono>
#include <string>
#include <vector>

#include "LauncherFixture.h"

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;

TEST_F(LauncherTest, TemplateEditOpensTheTemplateAndResetsTheFlag) {
    std::string templ = (dir_ / "Quarterly.XLT").string();
    fs::copy_file(starterTemplate(), templ);
    writeData({{"Acme"}});
    stage(kOneColumn, {{"Template", "1"}, {"TemplatePath", templ}});
    useOutPath_ = false;
    ASSERT_EQ(run(), kExitDone);

    EXPECT_EQ(desktop_.opened, std::vector<std::string>{templ});
    EXPECT_EQ(setting("Settings", "Template"), "0");
    EXPECT_EQ(setting("Settings", "TemplatePath"), templ);
    EXPECT_EQ(setting("Report", "FieldsIncluded"), "1025\f");  // the rest of the store is kept
    EXPECT_FALSE(fs::exists(dir_ / "Reports"));                // no report is built for an edit

    // The next start builds the report.
    ASSERT_EQ(run(), kExitDone);
    EXPECT_TRUE(fs::exists(dir_ / "Reports"));
}

TEST_F(LauncherTest, TemplateEditWithoutTheOpenerStillResetsTheFlag) {
    std::string templ = (dir_ / "Quarterly.XLT").string();
    fs::copy_file(starterTemplate(), templ);
    stage(kOneColumn, {{"Template", "1"}, {"TemplatePath", templ}});
    ASSERT_EQ(run(LaunchOptions{.noOpen = true}), kExitDone);
    EXPECT_TRUE(desktop_.opened.empty());
    EXPECT_EQ(setting("Settings", "Template"), "0");
}

TEST_F(LauncherTest, TemplateEditOfAMissingTemplateSaysSo) {
    stage(kOneColumn, {{"Template", "1"}, {"TemplatePath", (dir_ / "Gone.XLT").string()}});
    EXPECT_EQ(run(), kExitFailed);
    ASSERT_EQ(desktop_.errors.size(), 1u);
    EXPECT_NE(desktop_.errors[0].find("Gone.XLT"), std::string::npos);
    EXPECT_EQ(setting("Settings", "Template"), "0");
}

TEST_F(LauncherTest, TemplatesAreFoundWhateverTheCaseOfTheirNames) {
    fs::create_directories(dir_ / "Templates");
    std::string onDisk = (dir_ / "Templates" / "Pipeline.xlt").string();
    fs::copy_file(starterTemplate(), onDisk);
    std::string named = (dir_ / "templates" / "PIPELINE.XLT").string();

    writeData({{"Acme"}});
    stage(with(kOneColumn, {{"Path", named}, {"TopLeftRow", "4"}}));
    ASSERT_EQ(run(), kExitDone);
    EXPECT_TRUE(desktop_.warnings.empty()) << desktop_.warnings[0];
    EXPECT_EQ(report().text("A1"), "PIPELINE");  // the template's title area is there
    EXPECT_EQ(report().text("A4"), "Acme");

    stage(kOneColumn, {{"Template", "1"}, {"TemplatePath", named}});
    ASSERT_EQ(run(), kExitDone);
    EXPECT_EQ(desktop_.opened.back(), onDisk);
    EXPECT_EQ(setting("Settings", "Template"), "0");
}

TEST_F(LauncherTest, ReportsGoIntoAReportsFolderOfAnyCase) {
    useOutPath_ = false;
    fs::create_directories(dir_ / "reports");
    std::ofstream(dir_ / "reports" / "Pipeline 2026-03-20 10.00.00.XLSX") << "an earlier report";
    writeData({{"Acme"}});
    stage(with(kOneColumn, {{"Path", "/t/Pipeline.XLT"}}));
    ASSERT_EQ(run(), kExitDone);
    // Listed rather than looked up: a Windows file system finds either spelling.
    std::vector<std::string> folders;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        if (entry.is_directory()) {
            folders.push_back(entry.path().filename().string());
        }
    }
    EXPECT_EQ(folders, std::vector<std::string>{"reports"});
    EXPECT_TRUE(fs::exists(dir_ / "reports" / "Pipeline 2026-03-20 10.00.00 (2).xlsx"));
}

TEST_F(LauncherTest, ReportIsOpenedUnlessAskedNotTo) {
    writeData({{"Acme"}});
    stage(kOneColumn);
    ASSERT_EQ(run(), kExitDone);
    EXPECT_EQ(desktop_.opened, std::vector<std::string>{outPath_});
    desktop_.opened.clear();
    ASSERT_EQ(run(LaunchOptions{.noOpen = true}), kExitDone);
    EXPECT_TRUE(desktop_.opened.empty());
}

TEST_F(LauncherTest, ReportsGoBesideTheDataFileAndNeverReplaceAnEarlierOne) {
    useOutPath_ = false;
    writeData({{"Acme"}});
    stage(with(kOneColumn, {{"Path", "C:\\Templates\\Pipeline.XLT"}}));
    ASSERT_EQ(run(), kExitDone);
    ASSERT_EQ(run(), kExitDone);  // the same second: a second name
    fs::path reports = dir_ / "Reports";
    EXPECT_TRUE(fs::exists(reports / "Pipeline 2026-03-20 10.00.00.xlsx"));
    EXPECT_TRUE(fs::exists(reports / "Pipeline 2026-03-20 10.00.00 (2).xlsx"));
    EXPECT_EQ(std::distance(fs::directory_iterator(reports), fs::directory_iterator()), 2);
}

TEST_F(LauncherTest, FailuresAreToldAndLeaveNothingBehind) {
    struct Case {
        const char* name;
        std::function<void(LauncherTest&)> prepare;
        const char* message;
    };
    const Case cases[] = {
        {"no data file", [](LauncherTest& t) { t.stage(kOneColumn); }, "data file"},
        {"no data file named",
         [](LauncherTest& t) {
             std::ofstream(t.settingsPath_) << "[Report]\nFieldsIncluded=1025%0C\n";
         },
         "No data file"},
        {"nothing staged",
         [](LauncherTest& t) {
             t.writeData({{"Acme"}});
             std::ofstream(t.settingsPath_) << "[Settings]\nDataFile=" << t.dataPath_ << "\n";
         },
         "No report definition"},
        {"no fields",
         [](LauncherTest& t) {
             t.writeData({{"Acme"}});
             t.stage({{"FieldsIncluded", "\f"}});
         },
         "no fields are to be included"},
        {"folder cannot be made",
         [](LauncherTest& t) {
             t.writeData({{"Acme"}});
             t.stage(kOneColumn);
             std::ofstream((t.dir_ / "out").string()) << "a file where the folder should be";
         },
         "could not be created"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        desktop_.errors.clear();
        c.prepare(*this);
        EXPECT_EQ(run(), kExitFailed);
        ASSERT_EQ(desktop_.errors.size(), 1u);
        EXPECT_NE(desktop_.errors[0].find(c.message), std::string::npos) << desktop_.errors[0];
        EXPECT_FALSE(fs::exists(outPath_));
        EXPECT_TRUE(desktop_.opened.empty());
    }
}

TEST_F(LauncherTest, AFailedBuildLeavesNoPartialFile) {
    writeData({{"Acme"}});
    stage(with(kOneColumn, {{"TopLeftRow", "1048576"}, {"Header", "1"}}));  // one row too many
    EXPECT_EQ(run(), kExitFailed);
    ASSERT_EQ(desktop_.errors.size(), 1u);
    EXPECT_NE(desktop_.errors[0].find("more than"), std::string::npos);
    fs::path out = fs::path(outPath_).parent_path();
    EXPECT_TRUE(!fs::exists(out) || fs::is_empty(out));
}

TEST_F(LauncherTest, CommandLine) {
    const char* good[] = {"brindlepath-launch", "--no-open", "--out", "/tmp/r.xlsx"};
    std::string error;
    auto options = parseArguments(4, good, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->noOpen);
    EXPECT_EQ(options->outPath, "/tmp/r.xlsx");
    const char* bad[] = {"brindlepath-launch", "--out"};
    EXPECT_FALSE(parseArguments(2, bad, error));
    EXPECT_NE(error.find("usage"), std::string::npos);
}

// Records what a terminal or the desktop would have been shown of a build.
class BuildWatcher : public core::ProgressSink {
public:
    core::ProgressTiming timing() const override {
        return {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
    }
    void show(const std::string& phase, double fraction) override {
        phases.push_back(phase);
        fractions.push_back(fraction);
    }
    void finished() override { ++finishedCount; }

    std::vector<std::string> phases;
    std::vector<double> fractions;
    int finishedCount = 0;
};

TEST_F(LauncherTest, ABuildReportsItsRowsAsItWritesThem) {
    std::vector<std::vector<std::string>> rows(2 * core::Progress::kStride + 1, {"Acme"});
    writeData(rows);
    stage(kOneColumn);
    BuildWatcher watcher;
    core::Progress progress;
    core::ProgressScope scope(progress, &watcher);
    progress_ = &progress;
    ASSERT_EQ(run(), kExitDone);
    // Reading, sorting and laying out (no count yet), the start of the rows, two strides
    // of rows, and the last look.
    ASSERT_EQ(watcher.phases.size(), 7u);
    EXPECT_EQ(watcher.phases, std::vector<std::string>(7, "Building the report"));
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_LT(watcher.fractions[i], 0) << "look " << i;
    }
    EXPECT_EQ(watcher.fractions[4], 0);
    EXPECT_GT(watcher.fractions[6], 0.99);
    EXPECT_EQ(watcher.finishedCount, 1);  // let go before anything else is said
}

}  // namespace
}  // namespace bp::launcher::test
