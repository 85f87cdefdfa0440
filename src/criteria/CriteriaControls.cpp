#include "criteria/CriteriaControls.h"

#include <string>

#include "criteria/CriteriaTexts.h"

namespace bp::criteria {
namespace {

using namespace bp::forms;

// Creates one control at a grid position of its container.
template <class T>
T& place(Form& form, const std::string& name, int index, Control* container, int page, int row,
         int column, int rowSpan = 1, int columnSpan = 1) {
    T& control = form.add<T>(name, index, container, page);
    control.setLayout(row, column, rowSpan, columnSpan);
    return control;
}

Frame& frame(Form& form, const std::string& name, int index, Control* container, int page,
             const std::string& caption, int row, int column, int rowSpan = 1) {
    auto& f = place<Frame>(form, name, index, container, page, row, column, rowSpan);
    f.setCaption(caption);
    return f;
}

OptionButton& option(Form& form, const std::string& name, int index, Frame& in,
                     const std::string& caption, int row, int column = 0) {
    auto& o = place<OptionButton>(form, name, index, &in, -1, row, column);
    o.setCaption(caption);
    return o;
}

Label& label(Form& form, const std::string& name, int index, Control& in,
             const std::string& caption, int row, int column, int columnSpan = 1) {
    auto& l = place<Label>(form, name, index, &in, -1, row, column, 1, columnSpan);
    l.setCaption(caption);
    return l;
}

void createGeneral(Form& form, TabControl& tabs, CriteriaControls& c) {
    c.fraChoice = &frame(form, "fraChoice", -1, &tabs, kTabGeneral, "Type of output :", 0, 0);
    option(form, "optChoice", 0, *c.fraChoice, "Contact &Lookup", 0);
    option(form, "optChoice", 1, *c.fraChoice, "Sales &Report", 1);
    c.fraLookup = &frame(form, "fraLookup", -1, &tabs, kTabGeneral, "Lookup", 1, 0);
    option(form, "optLookup", 0, *c.fraLookup, "&Replace lookup", 0);
    option(form, "optLookup", 1, *c.fraLookup, "&Add to lookup", 1);
    option(form, "optLookup", 2, *c.fraLookup, "&Narrow lookup", 2);
    c.fraReport = &frame(form, "fraReport", -1, &tabs, kTabGeneral, "Report", 2, 0);
    option(form, "optReport", 0, *c.fraReport, "&Current contact", 0);
    option(form, "optReport", 1, *c.fraReport, "C&urrent lookup", 1);
    option(form, "optReport", 2, *c.fraReport, "A&ll contacts", 2);
    c.fraOutput = &frame(form, "fraOutput", -1, &tabs, kTabGeneral, "Send output to :", 0, 1);
    c.cboOutput = &place<ComboBox>(form, "cboOutput", -1, c.fraOutput, -1, 0, 0);
    c.cboOutput->setStyle(ComboStyle::DropDownList);
    c.fraTemplate =
        &frame(form, "fraTemplate", -1, &tabs, kTabGeneral, "Select a report template :", 1, 1, 2);
    c.lstReports = &place<ListBox>(form, "lstReports", -1, c.fraTemplate, -1, 0, 0);
    c.lstReports->setSorted(true);
}

void createUsers(Form& form, Frame& in, const std::string& optName, const char* allCaption,
                 const char* selectedCaption, const std::string& listName) {
    option(form, optName, 0, in, allCaption, 0);
    option(form, optName, 1, in, selectedCaption, 1);
    auto& list = place<ListBox>(form, listName, -1, &in, -1, 2, 0);
    list.setMultiSelect(MultiSelect::Simple);
    list.setEnabled(false);
}

void createFilter(Form& form, TabControl& tabs, CriteriaControls& c) {
    c.fraDate = &frame(form, "fraDate", -1, &tabs, kTabFilter, "Creation Date :", 0, 0);
    auto& dateAll = option(form, "optDate", 0, *c.fraDate, "All &dates", 0);
    dateAll.setLayout(0, 0, 1, 2);
    auto& dateSelected = option(form, "optDate", 1, *c.fraDate, "&Selected dates", 1);
    dateSelected.setLayout(1, 0, 1, 2);
    c.lblFrom = &label(form, "lblFrom", -1, *c.fraDate, "From :", 2, 0);
    c.dtpStartDate = &place<DatePicker>(form, "dtpStartDate", -1, c.fraDate, -1, 2, 1);
    c.lblTo = &label(form, "lblTo", -1, *c.fraDate, "To :", 3, 0);
    c.dtpEndDate = &place<DatePicker>(form, "dtpEndDate", -1, c.fraDate, -1, 3, 1);
    for (Control* control :
         {static_cast<Control*>(c.lblFrom), static_cast<Control*>(c.lblTo),
          static_cast<Control*>(c.dtpStartDate), static_cast<Control*>(c.dtpEndDate)}) {
        control->setEnabled(false);
    }

    c.fraSales = &frame(form, "fraSales", -1, &tabs, kTabFilter, "Sales status :", 0, 1);
    const char* statuses[] = {"Sales &Opportunities", "&Closed/won sales", "&Lost sales",
                              "&No Sales Opportunities"};
    for (int i = 0; i < 4; ++i) {
        place<CheckBox>(form, "chkSales", i, c.fraSales, -1, i, 0).setCaption(statuses[i]);
    }

    c.fraManagedby = &frame(form, "fraManagedby", -1, &tabs, kTabFilter,
                            "Include data for contacts managed by :", 1, 0);
    createUsers(form, *c.fraManagedby, "optManagedby", "&All users", "&Selected user", "lstUsers");
    c.fraSalesManagedBy = &frame(form, "fraSalesManagedBy", -1, &tabs, kTabFilter,
                                 "Include data for sales managed by :", 1, 1);
    createUsers(form, *c.fraSalesManagedBy, "optSalesManagedBy", "All use&rs", "S&elected user",
                "lstSalesUsers");
}

// The value controls of one condition inside its fraDefine element. `d` is the condition's
// digit; the second condition's Tags also carry a "2" so that its controls never match the
// first condition's kinds.
void createValueControls(Form& form, Frame& define, int i) {
    const std::string d = std::to_string(i);
    const std::string suffix = i == 0 ? "" : "2";
    auto& select = label(form, "lblSelect", i, define, kSelectPrefix, 0, 0, 2);
    select.setTag(d + "list" + suffix);
    auto& list = place<ListBox>(form, "lstCriteria", i, &define, -1, 1, 0, 1, 2);
    list.setMultiSelect(MultiSelect::Simple);
    list.setTag(d + "list" + suffix);
    auto& orOption = option(form, "optOr", i, define, "OR", 2, 0);
    orOption.setTag(d + "listmulti");
    orOption.setValue(true, Announcement::BeQuiet);
    if (i == 0) {
        option(form, "optAnd", 0, define, "AND", 2, 1).setTag("0listmulti");
        label(form, "lblExplanation", 0, define, kExplanationAtLeastOne, 3, 0, 2)
            .setTag("0listmulti");
    }
    const std::string valueTag = i == 0 ? "0numeric0date" : "1numeric1date2";
    label(form, "lblValue", 2 * i, define, "Between :", 4, 0).setTag(valueTag);
    label(form, "lblValue", 2 * i + 1, define, "And :", 5, 0).setTag(valueTag);
    const std::string numericTag = d + "numeric" + suffix;
    place<TextBox>(form, "txtValueMin", i, &define, -1, 4, 1).setTag(numericTag);
    place<TextBox>(form, "txtValueMax", i, &define, -1, 5, 1).setTag(numericTag);
    label(form, "Label3", i, define, "(blank = no max.)", 6, 1).setTag(numericTag);
    const std::string dateTag = d + "date" + suffix;
    place<DatePicker>(form, "dtpStart", i, &define, -1, 4, 1).setTag(dateTag);
    place<DatePicker>(form, "dtpEnd", i, &define, -1, 5, 1).setTag(dateTag);
}

void createCondition(Form& form, TabControl& tabs, CriteriaControls& c, int i) {
    const bool first = i == 0;
    Frame& outer =
        frame(form, first ? "fraFirst" : "fraSecond", -1, &tabs, first ? kTabFirst : kTabSecond,
              first ? "First condition :" : "Second condition :", 0, 0);
    (first ? c.fraFirst : c.fraSecond) = &outer;
    place<CheckBox>(form, "chkCondition", i, &outer, -1, 0, 0)
        .setCaption(first ? "Apply the 1st condition based on the following field :"
                          : "Apply a 2nd condition based on the following field :");
    auto& combo = place<ComboBox>(form, "cboCondition", i, &outer, -1, 1, 0);
    combo.setStyle(ComboStyle::DropDownList);
    combo.setEnabled(false);
    Frame& define =
        frame(form, "fraDefine", i, &outer, -1,
              first ? "Define the first condition :" : "Define the second condition :", 2, 0);
    define.setEnabled(false);
    createValueControls(form, define, i);
    if (!first) {
        c.chkReverse = &place<CheckBox>(form, "chkReverse", -1, &define, -1, 7, 0, 1, 2);
        c.chkReverse->setCaption("Reverse the 2nd condition");
        c.lblReverse = &label(form, "lblReverse", -1, define, kReverseDesign, 8, 0, 2);
        outer.setEnabled(false);
    }
}

// Until a condition is switched on, nothing of it can be used, and only its list is shown.
void setDesignState(Form& form, CriteriaControls& c) {
    for (int i = 0; i < 2; ++i) {
        for (Control* control : form.controls()) {
            if (control->container() == &c.fraDefine[i]) {
                control->setEnabled(false);
            }
        }
    }
    c.chkCondition[1].setEnabled(false);
    for (Control* control : form.controls()) {
        const std::string& tag = control->tag();
        if (!tag.empty()) {
            control->setVisible(tag.find("list") != std::string::npos);
        }
    }
}

void collectArrays(Form& form, CriteriaControls& c) {
    c.optChoice = form.array<OptionButton>("optChoice");
    c.optLookup = form.array<OptionButton>("optLookup");
    c.optReport = form.array<OptionButton>("optReport");
    c.optDate = form.array<OptionButton>("optDate");
    c.optManagedby = form.array<OptionButton>("optManagedby");
    c.optSalesManagedBy = form.array<OptionButton>("optSalesManagedBy");
    c.lstUsers = form.findAs<ListBox>("lstUsers");
    c.lstSalesUsers = form.findAs<ListBox>("lstSalesUsers");
    c.chkSales = form.array<CheckBox>("chkSales");
    c.chkCondition = form.array<CheckBox>("chkCondition");
    c.cboCondition = form.array<ComboBox>("cboCondition");
    c.fraDefine = form.array<Frame>("fraDefine");
    c.lstCriteria = form.array<ListBox>("lstCriteria");
    c.lblSelect = form.array<Label>("lblSelect");
    c.optOr = form.array<OptionButton>("optOr");
    c.optAnd = form.array<OptionButton>("optAnd");
    c.lblExplanation = form.array<Label>("lblExplanation");
    c.txtValueMin = form.array<TextBox>("txtValueMin");
    c.txtValueMax = form.array<TextBox>("txtValueMax");
    c.Label3 = form.array<Label>("Label3");
    c.lblValue = form.array<Label>("lblValue");
    c.dtpStart = form.array<DatePicker>("dtpStart");
    c.dtpEnd = form.array<DatePicker>("dtpEnd");
}

}  // namespace

CriteriaControls CriteriaControls::create(forms::Form& form, forms::TabControl& tabs) {
    CriteriaControls c;
    c.mstSSTab = &tabs;
    for (const char* caption : kTabCaptions) {
        tabs.addTab(caption);
    }
    createGeneral(form, tabs, c);
    createFilter(form, tabs, c);
    createCondition(form, tabs, c, 0);
    createCondition(form, tabs, c, 1);
    collectArrays(form, c);
    setDesignState(form, c);
    return c;
}

}  // namespace bp::criteria
