#pragma once
// The main window as the run and the preview see it: criteria and a report chosen by the
// test, and a record of what the command asked of the window.

#include <optional>
#include <string>

#include "forms/Controls.h"
#include "output/RunWindow.h"

namespace bp::test {

class FakeRunWindow : public output::RunWindow {
public:
    explicit FakeRunWindow(forms::UiService& ui) : form_(ui, "frmMain") {
        lvw_ = &form_.add<forms::ListView>("lvwSales");
        for (int c = 1; c <= 26; ++c) {
            lvw_->addColumn(std::to_string(c));
        }
    }
    criteria::Criteria currentCriteria() override { return criteria; }
    std::optional<std::string> selectedReport() override { return report; }
    void showTab(int tab) override { shownTab = tab; }
    void focusCondition(int index) override { focused = index; }
    forms::ListView& resultsList() override { return *lvw_; }
    void closeAfterRun() override { closed = true; }

    criteria::Criteria criteria;
    std::optional<std::string> report;
    int shownTab = -1;
    int focused = -1;
    bool closed = false;

private:
    forms::Form form_;
    forms::ListView* lvw_ = nullptr;
};

}  // namespace bp::test
