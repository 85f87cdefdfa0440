#include "SampleForms.h"

namespace bp::gui::test {

using namespace bp::forms;

SelectionForm::SelectionForm(UiService& ui) : Form(ui, "frmSelection", "Sales Selection") {
    tabMain = &add<TabControl>("tabMain");
    tabMain->addTab("&Criteria");
    tabMain->addTab("&Output");
    tabMain->onClick = [this](int previous) {
        log.push_back("tabMain_Click " + std::to_string(previous));
    };
    tabMain->setLayout(0, 0, 1, 2);
    buildCriteriaPage();
    buildOutputPage();
    cmdOK = &add<CommandButton>("cmdOK");
    cmdOK->setCaption("&Run");
    cmdOK->setLayout(1, 0);
    cmdOK->onClick = [this] { log.push_back("cmdOK_Click"); };
    cmdCancel = &add<CommandButton>("cmdCancel");
    cmdCancel->setCaption("Close");
    cmdCancel->setLayout(1, 1);
    cmdCancel->onClick = [this] { log.push_back("cmdCancel_Click"); };
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);
    buildMenus();
    tmrTick = &add<Timer>("tmrTick");
    tmrTick->onTimer = [this] { log.push_back("tmrTick_Timer"); };
}

void SelectionForm::buildCriteriaPage() {
    fraStatus = &add<Frame>("fraStatus", -1, tabMain, 0);
    fraStatus->setCaption("Status");
    fraStatus->setLayout(0, 0, 3, 1);
    const char* statuses[] = {"&Open", "&Won", "&Lost", "&No open sale"};
    for (int i = 0; i < 4; ++i) {
        auto& opt = add<OptionButton>("optStatus", i, fraStatus);
        opt.setCaption(statuses[i]);
        opt.onClick = [this, i] { optStatus_Click(i); };
    }
    fraScope = &add<Frame>("fraScope", -1, tabMain, 0);
    fraScope->setCaption("Scope");
    fraScope->setLayout(3, 0);
    const char* scopes[] = {"Current contact", "Current lookup", "All contacts"};
    for (int i = 0; i < 3; ++i) {
        add<OptionButton>("optScope", i, fraScope).setCaption(scopes[i]);
    }
    chkDates = &add<CheckBox>("chkDates", -1, tabMain, 0);
    chkDates->setCaption("Created &between");
    chkDates->setLayout(0, 1);
    chkDates->onClick = [this] { chkDates_Click(); };
    dtpFrom = &add<DatePicker>("dtpFrom", -1, tabMain, 0);
    dtpFrom->setValue({2026, 3, 14, 9, 30, 0}, Announcement::BeQuiet);
    dtpFrom->setLayout(0, 2);
    dtpFrom->setEnabled(false);
    dtpFrom->onChange = [this] { log.push_back("dtpFrom_Change"); };
    lblAmount = &add<Label>("lblAmount", -1, tabMain, 0);
    lblAmount->setCaption("&Amount at least:");
    lblAmount->setLayout(1, 1);
    txtAmount = &add<TextBox>("txtAmount", -1, tabMain, 0);
    txtAmount->setNumeric(true);
    txtAmount->setMaxLength(6);
    txtAmount->setLayout(1, 2);
    txtAmount->onKeyPress = [this](int& KeyAscii) { txtAmount_KeyPress(KeyAscii); };
    txtAmount->onChange = [this] { log.push_back("txtAmount_Change"); };
    auto& lblCode = add<Label>("lblCode", -1, tabMain, 0);
    lblCode.setCaption("Region &code:");
    lblCode.setLayout(2, 1);
    txtCode = &add<TextBox>("txtCode", -1, tabMain, 0);
    txtCode->setTextCase(TextCase::Upper);
    txtCode->setLayout(2, 2);
    lstField = &add<ListBox>("lstField", -1, tabMain, 0);
    for (const char* field : {"Products", "Types", "Competitors", "Amount"}) {
        lstField->addItem(field);
    }
    lstField->setLayout(3, 1);
    lstField->onClick = [this] { lstField_Click(); };
    lstProducts = &add<ListBox>("lstProducts", -1, tabMain, 0);
    lstProducts->setMultiSelect(MultiSelect::Extended);
    for (const char* product : {"Gadget", "Widget", "Sprocket", "Flange"}) {
        lstProducts->addItem(product);
    }
    lstProducts->setLayout(3, 2);
    lstProducts->onClick = [this] { log.push_back("lstProducts_Click"); };
    lstProducts->onMouseDown = [this](int Button, int, int, int) { lstProducts_MouseDown(Button); };
}

void SelectionForm::buildOutputPage() {
    auto& lblOutput = add<Label>("lblOutput", -1, tabMain, 1);
    lblOutput.setCaption("&Send to:");
    lblOutput.setLayout(0, 0);
    cboOutput = &add<ComboBox>("cboOutput", -1, tabMain, 1);
    cboOutput->setStyle(ComboStyle::DropDownList);
    cboOutput->addItem("Spreadsheet report");
    cboOutput->addItem("CSV file export");
    cboOutput->setListIndex(0, Announcement::BeQuiet);
    cboOutput->setLayout(0, 1);
    cboOutput->onClick = [this] { log.push_back("cboOutput_Click"); };
    lvwResults = &add<ListView>("lvwResults", -1, tabMain, 1);
    lvwResults->addColumn("Company");
    lvwResults->addColumn("Amount");
    lvwResults->setLayout(1, 0, 1, 2);
}

void SelectionForm::buildMenus() {
    mnuFile = &add<MenuEntry>("mnuFile");
    mnuFile->setCaption("&File");
    mnuFileNew = &add<MenuEntry>("mnuFileNew", -1, mnuFile);
    mnuFileNew->setCaption("&New report...");
    mnuFileNew->onClick = [this] { log.push_back("mnuFileNew_Click"); };
    add<MenuEntry>("mnuFileSep", -1, mnuFile).setCaption("-");
    mnuFileDelete = &add<MenuEntry>("mnuFileDelete", -1, mnuFile);
    mnuFileDelete->setCaption("&Delete report");
    mnuFileDelete->setEnabled(false);
    mnuPopup = &add<MenuEntry>("mnuPopup");
    mnuPopup->setCaption("Products");
    mnuPopup->setVisible(false);
    mnuPopupClear = &add<MenuEntry>("mnuPopupClear", -1, mnuPopup);
    mnuPopupClear->setCaption("&Clear selection");
    mnuPopupClear->onClick = [this] { lstProducts->deselectAll(); };
    mnuPopupAll = &add<MenuEntry>("mnuPopupAll", -1, mnuPopup);
    mnuPopupAll->setCaption("Select &all");
    mnuPopupAll->onClick = [this] {
        for (int i = 0; i < lstProducts->listCount(); ++i) {
            lstProducts->setSelected(i, true, Announcement::BeQuiet);
        }
    };
}

void SelectionForm::chkDates_Click() {
    log.push_back("chkDates_Click");
    dtpFrom->setEnabled(chkDates->checked());
}

void SelectionForm::optStatus_Click(int index) {
    log.push_back("optStatus_Click " + std::to_string(index));
    // "No open sale" has no amounts to compare.
    txtAmount->setEnabled(index != 3);
    lblAmount->setEnabled(index != 3);
}

void SelectionForm::lstField_Click() {
    log.push_back("lstField_Click " + std::to_string(lstField->listIndex()));
    // Only amounts take a number; a list field picks products instead.
    const bool amount = lstField->listIndex() == 3;
    txtAmount->setEnabled(amount);
    lstProducts->setEnabled(!amount);
}

void SelectionForm::txtAmount_KeyPress(int& KeyAscii) {
    // A leading zero is refused by the form itself, quietly.
    if (KeyAscii == '0' && txtAmount->selStart() == 0) {
        KeyAscii = 0;
    }
}

void SelectionForm::lstProducts_MouseDown(int Button) {
    if (Button == static_cast<int>(MouseButton::Right)) {
        popupMenu(*mnuPopup);
    }
}

ConfirmForm::ConfirmForm(UiService& ui) : Form(ui, "frmConfirm", "New Report") {
    auto& lbl = add<Label>("lblName");
    lbl.setCaption("Report &name:");
    lbl.setLayout(0, 0);
    txtName = &add<TextBox>("txtName");
    txtName->setLayout(0, 1, 1, 2);
    cmdOK = &add<CommandButton>("cmdOK");
    cmdOK->setCaption("OK");
    cmdOK->setLayout(1, 1);
    cmdOK->onClick = [this] {
        result = "ok:" + txtName->text();
        hide();
    };
    cmdCancel = &add<CommandButton>("cmdCancel");
    cmdCancel->setCaption("Cancel");
    cmdCancel->setLayout(1, 2);
    cmdCancel->onClick = [this] {
        result = "cancel";
        unload();
    };
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);
}

}  // namespace bp::gui::test
