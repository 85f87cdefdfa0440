#include "app/Module1.h"

#include <string>

#include "app/FrmSplash.h"
#include "app/MainWindowCommands.h"
#include "app/SessionKey.h"
#include "filter/LookupFiles.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"
#include "platform/PathText.h"

namespace bp::app {
namespace {

constexpr platform::Routine kMain{"Module1", "Main"};

void say(act::Session& session, const std::string& text) {
    session.ui->message({.title = std::string(platform::kAppTitle), .text = text});
}

std::string noDatabaseText() {
    return "Please open a database before running " + std::string(platform::kAppTitle) + "!";
}

// Drops every host object start-up opened, closing the database when it was opened.
void releaseAll(act::Session& s) {
    s.objListTable.reset();
    s.objContact.reset();
    s.objUsers.reset();
    s.objSales.reset();
    s.objFields.reset();
    s.objGroup.reset();
    s.objContactView.reset();
    s.objViews.reset();
    s.objActApp.reset();
    if (auto database = std::move(s.objDatabase)) {
        try {
            database->Close();
        } catch (const std::exception&) {
            // Closing what never opened properly: nothing more to release.
        }
    }
}

// Steps 5 to 11 of the start-up: the database and its tables. False after a message.
bool openDatabase(act::Session& s, const SessionKey& key) {
    s.objContactView = s.objViews->Create(1, "");
    s.objDatabase = s.host->createDatabase();
    s.objDatabase->OpenEx("");
    s.objListTable = s.objDatabase->GetListTable();
    s.objContact = s.objDatabase->Contact();
    s.objUsers = s.objDatabase->GetUsers();
    s.objSales = s.objDatabase->Sales();
    try {
        s.objFields = s.objContact->Fields();
    } catch (const std::exception&) {
        say(s, noDatabaseText());
        return false;
    }
    s.objGroup = s.objDatabase->Group();
    s.objDatabase->PhoneFormatting(2);
    s.objActApp->SaveCurrentLookup(platform::joinPath(s.programFolder, filter::kStartupLookupFile));
    s.sCurrentUser.set(key, s.objDatabase->CurrentUser());
    return true;
}

bool attach(act::Session& s, const SessionKey& key) {
    s.objActApp = s.host->createAppObject();
    s.objActApp->OpenFile("");
    s.objViews = s.objActApp->GetViews();
    if (!s.objActApp->IsDBOpen()) {
        say(s, noDatabaseText());
        return false;
    }
    return openDatabase(s, key);
}

}  // namespace

std::unique_ptr<FrmMain> Sub_Main(act::Session& session, const platform::SingleInstance& instance,
                                  const StartUpSteps& steps) {
    FrmSplash splash(*session.ui);
    splash.show();
    // Declared after the splash, so its drawing goes first.
    const std::shared_ptr<void> drawn = steps.drawSplash ? steps.drawSplash(splash) : nullptr;
    if (instance.PrevInstance()) {
        say(session, "An instance of this program is already running !");
        splash.unload();
        return nullptr;
    }
    if (steps.openHost && !steps.openHost()) {
        splash.unload();
        return nullptr;
    }
    bool attached = false;
    const SessionKey key{};
    platform::guarded(*session.ui, kMain, [&] { attached = attach(session, key); });
    splash.unload();
    if (!attached) {
        releaseAll(session);
        return nullptr;
    }
    auto frmMain = std::make_unique<FrmMain>(session);
    connectCommands(*frmMain, session);
    frmMain->show();
    if (!frmMain->loaded()) {
        // The window closed itself while loading (no host to register with).
        releaseAll(session);
        return nullptr;
    }
    return frmMain;
}

}  // namespace bp::app
