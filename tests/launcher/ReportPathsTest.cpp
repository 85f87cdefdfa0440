// The report builder with its data file, template and report in folders whose names hold
// spaces and letters outside ASCII: the archive library and every file the builder touches
// take the names whole. What is on disk is checked through the standard library's own UTF-8
// conversion (utf8Path).

#include "LauncherFixture.h"
#include "launcher/WorkbookPackage.h"

namespace bp::launcher::test {
namespace {

namespace fs = std::filesystem;
using platform::test::kSeparator;
using platform::test::utf8Path;

class ReportPathsTest : public testing::Test {
protected:
    ReportPathsTest() {
        fs::create_directories(utf8Path(templates_));
        fs::copy_file(fs::path(BP_PROGRAM_DIR) / "brindlepath_template.XLT",
                      utf8Path(templatePath_));
        platform::test::writeFile(dataPath_, "\"Acme Zoë\"\r\n\"Прогноз ООО\"\r\n");
        platform::FileSettingsStore settings(settingsPath_);
        settings.SaveSetting("Settings", "DataFile", dataPath_);
        settings.SaveSetting("Report", "FieldsIncluded", "1025\f");
        settings.SaveSetting("Report", "FieldNamesIncluded", "Company\f");
        settings.SaveSetting("Report", "Totals99", "0");
        settings.SaveSetting("Report", "Path", templatePath_);
        settings.SaveSetting("Report", "TopLeftRow", "4");
    }

    int run(const std::string& outPath) {
        platform::FileSettingsStore settings(settingsPath_);
        LaunchCommand command(settings, desktop_, regional_);
        return command.run(LaunchOptions{.noOpen = true, .outPath = outPath},
                           BuildDate{2026, 3, 20}, "2026-03-20 10.00.00");
    }

    platform::test::TempFolder temp_;
    std::string root_ = temp_.file("Zoë Prévisions");
    std::string templates_ = root_ + kSeparator + "Шаблоны";
    std::string templatePath_ = templates_ + kSeparator + "Прогноз Q3.XLT";
    std::string dataPath_ = root_ + kSeparator + "data.CSV";
    std::string settingsPath_ = root_ + kSeparator + "settings.ini";
    platform::test::ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", "1"};
    Regional regional_;
    RecordingDesktop desktop_;
};

TEST_F(ReportPathsTest, AReportNamedOnTheCommandLineLandsUnderItsExactName) {
    std::string out = root_ + kSeparator + "Отчёты Zoë" + kSeparator + "Prévisions.xlsx";
    ASSERT_EQ(run(out), kExitDone) << (desktop_.errors.empty() ? "" : desktop_.errors[0]);
    ASSERT_TRUE(fs::is_regular_file(utf8Path(out)));
    XlsxReader report(out);
    EXPECT_EQ(report.text("A1"), "Прогноз Q3");  // the template's title, named after its file
    EXPECT_EQ(report.text("A4"), "Acme Zoë");
    EXPECT_EQ(report.text("A5"), "Прогноз ООО");
}

TEST_F(ReportPathsTest, AReportGoesIntoTheReportsFolderBesideTheDataFile) {
    ASSERT_EQ(run(""), kExitDone) << (desktop_.errors.empty() ? "" : desktop_.errors[0]);
    fs::path expected = utf8Path(root_) / u8"Reports" / u8"Прогноз Q3 2026-03-20 10.00.00.xlsx";
    ASSERT_TRUE(fs::is_regular_file(expected));
    std::u8string name = expected.u8string();
    EXPECT_EQ(XlsxReader(std::string(name.begin(), name.end())).text("A4"), "Acme Zoë");
}

// Parts inside a workbook are named in UTF-8 with "/" whatever the system.
TEST(PartPathTest, PartNamesKeepTheirLettersAndSlashes) {
    EXPECT_EQ(resolvePartPath("xl/workbook.xml", "worksheets/Лист 1.xml"),
              "xl/worksheets/Лист 1.xml");
    EXPECT_EQ(resolvePartPath("xl/worksheets/Лист 1.xml", "../media/Zoë.png"), "xl/media/Zoë.png");
    EXPECT_EQ(resolvePartPath("xl/workbook.xml", "/xl/styles.xml"), "xl/styles.xml");
}

}  // namespace
}  // namespace bp::launcher::test
