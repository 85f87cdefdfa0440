#pragma once
// The run button: checks the choices, lets the filter engine find the matching sales records
// and contacts, and sends them to the chosen output: a host lookup, a data file for the
// report builder, or a CSV export copied to a file the user picks. After a completed run the
// main window closes; after every stop it stays open.

#include <string>

#include "act/Session.h"
#include "filter/SalesFilter.h"
#include "forms/UiService.h"
#include "output/RunWindow.h"

namespace bp::output {

enum class RunOutcome {
    Completed,  // the output was made and the window closed
    Stopped,    // a message told the user why, or the user cancelled; the window stays
    Cancelled,  // the user stopped the work while it ran: nothing was made; the window stays
};

class RunCommand {
public:
    RunCommand(act::Session& session, RunWindow& window);

    RunOutcome cmdOK_Click();

private:
    RunOutcome run();
    RunOutcome produce(filter::SalesFilter& filter, const criteria::Criteria& criteria,
                       const std::string& reportName);
    RunOutcome lookupOutput(filter::SalesFilter& filter);
    RunOutcome reportOutput(filter::SalesFilter& filter, const std::string& reportName);
    bool exportCsv();
    RunOutcome buildWorkbook();
    void tell(const std::string& text, forms::MsgIcon icon, const std::string& title = {});

    act::Session& session_;
    RunWindow& window_;
};

}  // namespace bp::output
