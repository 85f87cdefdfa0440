#pragma once
// How data flows through the program: start-up attaches to the host and fills a Session;
// the main window's criteria panel (criteria/) describes the selection; the filter engine
// (filter/) turns it into sales and contact ID lists through the host tables of the Session;
// the output layer (output/) makes a host lookup, a data file for the report builder, or a CSV
// export from them. The report library (reports/) and the definition editor (definitions/)
// manage the definition files the output layer reads.
//
// The Session is the one object every part shares. It holds two kinds of things:
//
// - Long-lived services: the user interface, the settings store, the shell, the launcher, the
//   host and the program folder, set by whoever starts the program (the desktop front end or
//   a batch run) before anything else runs; and the host's shared objects, opened by start-up
//   (app/Module1) and released by start-up or the main window's unload (the lookup builder
//   opens a fresh contact view for each lookup it makes). Plain fields.
//
// - Values a run passes between windows. Each has one writer, the module that owns it, and is
//   written only with that module's key (<owner>/SessionKey.h); everyone else reads it:
//
//     value                 written by                                read by
//     sCurrentUser          app: start-up, when the database opens    anyone
//     sTemplatesFolder      app: the main window's load               reports, definitions,
//                                                                     output
//     iOutputType           criteria: the output kind (cboOutput)     reports, definitions,
//                                                                     output, app
//     bRestartAct           integration: the host integration dialog  app (unload, re-start)
//     sDecimalSep           output: the run, from the locale          output (cell values)
//     bNameSortAdded        output: the results list                  output (data file)
//     bSortDescending       output: the results list                  output
//     sReportName           reports: the report commands and dialogs  definitions (settings)
//     bContactLookupLoaded  filter: the filter pipeline and lookups   filter
//
//   The desktop front end's pictures stage sTemplatesFolder, sReportName and iOutputType with
//   the owners' keys and put the user's values back afterwards.
//
// The Session is created by the program's start (gui/, app/BatchRun) and outlives every window.

#include <memory>
#include <string>

#include "act/Application.h"
#include "act/Host.h"
#include "act/RunValue.h"
#include "act/Tables.h"
#include "core/Progress.h"
#include "forms/UiService.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

namespace bp::platform {
class Launcher;
}  // namespace bp::platform
namespace bp::app {
class SessionKey;
}  // namespace bp::app
namespace bp::criteria {
class SessionKey;
}  // namespace bp::criteria
namespace bp::filter {
class SessionKey;
}  // namespace bp::filter
namespace bp::integration {
class SessionKey;
}  // namespace bp::integration
namespace bp::output {
class SessionKey;
}  // namespace bp::output
namespace bp::reports {
class SessionKey;
}  // namespace bp::reports

namespace bp::act {

struct Session {
    // Services, set before anything runs; never null while the program runs.
    forms::UiService* ui = nullptr;
    platform::SettingsStore* settings = nullptr;
    platform::Shell* shell = nullptr;
    platform::Launcher* launcher = nullptr;
    Host* host = nullptr;
    std::string programFolder;  // no trailing separator
    // Long loops of a run call progress.step(); the run attaches the UI's sink for its length.
    core::Progress progress;

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

    // Values of the run, each with its one writer.
    RunValue<std::string, app::SessionKey> sCurrentUser;
    RunValue<std::string, app::SessionKey> sTemplatesFolder;  // always ends in a separator
    RunValue<std::string, output::SessionKey> sDecimalSep{"."};
    // 0 spreadsheet report (.DXL), 1 CSV export (.DCS)
    RunValue<int, criteria::SessionKey> iOutputType;
    RunValue<bool, integration::SessionKey> bRestartAct;
    RunValue<bool, output::SessionKey> bNameSortAdded;
    RunValue<bool, output::SessionKey> bSortDescending;
    // The definition the report commands chose last.
    RunValue<std::string, reports::SessionKey> sReportName;
    // objContact was restricted to a lookup by an earlier run of this start.
    RunValue<bool, filter::SessionKey> bContactLookupLoaded;
};

}  // namespace bp::act
