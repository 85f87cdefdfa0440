#pragma once
// "frmReportList", the chooser: picks the definition a command of the report menu acts on,
// by sChooserMode ("Edit", "Delete", "Rename", "Duplicate", "Make CSV", "Edit Excel
// Template"), and runs the command on it. Its error messages name the module "frmCopy".

#include <string>

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/ListBox.h"

namespace bp::reports {

class ReportLibrary;

class FrmReportList : public forms::Form {
public:
    explicit FrmReportList(ReportLibrary& library);

    forms::ListBox& lstReports() { return *lstReports_; }
    forms::CommandButton& cmdOK() { return *cmdOK_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }

    void cmdOK_Click();
    void cmdCancel_Click();
    void lstReports_DblClick();

protected:
    void Form_Load() override;

private:
    void setCaptions(const std::string& mode);
    void runCommand(const std::string& mode, const std::string& name);
    void DeleteReport(const std::string& name);

    ReportLibrary& library_;
    forms::Label* lblReports_ = nullptr;
    forms::ListBox* lstReports_ = nullptr;
    forms::CommandButton* cmdOK_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
};

}  // namespace bp::reports
