#pragma once
// Small forms built from the model the way the program's windows are, with handlers that
// carry enabling rules, key filters and popup menus, for the renderer's tests.

#include <string>
#include <vector>

#include "forms/Controls.h"

namespace bp::gui::test {

// A selection dialog: a status frame of options, a date range switched on by a check box, an
// amount box that takes digits only, a code box in capitals, a field list, a product list with
// several selections, a combo, a tab control with two pages, a menu and a popup menu.
class SelectionForm : public forms::Form {
public:
    explicit SelectionForm(forms::UiService& ui);

    void chkDates_Click();
    void optStatus_Click(int index);
    void lstField_Click();
    void txtAmount_KeyPress(int& KeyAscii);
    void lstProducts_MouseDown(int Button);

    forms::Frame* fraStatus = nullptr;
    forms::Frame* fraScope = nullptr;
    forms::CheckBox* chkDates = nullptr;
    forms::DatePicker* dtpFrom = nullptr;
    forms::Label* lblAmount = nullptr;
    forms::TextBox* txtAmount = nullptr;
    forms::TextBox* txtCode = nullptr;
    forms::ListBox* lstField = nullptr;
    forms::ListBox* lstProducts = nullptr;
    forms::ComboBox* cboOutput = nullptr;
    forms::TabControl* tabMain = nullptr;
    forms::ListView* lvwResults = nullptr;
    forms::CommandButton* cmdOK = nullptr;
    forms::CommandButton* cmdCancel = nullptr;
    forms::MenuEntry* mnuFile = nullptr;
    forms::MenuEntry* mnuFileNew = nullptr;
    forms::MenuEntry* mnuFileDelete = nullptr;
    forms::MenuEntry* mnuPopup = nullptr;
    forms::MenuEntry* mnuPopupClear = nullptr;
    forms::MenuEntry* mnuPopupAll = nullptr;
    forms::Timer* tmrTick = nullptr;

    std::vector<std::string> log;

private:
    void buildCriteriaPage();
    void buildOutputPage();
    void buildMenus();
};

// A modal confirmation dialog: OK hides it, Cancel unloads it.
class ConfirmForm : public forms::Form {
public:
    explicit ConfirmForm(forms::UiService& ui);

    forms::TextBox* txtName = nullptr;
    forms::CommandButton* cmdOK = nullptr;
    forms::CommandButton* cmdCancel = nullptr;
    std::string result;
};

}  // namespace bp::gui::test
