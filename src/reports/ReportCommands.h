#pragma once
// The main window's report commands: the entries of the report menu (each opens the chooser
// in its mode, New excepted), the report list's popup menu and double click, and the
// templates folder entry of the options menu. Their error messages name the module "frmMain",
// whose handlers they are.
//
// A command that changes the list has the report menu's enabling recomputed, so that a list
// emptied by Delete, or filled again by New, does not leave the menu offering the wrong
// entries.

#include <functional>
#include <string>

#include "reports/FrmTemplateFolder.h"
#include "reports/ReportLibrary.h"

namespace bp::reports {

class ReportCommands {
public:
    explicit ReportCommands(ReportLibrary& library);

    FrmTemplateFolder& frmTemplateFolder() { return frmTemplateFolder_; }

    // Report menu; mnuPopupNew runs mnuNew_Click.
    void mnuNew_Click();
    void mnuEdit_Click();
    void mnuDelete_Click();
    void mnuRename_Click();
    void mnuDuplicate_Click();
    void mnuConvert_Click();
    void mnuEditTemplate_Click();

    // The report list's popup menu and mouse.
    void mnuPopupEdit_Click();
    void mnuPopupDelete_Click();
    void mnuPopupRename_Click();
    void mnuPopupDuplicate_Click();
    void mnuPopupConvert_Click();
    void mnuPopupEditTemplate_Click();
    void lstReports_DblClick();
    void lstReports_MouseDown(int Button, int Shift, int X, int Y);

    void mnuTemplateFolder_Click();

private:
    // Remembers the main list's position, then shows the chooser in `mode`.
    void showChooser(const char* mode);
    // The main list's selected report name; empty when nothing is selected.
    std::string selectedName() const;
    int selectedPosition() const;
    void enablePopup();
    void deleteSelected();
    void run(const char* routine, const std::function<void()>& body);

    ReportLibrary& library_;
    FrmTemplateFolder frmTemplateFolder_;
};

}  // namespace bp::reports
