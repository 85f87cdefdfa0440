#pragma once
// The checks every piece of work on the user's choices makes before it reads the host: a
// report must be selected and its definition staged, and each applied condition complete.
// Both tell the user what is missing and show where, as the run button always has.

#include <string>

#include "act/Session.h"
#include "filter/SalesFilter.h"
#include "output/RunWindow.h"

namespace bp::output {

// Stages the definition of the selected report; its name goes to `reportName`. False, after
// telling the user, when none is selected or its definition cannot be read.
bool stageSelectedReport(act::Session& session, RunWindow& window, std::string& reportName);

// False, after the filter told the user and the window showed the condition, when an applied
// condition is incomplete.
bool conditionsComplete(filter::SalesFilter& filter, RunWindow& window);

}  // namespace bp::output
