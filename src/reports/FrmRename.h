#pragma once
// "frmRename": a new name for the definition sOldName. The same text closes without a
// change; a change of letter case only renames. A name that another definition of the same
// kind uses is refused, so no definition is ever overwritten. On a rename sNewName (on the
// main window) holds the new name.

#include <string>

#include "reports/NameDialog.h"

namespace bp::reports {

class FrmRename : public NameDialog {
public:
    explicit FrmRename(ReportLibrary& library);

    void cmdOK_Click() override;

protected:
    void Form_Load() override;

private:
    void renameFiles(const std::string& oldName, const std::string& newName);
};

}  // namespace bp::reports
