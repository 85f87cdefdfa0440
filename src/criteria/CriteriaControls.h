#pragma once
// The criteria controls of the main window, created on the four pages of its tab control:
// "General" (type of output, lookup or report options, output kind, report list), "Filter"
// (creation dates, contact and sales managers, sales status), "1st Condition" and
// "2nd Condition". Captions, access keys, control arrays and Tags are the window's own; the
// Tags drive which value controls of a condition are shown (CriteriaPanel::Show_By_Tag).

#include "forms/Controls.h"

namespace bp::criteria {

// Pages of the main window's tab control.
enum TabPageIndex : int { kTabGeneral = 0, kTabFilter = 1, kTabFirst = 2, kTabSecond = 3 };

inline constexpr const char* kTabCaptions[] = {"General", "Filter", "1st Condition",
                                               "2nd Condition"};

struct CriteriaControls {
    // Adds the tabs to `tabs` and creates every control on its page.
    static CriteriaControls create(forms::Form& form, forms::TabControl& tabs);

    forms::TabControl* mstSSTab = nullptr;

    // General
    forms::Frame* fraChoice = nullptr;
    forms::ControlArray<forms::OptionButton> optChoice;
    forms::Frame* fraLookup = nullptr;
    forms::ControlArray<forms::OptionButton> optLookup;
    forms::Frame* fraReport = nullptr;
    forms::ControlArray<forms::OptionButton> optReport;
    forms::Frame* fraOutput = nullptr;
    forms::ComboBox* cboOutput = nullptr;
    forms::Frame* fraTemplate = nullptr;
    forms::ListBox* lstReports = nullptr;

    // Filter
    forms::Frame* fraDate = nullptr;
    forms::ControlArray<forms::OptionButton> optDate;
    forms::DatePicker* dtpStartDate = nullptr;
    forms::DatePicker* dtpEndDate = nullptr;
    forms::Label* lblFrom = nullptr;
    forms::Label* lblTo = nullptr;
    forms::Frame* fraManagedby = nullptr;
    forms::ControlArray<forms::OptionButton> optManagedby;
    forms::ListBox* lstUsers = nullptr;
    forms::Frame* fraSalesManagedBy = nullptr;
    forms::ControlArray<forms::OptionButton> optSalesManagedBy;
    forms::ListBox* lstSalesUsers = nullptr;
    forms::Frame* fraSales = nullptr;
    forms::ControlArray<forms::CheckBox> chkSales;

    // Conditions (index 0: first, 1: second)
    forms::Frame* fraFirst = nullptr;
    forms::Frame* fraSecond = nullptr;
    forms::ControlArray<forms::CheckBox> chkCondition;
    forms::ControlArray<forms::ComboBox> cboCondition;
    forms::ControlArray<forms::Frame> fraDefine;
    forms::ControlArray<forms::ListBox> lstCriteria;
    forms::ControlArray<forms::Label> lblSelect;
    forms::ControlArray<forms::OptionButton> optOr;
    forms::ControlArray<forms::OptionButton> optAnd;
    forms::ControlArray<forms::Label> lblExplanation;
    forms::ControlArray<forms::TextBox> txtValueMin;
    forms::ControlArray<forms::TextBox> txtValueMax;
    forms::ControlArray<forms::Label> Label3;
    forms::ControlArray<forms::Label> lblValue;  // 0, 1: first condition; 2, 3: second
    forms::ControlArray<forms::DatePicker> dtpStart;
    forms::ControlArray<forms::DatePicker> dtpEnd;
    forms::CheckBox* chkReverse = nullptr;
    forms::Label* lblReverse = nullptr;
};

}  // namespace bp::criteria
