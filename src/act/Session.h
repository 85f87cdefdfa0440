#pragma once
// How data flows through the program: start-up attaches to the host and fills a Session;
// the main window's criteria panel (criteria/) describes the selection; the filter engine
// (filter/) turns it into sales and contact ID lists through the host tables of the Session;
// the output layer (output/) makes a host lookup, a data file for the report builder, or a CSV
// export from them. The report library (reports/) and the definition editor (definitions/)
// manage the definition files the output layer reads.
//
// The Session is the one object every part shares: the host's automation objects opened at
// start-up, the services of the platform, and the few program-wide values that pass between
// windows. It is created by start-up (app/) and outlives every window.

#include <memory>
#include <string>

#include "act/Application.h"
#include "act/Host.h"
#include "act/Tables.h"
#include "forms/UiService.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

namespace bp::platform {
class Launcher;
}  // namespace bp::platform

namespace bp::act {

struct Session {
    // Services; never null while the program runs.
    forms::UiService* ui = nullptr;
    platform::SettingsStore* settings = nullptr;
    platform::Shell* shell = nullptr;
    platform::Launcher* launcher = nullptr;
    Host* host = nullptr;
    std::string programFolder;  // no trailing "/"

    // The host's shared objects, opened at start-up and released when the main window unloads.
    std::shared_ptr<ActApp> objActApp;
    std::shared_ptr<Views> objViews;
    std::shared_ptr<ContactView> objContactView;
    std::shared_ptr<Database> objDatabase;
    std::shared_ptr<ListTable> objListTable;
    std::shared_ptr<RecordTable> objContact;
    std::shared_ptr<Users> objUsers;
    std::shared_ptr<RecordTable> objSales;
    std::shared_ptr<FieldDefs> objFields;
    std::shared_ptr<RecordTable> objGroup;

    // Program-wide values.
    std::string sCurrentUser;
    std::string sTemplatesFolder;  // always ends in "/"
    std::string sDecimalSep = ".";
    int iOutputType = 0;  // 0 spreadsheet report (.DXL), 1 CSV export (.DCS)
    bool bRestartAct = false;
    bool bNameSortAdded = false;
    bool bSortDescending = false;
    std::string sReportName;  // the definition the report commands chose last
    // objContact was restricted to a lookup by an earlier run of this start.
    bool bContactLookupLoaded = false;
};

}  // namespace bp::act
