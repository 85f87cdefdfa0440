// Lookups and the current contact, within one host and across processes sharing the file.
#include <gtest/gtest.h>

#include "act/sim/DatasetJson.h"
#include "act/sim/HostTestSupport.h"
#include "act/sim/LookupFile.h"
#include "act/sim/SimHost.h"
#include "platform/Error.h"

namespace bp::sim::test {
namespace {

using Ids = std::vector<std::string>;

class SimLookupTest : public TempHostFolder {
protected:
    void SetUp() override {
        TempHostFolder::SetUp();
        DatasetJson::importText(path("host.db"), kSmallDataset);
        host_ = std::make_unique<SimHost>(path("host.db"));
        app_ = host_->createAppObject();
        db_ = host_->createDatabase();
        db_->OpenEx("");
        view_ = app_->GetViews()->Create(1, "");
    }

    // What the program does for the current-lookup scope: save it, load it, walk it.
    Ids walkCurrentLookup(act::ActApp& app, act::Database& db) {
        app.SaveCurrentLookup(path("temp.lku"));
        auto contacts = db.Contact();
        contacts->LoadLookupQuery(path("temp.lku"));
        Ids ids;
        for (contacts->MoveFirst(); !contacts->isEOF(); contacts->MoveNext()) {
            ids.push_back(contacts->Data(1));
        }
        return ids;
    }

    std::unique_ptr<SimHost> host_;
    std::shared_ptr<act::ActApp> app_;
    std::shared_ptr<act::Database> db_;
    std::shared_ptr<act::ContactView> view_;
};

TEST_F(SimLookupTest, TheSavedLookupRestrictsTheContactTable) {
    EXPECT_EQ(walkCurrentLookup(*app_, *db_), (Ids{"C00000000002", "C00000000004"}));
    EXPECT_EQ(LookupFile::read(path("temp.lku")), (Ids{"C00000000002", "C00000000004"}));
}

// Each new lookup replaces the last one: walked in the host's order, each contact once,
// without contacts the host does not hold, and an empty one holds no contact.
TEST_F(SimLookupTest, CreateLookupKeepsTheHostsContactsInItsOrderOnce) {
    const std::pair<const char*, Ids> lookups[] = {
        {"C00000000004C00000000001C00000000004", {"C00000000001", "C00000000004"}},
        {"C00000000003C99999999999", {"C00000000003"}},
        {"", {}},
    };
    for (const auto& [list, walked] : lookups) {
        SCOPED_TRACE(list);
        view_->CreateLookup(list);
        EXPECT_EQ(walkCurrentLookup(*app_, *db_), walked);
    }
}

TEST_F(SimLookupTest, CreateLookupRefusesAListThatIsNotWholeIds) {
    EXPECT_THROW(view_->CreateLookup("C00000000003C0000"), Error);
    EXPECT_EQ(walkCurrentLookup(*app_, *db_), (Ids{"C00000000002", "C00000000004"}));
}

TEST_F(SimLookupTest, WithoutALookupTheHostShowsAllContacts) {
    auto dataset = nlohmann::json::parse(kSmallDataset);
    dataset.erase("currentLookup");
    DatasetJson::importJson(path("all.db"), dataset);
    SimHost all(path("all.db"));
    auto db = all.createDatabase();
    db->OpenEx("");
    EXPECT_EQ(walkCurrentLookup(*all.createAppObject(), *db).size(), 4u);
}

TEST_F(SimLookupTest, GoToFindsContactsOutsideTheLoadedLookup) {
    walkCurrentLookup(*app_, *db_);
    auto contacts = db_->Contact();
    ASSERT_TRUE(contacts->GoTo("C00000000001"));
    EXPECT_EQ(contacts->Data(26), "Jo Smith");
    EXPECT_TRUE(contacts->isEOF());  // not part of the walk
    ASSERT_TRUE(contacts->GoTo("C00000000002"));
    contacts->MoveNext();
    EXPECT_EQ(contacts->Data(1), "C00000000004");
}

TEST_F(SimLookupTest, BadLookupFilesAreRefused) {
    try {
        db_->Contact()->LoadLookupQuery(path("missing.lku"));
        FAIL() << "a missing lookup file was loaded";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrFileNotFound);
    }
    writeFile("notes.txt", "C00000000001\n");
    EXPECT_THROW(db_->Contact()->LoadLookupQuery(path("notes.txt")), Error);
    EXPECT_THROW(db_->Sales()->LoadLookupQuery(path("temp.lku")), Error);
    EXPECT_THROW(app_->SaveCurrentLookup(path("no-such-folder/temp.lku")), Error);
}

TEST_F(SimLookupTest, ASecondHostOnTheSameFileSeesTheNewLookup) {
    SimHost second(path("host.db"));
    auto app = second.createAppObject();
    auto db = second.createDatabase();
    db->OpenEx("");
    view_->CreateLookup("C00000000003C00000000001");
    EXPECT_EQ(walkCurrentLookup(*app, *db), (Ids{"C00000000001", "C00000000003"}));
}

TEST_F(SimLookupTest, TheToolSeesAndSetsTheLookupOfARunningHost) {
    view_->CreateLookup("C00000000003");
    ToolResult listed = runOnHost({"lookup"});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.output, "C00000000003\n");

    ToolResult set = runOnHost({"set-lookup", "C00000000004", "C00000000001", "C00000000004"});
    ASSERT_EQ(set.exitCode, 0) << set.output;
    EXPECT_EQ(runOnHost({"lookup"}).output, "C00000000004\nC00000000001\n");
    EXPECT_EQ(walkCurrentLookup(*app_, *db_), (Ids{"C00000000001", "C00000000004"}));

    ASSERT_EQ(runOnHost({"set-lookup", "--all"}).exitCode, 0);
    EXPECT_EQ(walkCurrentLookup(*app_, *db_).size(), 4u);
}

TEST_F(SimLookupTest, CurrentContactFollowsTheHost) {
    EXPECT_EQ(view_->GetCurrentId(), "C00000000002");
    ToolResult set = runOnHost({"set-current", "C00000000003"});
    ASSERT_EQ(set.exitCode, 0) << set.output;
    EXPECT_EQ(view_->GetCurrentId(), "C00000000003");
}

TEST_F(SimLookupTest, NoCurrentContactReadsEmpty) {
    auto dataset = nlohmann::json::parse(kSmallDataset);
    dataset.erase("currentContact");
    DatasetJson::importJson(path("none.db"), dataset);
    EXPECT_EQ(SimHost(path("none.db")).createAppObject()->GetViews()->Create(1, "")->GetCurrentId(),
              "");
    dataset["currentContact"] = "C00000000099";  // a contact that was deleted
    DatasetJson::importJson(path("gone.db"), dataset);
    EXPECT_EQ(SimHost(path("gone.db")).createAppObject()->GetViews()->Create(1, "")->GetCurrentId(),
              "");
}

TEST_F(SimLookupTest, ViewsOtherThanContactsAreRefused) {
    EXPECT_THROW(app_->GetViews()->Create(2, ""), Error);
    auto view = app_->GetViews()->Create(1, "CV");
    view->SetActiveTab("Sales/Opportunities");
    view->CreateLookup("C00000000001");
    EXPECT_EQ(walkCurrentLookup(*app_, *db_), Ids{"C00000000001"});
}

}  // namespace
}  // namespace bp::sim::test
