#pragma once
// "frmNew": the name of a new definition, made from the starter files in the program folder,
// or of a copy of an existing one (bCopy). A name already in use, in any letter case, is
// refused and the dialog stays open; on success sReportName holds the new name.

#include <string>

#include "reports/NameDialog.h"

namespace bp::reports {

class FrmNew : public NameDialog {
public:
    explicit FrmNew(ReportLibrary& library);

    void cmdOK_Click() override;

protected:
    void Form_Load() override;

private:
    // Copies the files of the new definition; false when a copy was refused (the user has
    // been told which file).
    bool copyFiles(const std::string& name);
};

}  // namespace bp::reports
