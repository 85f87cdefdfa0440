#pragma once
// A Session on a temporary embedded host built from a small JSON dataset, with a scripted UI,
// an in-memory settings store and a recording shell: what the program's parts see at run
// time, without a window, a display or the user's own files.

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
#include "support/SessionSeed.h"

namespace bp::test {

class HostSession {
public:
    explicit HostSession(const std::string& datasetJson) {
        std::filesystem::create_directories(folder.path() / "Templates");
        sim::DatasetJson::importText(hostPath(), datasetJson);
        host = std::make_unique<sim::SimHost>(hostPath());
        session.ui = &ui;
        session.settings = &settings;
        session.shell = &shell;
        session.host = host.get();
        session.programFolder = folder.path().string();
        SessionSeed::sTemplatesFolder(session, session.programFolder + "/Templates/");
        attach();
    }

    std::string hostPath() const { return folder.file("host.db"); }
    std::string file(const std::string& name) const { return folder.file(name); }

    platform::test::TempFolder folder;
    forms::ScriptedUi ui;
    platform::MemorySettingsStore settings;
    platform::RecordingShell shell;
    std::unique_ptr<sim::SimHost> host;
    act::Session session;

private:
    // The shared objects, opened as start-up opens them.
    void attach() {
        session.objActApp = host->createAppObject();
        session.objActApp->OpenFile("");
        session.objViews = session.objActApp->GetViews();
        session.objContactView = session.objViews->Create(1, "");
        session.objDatabase = host->createDatabase();
        session.objDatabase->OpenEx("");
        session.objListTable = session.objDatabase->GetListTable();
        session.objContact = session.objDatabase->Contact();
        session.objUsers = session.objDatabase->GetUsers();
        session.objSales = session.objDatabase->Sales();
        session.objFields = session.objContact->Fields();
        session.objGroup = session.objDatabase->Group();
    }
};

}  // namespace bp::test
