// The program folder, the templates folder, the host database and the settings file in
// folders whose names hold spaces and letters outside ASCII: every file the program writes
// lands under its exact name, and the paths it builds and stores use the system's separator.
// What is on disk is checked through the standard library's own UTF-8 conversion (utf8Path).

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "act/sim/DemoGenerator.h"
#include "app/AppFixture.h"
#include "app/BatchRun.h"
#include "app/MainWindowReports.h"
#include "platform/Environment.h"
#include "platform/FileSettingsStore.h"
#include "platform/Launcher.h"
#include "platform/TestSupport.h"
#include "reports/FrmNew.h"
#include "support/RunProgram.h"

namespace bp::app {
namespace {

namespace fs = std::filesystem;
using platform::test::ScopedEnv;
using platform::test::TempFolder;
using platform::test::utf8Path;

constexpr const char* kSep = platform::test::kSeparator;

// A batch run as a user starts it, with every folder named outside ASCII.
class UnicodeBatchRunTest : public testing::Test {
protected:
    UnicodeBatchRunTest() {
        fs::create_directories(utf8Path(root_));
        fs::copy(BRINDLEPATH_TEST_BIN_DIR, utf8Path(program_), fs::copy_options::recursive);
        sim::DemoOptions demo;
        demo.contacts = 40;
        sim::DemoGenerator::generate(host_, demo);
    }

    int run(std::vector<std::string> args, const platform::SettingPairs& selection) {
        std::string file = root_ + kSep + "выбор.ini";
        platform::FileSettingsStore store(file);
        for (const auto& [key, value] : selection) {
            store.SaveSetting("Settings", key, value);
        }
        args.insert(args.begin(), file);
        err_.str("");
        std::ostringstream out;
        return runBatch(args, out, err_);
    }
    static platform::SettingPairs reportSelection(const char* output) {
        return {{"Lookup", "0"},           {"Report", "-1"},   {"Report0", "0"},
                {"Report1", "0"},          {"Report2", "-1"},  {"cboOutput", output},
                {"ReportsListIndex", "0"}, {"chkSales1", "1"}, {"chkSales2", "1"}};
    }

    TempFolder folder_;
    std::string root_ = folder_.file("Zoë Prévisions");
    std::string program_ = root_ + kSep + "Прогноз program";
    std::string host_ = root_ + kSep + "hôte Прогноз.db";
    std::string settings_ = root_ + kSep + "réglages" + kSep + "settings.ini";
    ScopedEnv homeEnv_{"BRINDLEPATH_HOME", program_};
    ScopedEnv hostEnv_{"BRINDLEPATH_HOST", host_};
    ScopedEnv settingsEnv_{"BRINDLEPATH_SETTINGS", settings_};
    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", "1"};
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", folder_.path().string()};
    std::ostringstream err_;
};

TEST_F(UnicodeBatchRunTest, ASpreadsheetReportWritesItsFilesIntoTheProgramFolder) {
    ASSERT_EQ(run({}, reportSelection("0")), 0) << err_.str();
    platform::FileSettingsStore user(settings_);
    EXPECT_EQ(user.GetSetting("Settings", "DataFile", ""), program_ + kSep + "data.CSV");
    EXPECT_FALSE(platform::test::readFile(program_ + kSep + "data.CSV").empty());
    EXPECT_TRUE(fs::is_regular_file(utf8Path(program_) / u8"data.CSV"));
    // The host's lookup at start-up is kept beside the program's own files.
    EXPECT_TRUE(fs::is_regular_file(utf8Path(program_) / u8"~currentLU.lku"));
    std::string templatePath = user.GetSetting("Report", "Path", "");
    EXPECT_EQ(templatePath.rfind(program_ + kSep + "Templates" + kSep, 0), 0u) << templatePath;
    EXPECT_TRUE(fs::is_regular_file(utf8Path(templatePath))) << templatePath;
    EXPECT_TRUE(fs::is_regular_file(utf8Path(settings_)));
}

TEST_F(UnicodeBatchRunTest, AnExportGoesToTheFileOfTheExactName) {
    std::string out = root_ + kSep + "Прогноз Q3 Zoë.csv";
    ASSERT_EQ(run({"--out", out}, reportSelection("1")), 0) << err_.str();
    ASSERT_TRUE(fs::is_regular_file(utf8Path(out)));
    EXPECT_EQ(platform::test::readFile(out).rfind("\"Company\",\"Contact\"", 0), 0u);
}

// On Windows a start without a named host attaches by automation; the stand-in server there
// serves the same default database and says so in the same way when it is missing.
TEST_F(UnicodeBatchRunTest, WithoutANamedHostTheDatabaseIsLookedForInTheUsersDataFolder) {
    ScopedEnv noHost("BRINDLEPATH_HOST", std::nullopt);
    ScopedEnv data("XDG_DATA_HOME", root_ + kSep + "données");
#ifdef _WIN32
    auto registered =
        bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), {"register"});
    ASSERT_EQ(registered.exitCode, 0) << registered.output;
    ScopedEnv local("LOCALAPPDATA", root_ + kSep + "données");
    const std::string expected =
        "There is no host database at " + root_ + "\\données\\brindlepath\\host.db";
#else
    const std::string expected =
        "There is no contact database at " + root_ + "/données/brindlepath/host.db";
#endif
    EXPECT_NE(run({}, reportSelection("0")), 0);
    EXPECT_NE(err_.str().find(expected), std::string::npos) << err_.str();
}

// The main window on a program folder named outside ASCII.
class UnicodeTemplatesFolderTest : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        session.programFolder = program_;
        session.launcher = &launcher_;
        fs::create_directories(utf8Path(templates_));
        platform::test::writeFile(program_ + kSep + "brindlepath_def.DCS", "starter csv");
    }
    bool inTemplates(const std::string& name) const {
        return fs::is_regular_file(utf8Path(templates_) / utf8Path(name));
    }

    std::string program_ = file("Zoë Prévisions Прогноз");
    std::string templates_ = program_ + kSep + "Templates";
    platform::RecordingLauncher launcher_;
};

TEST_F(UnicodeTemplatesFolderTest, TheTemplatesFolderInUseEndsInTheSystemsSeparator) {
    openWindow();
    EXPECT_EQ(session.sTemplatesFolder(), templates_ + kSep);
    // A stored folder keeps the separator it was given; one without gets the system's.
    store.SaveSetting("Settings", "TemplatesFolder", program_ + "/Шаблоны/");
    openWindow();
    EXPECT_EQ(session.sTemplatesFolder(), program_ + "/Шаблоны/");
    store.SaveSetting("Settings", "TemplatesFolder", program_ + kSep + "Шаблоны");
    openWindow();
    EXPECT_EQ(session.sTemplatesFolder(), program_ + kSep + "Шаблоны" + kSep);
}

TEST_F(UnicodeTemplatesFolderTest, DefinitionsAreListedUnderTheirExactNames) {
    for (const char* name :
         {"Prévisions Q3.DXL", "Prévisions Q3.XLT", "Прогноз.DXL", "Прогноз.XLT"}) {
        platform::test::writeFile(templates_ + kSep + name, "x");
    }
    openWindow();
    c().optChoice[1].click();
    ASSERT_EQ(c().lstReports->listCount(), 2);
    EXPECT_EQ(c().lstReports->list(0), "Prévisions Q3");
    EXPECT_EQ(c().lstReports->list(1), "Прогноз");
}

TEST_F(UnicodeTemplatesFolderTest, ANewReportIsSavedAndListedUnderItsExactName) {
    openWindow();
    c().optChoice[1].click();
    auto reports = MainWindowReports::install(*window);
    c().cboOutput->choose(1);
    ui.onModal("frmNew", [](forms::Form& f) {
        dynamic_cast<reports::FrmNew&>(f).txtNewName().typeText("Zoë Прогноз");
        f.pressEnter();
    });
    ASSERT_TRUE(window->menu("mnuNew").click());
    EXPECT_TRUE(inTemplates("Zoë Прогноз.DCS"));
    EXPECT_EQ(platform::test::readFile(templates_ + kSep + "Zoë Прогноз.DCS"), "starter csv");
    EXPECT_EQ(c().lstReports->list(c().lstReports->listIndex()), "Zoë Прогноз");
}

}  // namespace
}  // namespace bp::app
