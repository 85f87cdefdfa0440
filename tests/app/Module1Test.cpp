// Start-up: what the user sees when the program starts, and what is left behind when it
// cannot.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppFixture.h"
#include "app/Module1.h"
#include "platform/SingleInstance.h"

namespace bp::app {
namespace {

class Module1Test : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // Start-up opens the tables itself.
        session.objDatabase.reset();
        session.objListTable.reset();
        session.objUsers.reset();
        session.objSales.reset();
        session.objContact.reset();
    }
    std::string lockPath() const { return file("brindlepath.lock"); }
    // A start as the only copy running.
    std::unique_ptr<FrmMain> start() {
        platform::SingleInstance instance(lockPath());
        return Sub_Main(session, instance);
    }
    bool hostObjectsReleased() const {
        return !session.objActApp && !session.objViews && !session.objDatabase &&
               !session.objContact && !session.objFields;
    }
};

TEST_F(Module1Test, StartShowsTheMainWindowAndRemembersTheLookup) {
    auto frmMain = start();
    ASSERT_NE(frmMain, nullptr);
    EXPECT_TRUE(frmMain->visible());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(std::filesystem::exists(folder() + "/~currentLU.lku"));
    EXPECT_EQ(session.sCurrentUser(), "Ann Admin");
    EXPECT_NE(session.objFields, nullptr);
    EXPECT_EQ(frmMain->criteriaControls().lstUsers->listCount(), 3);
}

TEST_F(Module1Test, SecondCopyIsRefused) {
    platform::SingleInstance first(lockPath());
    platform::SingleInstance second(lockPath());
    ASSERT_TRUE(second.PrevInstance());
    EXPECT_EQ(Sub_Main(session, second), nullptr);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.text, "An instance of this program is already running !");
    EXPECT_EQ(ui.messages()[0].request.title, "brindlepath");
    EXPECT_EQ(host->callCounts()["App.OpenFile"], 0u);
}

TEST_F(Module1Test, NoOpenDatabaseEndsWithoutAWindow) {
    importHost(R"({"open": false, "users": []})");
    session.host = host.get();
    EXPECT_EQ(start(), nullptr);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.text, "Please open a database before running brindlepath!");
    EXPECT_TRUE(hostObjectsReleased());
}

TEST_F(Module1Test, UnreadableContactFieldsEndWithTheSameMessage) {
    host->failAt("Contact.Fields", 0, 91, "Object variable not set");
    EXPECT_EQ(start(), nullptr);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.text, "Please open a database before running brindlepath!");
    EXPECT_TRUE(hostObjectsReleased());
    EXPECT_EQ(host->callCounts()["Database.Close"], 1u);
}

TEST_F(Module1Test, OtherHostFailuresGoToTheErrorHandler) {
    host->failAt("App.SaveCurrentLookup", 0, 75, "Path/File access error");
    EXPECT_EQ(start(), nullptr);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].request.title, "brindlepath error");
    EXPECT_NE(ui.messages()[0].request.text.find("in Module1: Sub Main"), std::string::npos);
    EXPECT_TRUE(hostObjectsReleased());
}

TEST_F(Module1Test, HostNotRunningClosesTheWindowItOpened) {
    host->forceResult("ActEvent.Register", 0);
    host->setHostRunning(false);
    EXPECT_EQ(start(), nullptr);
    EXPECT_TRUE(hostObjectsReleased());
}

}  // namespace
}  // namespace bp::app
