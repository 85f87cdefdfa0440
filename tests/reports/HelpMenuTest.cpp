// The Help menu: the user guide, the online tutorials and the about box.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "reports/HelpMenu.h"
#include "reports/ReportsFixture.h"

namespace bp::reports::test {
namespace {

class HelpMenuTest : public ReportsFixture {
protected:
    HelpMenu help{session};
};

TEST_F(HelpMenuTest, ContentOpensTheUserGuideInTheProgramFolder) {
    write(program("brindlepath-help.html"), "<html></html>");
    help.mnuContent_Click();
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].path, program("brindlepath-help.html"));
    EXPECT_EQ(shell.calls()[0].workingFolder, session.programFolder);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(HelpMenuTest, MissingUserGuideIsReported) {
    help.mnuContent_Click();
    EXPECT_TRUE(shell.calls().empty());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_NE(ui.messages()[0].request.text.find(program("brindlepath-help.html")),
              std::string::npos);
    EXPECT_EQ(ui.messages()[0].request.icon, forms::MsgIcon::Exclamation);
}

TEST_F(HelpMenuTest, OnlineTutorialsOpenTheTutorialPage) {
    help.mnuOnlineHelp_Click();
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].path,
              "https://brindlepath.example/tutorials/brindlepath_online.htm");
    EXPECT_EQ(shell.calls()[0].workingFolder, session.programFolder);
}

TEST_F(HelpMenuTest, AboutShowsNameVersionAndBuildDate) {
    std::string title, version, built, host;
    ui.onModal("frmAbout", [&](forms::Form& f) {
        auto& about = dynamic_cast<FrmAbout&>(f);
        title = about.lblTitle().caption();
        version = about.lblVersion().caption();
        built = about.lblBuild().caption();
        host = about.lblHost().caption();
        about.pressEnter();
    });
    help.mnuAbout_Click();
    ASSERT_EQ(ui.modals().size(), 1u);
    EXPECT_FALSE(ui.modals()[0].leftOpen);
    EXPECT_EQ(title, "brindlepath");
    EXPECT_TRUE(std::regex_match(version, std::regex(R"(Version \d+\.\d+\.\d+)"))) << version;
    EXPECT_TRUE(std::regex_match(built, std::regex(R"(Built 20\d\d-[01]\d-[0-3]\d)"))) << built;
    EXPECT_EQ(host, "") << "no host is attached in this fixture";
}

// The guide the build puts beside the program tells the user how to work with reports.
TEST(HelpPageTest, TheBuiltProgramFolderHoldsTheUserGuide) {
    std::ifstream in(std::string(BRINDLEPATH_BUILT_PROGRAM_DIR) + "/" + kHelpPage);
    ASSERT_TRUE(in) << BRINDLEPATH_BUILT_PROGRAM_DIR << kHelpPage;
    std::stringstream page;
    page << in.rdbuf();
    for (const char* words :
         {"Selecting contacts", "Running a lookup", "Managing reports", "New Excel Report",
          "Rename report", "Confirm Deletion", "Template folder...", "Browse"}) {
        EXPECT_NE(page.str().find(words), std::string::npos) << words;
    }
}

}  // namespace
}  // namespace bp::reports::test
