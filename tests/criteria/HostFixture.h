#pragma once
// A session on a small host database in a temporary folder, with a scripted UI, a memory
// settings store and a recording shell. Every environment variable the program reads points
// into the temporary folder, so no test touches the user's own store, host or folders.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "act/Session.h"
#include "act/sim/DatasetJson.h"
#include "act/sim/SimHost.h"
#include "forms/ScriptedUi.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingShell.h"
#include "platform/TestSupport.h"
#include "support/ReleaseHost.h"

namespace bp::test {

inline const char* kSmallDataset = R"({
  "open": true,
  "databasePath": "/home/ann/Contacts/demo.dbf",
  "currentUser": "Ann Admin",
  "users": [{"id": "U00000000001", "name": "Ann"},
            {"id": "U00000000002", "name": "Anne"},
            {"id": "U00000000003", "name": "Bob Baker"}],
  "contacts": [{"1": "C00000000001", "6": "U00000000001", "25": "Acme Ltd"}],
  "sales": [{"1": "S00000000001", "25": "C00000000001", "6": "U00000000001"}],
  "lists": {"1": ["Widget", "Gadget"], "2": ["New", "Upgrade", "Renewal"], "3": []},
  "salesStages": ["Prospect", "Qualified", "Proposal"],
  "currentLookup": ["C00000000001"]
})";

class HostFixture : public ::testing::Test {
protected:
    HostFixture()
        : home_("BRINDLEPATH_HOME", temp_.path().string()),
          settingsEnv_("BRINDLEPATH_SETTINGS", temp_.file("settings.ini")),
          hostEnv_("BRINDLEPATH_HOST", temp_.file("host.db")),
          locale_("BRINDLEPATH_LOCALE", std::string("en_US")),
          noLaunch_("BRINDLEPATH_NO_LAUNCH", std::string("1")) {}

    void SetUp() override {
        importHost(kSmallDataset);
        session.ui = &ui;
        session.settings = &store;
        session.shell = &shell;
        session.host = host.get();
        session.programFolder = temp_.path().string();
    }

    void importHost(const std::string& json) {
        bp::test::releaseHost(session);
        host.reset();
        sim::DatasetJson::importText(temp_.file("host.db"), json);
        host = std::make_unique<sim::SimHost>(temp_.file("host.db"));
        session.host = host.get();
    }

    // Opens the tables the criteria lists read, as start-up does.
    void openTables() {
        session.objDatabase = host->createDatabase();
        session.objDatabase->OpenEx("");
        session.objListTable = session.objDatabase->GetListTable();
        session.objUsers = session.objDatabase->GetUsers();
        session.objSales = session.objDatabase->Sales();
        session.objContact = session.objDatabase->Contact();
    }

    std::string folder() const { return temp_.path().string(); }
    std::string file(const std::string& name) const { return temp_.file(name); }

    platform::test::TempFolder temp_;
    platform::test::ScopedEnv home_, settingsEnv_, hostEnv_, locale_, noLaunch_;
    forms::ScriptedUi ui;
    platform::MemorySettingsStore store;
    platform::RecordingShell shell;
    std::unique_ptr<sim::SimHost> host;
    act::Session session;
};

}  // namespace bp::test
