#pragma once
// The main window's criteria panel: its controls (CriteriaControls), the handlers that keep
// them consistent, and the snapshot the filter engine reads (criteria()).
//
// Assigning a Value or ListIndex from code raises the same handlers as a user's change; the
// window's restore relies on that, and the handlers skip what must not happen during a
// restore by asking the window whether it is loading.

#include <array>
#include <functional>
#include <string>

#include "act/Session.h"
#include "criteria/Criteria.h"
#include "criteria/CriteriaControls.h"

namespace bp::criteria {

// What the panel needs from the window it sits on.
struct PanelHooks {
    std::function<bool()> isLoading;          // bLoading of the main window
    std::function<void()> Update_ReportMenu;  // re-enables the report menu entries
    std::function<void()> Load_Reports;       // refills lstReports for iOutputType
};

class CriteriaPanel {
public:
    // Creates the controls on `tabs` (which must belong to `form`) and binds their events.
    CriteriaPanel(forms::Form& form, forms::TabControl& tabs, act::Session& session,
                  PanelHooks hooks);

    CriteriaControls& controls() { return c_; }
    const CriteriaControls& controls() const { return c_; }

    // The choices as the filter engine needs them.
    Criteria criteria() const;

    void cboCondition_Click(int Index);
    void Show_By_Tag(const std::string& kind, int Index);
    void chkCondition_Click(int Index);
    void lstCriteria_Click(int Index);
    void optOr_Click(int Index);
    void optAnd_Click(int Index);
    void chkReverse_Click();
    void chkSales_Click(int Index);
    void optChoice_Click(int Index);
    void optDate_Click(int Index);
    void optmanagedby_Click(int Index);
    void optsalesmanagedby_Click(int Index);
    void cboOutput_Click();

    // The field index each condition combo accepted last, as decimal text.
    const std::array<std::string, 2>& sPrevCondition() const { return sPrevCondition_; }

private:
    void bindEvents();
    bool loading() const { return hooks_.isLoading && hooks_.isLoading(); }
    bool resolveConflict(int Index);
    void refillCriteriaList(int Index, const std::string& field);
    void updateConditionTab(int Index, bool ticked);
    void setMultiEnabled(int Index, bool enabled);
    void run(const char* routine, const std::function<void()>& body);

    forms::Form& form_;
    act::Session& session_;
    PanelHooks hooks_;
    CriteriaControls c_;
    std::array<std::string, 2> sPrevCondition_{"0", "0"};
};

}  // namespace bp::criteria
