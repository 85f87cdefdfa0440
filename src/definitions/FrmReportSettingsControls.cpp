// The controls of "Report Settings", tab by tab, with the grid positions the renderer lays
// them out by (row, column within their frame or tab page).

#include <string>

#include "definitions/FrmReportSettings.h"

namespace bp::definitions {
namespace {

using namespace bp::forms;

template <class T>
T& place(Form& form, const std::string& name, int index, Control* in, int page, int row, int column,
         int rowSpan = 1, int columnSpan = 1) {
    T& control = form.add<T>(name, index, in, page);
    control.setLayout(row, column, rowSpan, columnSpan);
    return control;
}

template <class T>
T& captioned(Form& form, const std::string& name, int index, Control* in, int row, int column,
             const std::string& caption, int columnSpan = 1) {
    T& control = place<T>(form, name, index, in, -1, row, column, 1, columnSpan);
    control.setCaption(caption);
    return control;
}

Frame& frame(Form& form, const std::string& name, int index, TabControl& tabs, int page, int row,
             const std::string& caption) {
    Frame& f = place<Frame>(form, name, index, &tabs, page, row, 0);
    f.setCaption(caption);
    return f;
}

std::string indexed(const char* base, int index) {
    return base + std::to_string(index);
}

const char* const kTabCaptions[] = {"Data",        "Fields",      "Custom Fields", "1st Section",
                                    "2nd Section", "3rd Section", "Summary"};

}  // namespace

void FrmReportSettings::createFrame() {
    captioned<Label>(*this, "lblReportName", -1, nullptr, 0, 0, "Report Name :");
    txtReportName_ = &place<TextBox>(*this, "txtReportName", -1, nullptr, -1, 0, 1);
    txtReportName_->setLocked(true);
    mstSettings_ = &place<TabControl>(*this, "mstSettings", -1, nullptr, -1, 1, 0, 1, 2);
    for (const char* caption : kTabCaptions) {
        mstSettings_->addTab(caption);
    }
    cmdClose_ = &captioned<CommandButton>(*this, "cmdClose", -1, nullptr, 2, 1, "Close");
}

void FrmReportSettings::createDataTab() {
    fraTopLeft_ = &frame(*this, "fraTopLeft", -1, *mstSettings_, kTabData, 0, "Top Left cell :");
    captioned<Label>(*this, "lblTopLeft", -1, fraTopLeft_, 0, 0,
                     "Enter the Top Left cell for the Data range :", 2);
    captioned<Label>(*this, "lblColumn", -1, fraTopLeft_, 1, 0, "Column :");
    txtTopLeftCol_ = &place<TextBox>(*this, "txtTopLeftCol", -1, fraTopLeft_, -1, 1, 1);
    captioned<Label>(*this, "lblRow", -1, fraTopLeft_, 2, 0, "Row :");
    txtTopLeftRow_ = &place<TextBox>(*this, "txtTopLeftRow", -1, fraTopLeft_, -1, 2, 1);
    captioned<Label>(*this, "lblTopLeftNote", -1, fraTopLeft_, 3, 0,
                     "You can define where in your Excel spreadsheet you want the data imported.",
                     2);
    fraHeader_ = &frame(*this, "fraHeader", -1, *mstSettings_, kTabData, 1, "Header :");
    chkHeader_ = &captioned<CheckBox>(*this, "chkHeader", -1, fraHeader_, 0, 0,
                                      "Use field names for top row of data range");
}

void FrmReportSettings::createFieldsTab() {
    TabControl& tabs = *mstSettings_;
    cboTables_ = &place<ComboBox>(*this, "cboTables", -1, &tabs, kTabFields, 0, 0);
    cboTables_->setStyle(ComboStyle::DropDownList);
    place<Label>(*this, "lblLeft", -1, &tabs, kTabFields, 1, 0).setCaption("Fields not included :");
    place<Label>(*this, "lblRight", -1, &tabs, kTabFields, 1, 2)
        .setCaption("Fields included in the report :");
    lstLeft_ = &place<ListBox>(*this, "lstLeft", -1, &tabs, kTabFields, 2, 0, 5);
    lstRight_ = &place<ListBox>(*this, "lstRight", -1, &tabs, kTabFields, 2, 2, 5);
    lstLeft_->setMultiSelect(MultiSelect::Extended);
    lstRight_->setMultiSelect(MultiSelect::Extended);
    // Top to bottom: include all, include selected, exclude selected, exclude all.
    const int order[] = {0, 2, 1, 3};
    const char* const captions[] = {">>", ">", "<", "<<"};
    for (int row = 0; row < 4; ++row) {
        const int i = order[row];
        cmdButton_[i] = &place<CommandButton>(*this, "cmdButton", i, &tabs, kTabFields, row + 2, 1);
        cmdButton_[i]->setCaption(captions[row]);
    }
    cmdMove_[1] = &place<CommandButton>(*this, "cmdMove", 1, &tabs, kTabFields, 2, 3);
    cmdMove_[1]->setCaption("Up");
    cmdMove_[0] = &place<CommandButton>(*this, "cmdMove", 0, &tabs, kTabFields, 3, 3);
    cmdMove_[0]->setCaption("Down");
    // Nothing is selected yet, so there is nothing to exclude or move.
    cmdButton_[1]->setEnabled(false);
    setMoveButtons(false);
}

void FrmReportSettings::createCustomFieldsTab() {
    Frame& f = frame(*this, "fraCustomFields", -1, *mstSettings_, kTabCustomFields, 0,
                     "Pick a field from the Contact table :");
    for (int j = 0; j < kCustomSlots; ++j) {
        captioned<Label>(*this, "lblCustom", j, &f, j, 0, indexed("Custom Field ", j + 1));
        Combo1_[j] = &place<ComboBox>(*this, "Combo1", j, &f, -1, j, 1);
        Combo1_[j]->setStyle(ComboStyle::DropDownList);
    }
}

void FrmReportSettings::createSectionTab(int i) {
    TabControl& tabs = *mstSettings_;
    const int page = kTabFirstSection + i;
    fraSort_[i] = &frame(*this, "fraSort", i, tabs, page, 0, "Field and sort for this section :");
    cboSortOrder_[i] = &place<ComboBox>(*this, "cboSortOrder", i, fraSort_[i], -1, 0, 0, 1, 2);
    cboSortOrder_[i]->setStyle(ComboStyle::DropDownList);
    optAscending_[i] =
        &captioned<OptionButton>(*this, "optAscending", i, fraSort_[i], 1, 0, "Ascending");
    optDescending_[i] =
        &captioned<OptionButton>(*this, "optDescending", i, fraSort_[i], 1, 1, "Descending");

    Frame* t = fraTitle_[i] = &frame(*this, "fraTitle", i, tabs, page, 1, "");
    const std::string titleTag = indexed("Title", i);
    chkTitle_[i] =
        &captioned<CheckBox>(*this, "chkTitle", i, t, 0, 0, "Add a title above this section", 2);
    captioned<Label>(*this, "lblCaption", i, t, 1, 0, "Caption :");
    txtTitleCaption_[i] = &place<TextBox>(*this, "txtTitleCaption", i, t, -1, 1, 1);
    chkNoRepeat_[i] =
        &captioned<CheckBox>(*this, "chkNoRepeat", i, t, 2, 0, "Do not repeat value in section", 2);
    chkBorderBelow_[i] = &captioned<CheckBox>(*this, "chkBorderBelow", i, t, 3, 0,
                                              "Add a border below the title row");
    cmdBorder_[i] = &captioned<CommandButton>(*this, "cmdBorder", i, t, 3, 1, "Border...");
    chkEmptyBefore_[i] =
        &captioned<CheckBox>(*this, "chkEmptyBefore", i, t, 4, 0, "Empty line before title");
    chkEmptyAfter_[i] =
        &captioned<CheckBox>(*this, "chkEmptyAfter", i, t, 5, 0, "Empty line after title");
    cmdTitleFormat_[i] = &captioned<CommandButton>(*this, "cmdTitleFormat", i, t, 5, 1, "Font...");
    for (Control* c : std::initializer_list<Control*>{
             txtTitleCaption_[i], chkNoRepeat_[i], chkBorderBelow_[i], chkEmptyBefore_[i],
             chkEmptyAfter_[i], cmdBorder_[i], cmdTitleFormat_[i]}) {
        c->setTag(titleTag);
    }

    Frame* s = fraSubTotal_[i] = &frame(*this, "fraSubTotal", i, tabs, page, 2, "");
    chkTotals_[i] =
        &captioned<CheckBox>(*this, "chkTotals", i, s, 0, 0, "Create a sub-total for this section");
    optBelow_[i] = &captioned<OptionButton>(*this, "optBelow", i, s, 1, 0, "Below the section");
    optAbove_[i] = &captioned<OptionButton>(*this, "optAbove", i, s, 2, 0,
                                            "Above the section (not compatible with a title)");
    cmdOptions_[i] = &captioned<CommandButton>(*this, "cmdOptions", i, s, 3, 0, "Options...");
    optBelow_[i]->setTag(indexed("Total", i));
    optAbove_[i]->setTag(indexed("IfTotal", i));
    cmdOptions_[i]->setTag(indexed("Total", i));

    // The state of unticked boxes; ticking them later runs the rules that change it.
    enableTagged(titleTag, false);
    enableTagged(indexed("Total", i), false);
    enableTagged(indexed("IfTotal", i), false);
    optAscending_[i]->setEnabled(false);
    optDescending_[i]->setEnabled(false);
}

void FrmReportSettings::createSummaryTab() {
    const int s = kSections;
    fraSubTotal_[s] = &frame(*this, "fraSubTotal", s, *mstSettings_, kTabSummary, 0, "");
    Frame* f = fraSubTotal_[s];
    chkTotals_[s] =
        &captioned<CheckBox>(*this, "chkTotals", 99, f, 0, 0, "Create a summary for this report");
    optAbove_[s] =
        &captioned<OptionButton>(*this, "optAbove", 99, f, 1, 0, "At the top of the report");
    optBelow_[s] =
        &captioned<OptionButton>(*this, "optBelow", 99, f, 2, 0, "At the bottom of the report");
    cmdOptions_[s] = &captioned<CommandButton>(*this, "cmdOptions", 99, f, 3, 0, "Options...");
    for (Control* c : std::initializer_list<Control*>{optAbove_[s], optBelow_[s], cmdOptions_[s]}) {
        c->setTag("Total99");
        c->setEnabled(false);
    }
}

void FrmReportSettings::bindFieldsTab() {
    txtReportName_->onGotFocus = [this] { cmdClose_->setFocus(); };
    txtTopLeftCol_->onKeyPress = [this](int& KeyAscii) { txtTopLeftCol_KeyPress(KeyAscii); };
    cboTables_->onClick = [this] { cboTables_Click(); };
    cboTables_->onGotFocus = [this] { cboTables_GotFocus(); };
    lstLeft_->onGotFocus = [this] { lstLeft_GotFocus(); };
    lstLeft_->onClick = [this] { lstLeft_Click(); };
    lstRight_->onGotFocus = [this] { lstRight_GotFocus(); };
    lstRight_->onClick = [this] { lstRight_Click(); };
    for (int i = 0; i < 4; ++i) {
        cmdButton_[i]->onClick = [this, i] { cmdButton_Click(i); };
    }
    for (int i = 0; i < 2; ++i) {
        cmdMove_[i]->onClick = [this, i] { cmdMove_Click(i); };
    }
}

void FrmReportSettings::bindSectionTab(int i) {
    const int slot = slotOf(i);
    chkTotals_[slot]->onClick = [this, i] { chkTotals_Click(i); };
    cmdOptions_[slot]->onClick = [this, i] { cmdOptions_Click(i); };
    if (i == 99) {
        return;
    }
    cboSortOrder_[i]->onClick = [this, i] { cboSortOrder_Click(i); };
    chkTitle_[i]->onClick = [this, i] { chkTitle_Click(i); };
    chkBorderBelow_[i]->onClick = [this, i] { chkBorderBelow_Click(i); };
    cmdBorder_[i]->onClick = [this, i] { cmdBorder_Click(i); };
    cmdTitleFormat_[i]->onClick = [this, i] { cmdTitleFormat_Click(i); };
}

}  // namespace bp::definitions
