#include "output/RunChecks.h"

#include "definitions/DefinitionFile.h"
#include "platform/AppInfo.h"

namespace bp::output {
namespace {

void tell(act::Session& session, const std::string& text) {
    session.ui->message(
        {std::string(platform::kAppTitle), text, forms::MsgButtons::OK, forms::MsgIcon::None});
}

}  // namespace

bool stageSelectedReport(act::Session& session, RunWindow& window, std::string& reportName) {
    auto selected = window.selectedReport();
    if (!selected) {
        tell(session, "You need to select a report!");
        window.showTab(0);
        return false;
    }
    reportName = *selected;
    if (!definitions::Load_DefFile(session, reportName, session.iOutputType())) {
        tell(session, "Unable to access this report definition file!");
        return false;
    }
    return true;
}

bool conditionsComplete(filter::SalesFilter& filter, RunWindow& window) {
    int rc = filter.Check_Conditions();
    if (rc < 2) {
        return true;
    }
    window.showTab(rc);
    window.focusCondition(rc - 2);
    return false;
}

}  // namespace bp::output
