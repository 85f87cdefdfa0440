#pragma once
// What the run needs of the main window: the criteria the user chose, the chosen report, the
// tab to show when a choice is missing, the results list, and closing the window after a run.

#include <optional>
#include <string>

#include "criteria/Criteria.h"
#include "forms/ListView.h"

namespace bp::output {

class RunWindow {
public:
    virtual ~RunWindow() = default;
    virtual criteria::Criteria currentCriteria() = 0;
    // The selected entry of the report list, nothing when none is selected.
    virtual std::optional<std::string> selectedReport() = 0;
    virtual void showTab(int tab) = 0;
    // Puts the focus on the box that switches condition `index` on.
    virtual void focusCondition(int index) = 0;
    virtual forms::ListView& resultsList() = 0;
    // After a completed run the window closes, which ends the program.
    virtual void closeAfterRun() = 0;
};

}  // namespace bp::output
