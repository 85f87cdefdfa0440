#pragma once
// The report library's program-wide state and the routines its commands and dialogs share.
//
// The commands of the main window's menus and of the report list's popup, and the dialogs
// they open (the chooser frmReportList, frmNew, frmRename), pass their inputs and results
// through this state and the Session (sReportName, iOutputType, sTemplatesFolder), as modal
// dialogs of one thread do.

#include <functional>
#include <memory>
#include <string>

#include "act/Session.h"
#include "forms/UiService.h"
#include "reports/ReportsWindow.h"

namespace bp::reports {

class FrmNew;
class FrmRename;
class FrmReportList;

// The chooser's modes, as the commands of the report menu set sChooserMode.
inline constexpr const char* kModeEdit = "Edit";
inline constexpr const char* kModeDelete = "Delete";
inline constexpr const char* kModeRename = "Rename";
inline constexpr const char* kModeDuplicate = "Duplicate";
inline constexpr const char* kModeMakeCsv = "Make CSV";
inline constexpr const char* kModeEditTemplate = "Edit Excel Template";

inline constexpr const char* kNameExists =
    "A report with that name already exists, please choose another name!";
inline constexpr const char* kCsvCreated = "CSV Report was successfully created!";
inline constexpr const char* kFileInUse =
    "Make sure this file is not being used by another program.";

class ReportLibrary {
public:
    ReportLibrary(act::Session& session, ReportsWindow& window);
    ~ReportLibrary();
    ReportLibrary(const ReportLibrary&) = delete;
    ReportLibrary& operator=(const ReportLibrary&) = delete;

    act::Session& session() const { return session_; }
    ReportsWindow& window() const { return window_; }
    forms::UiService& ui() const { return *session_.ui; }

    // Position of the main list's selection that a command remembered before it opened a
    // dialog; -1 means none.
    int ReportsListIndex = 0;
    std::string sChooserMode;
    std::string sOldName;  // the definition frmRename renames
    bool bReportDeleted = false;
    // frmNew duplicates sReportToBeCopied instead of copying the starter files.
    bool bCopy = false;
    std::string sReportToBeCopied;
    // The new name given in frmRename; empty when no rename took place.
    std::string sNewName;
    // Opens the report settings dialog on session().sReportName; unset, Edit does nothing.
    std::function<void()> openReportSettings;

    FrmNew& frmNew() { return *frmNew_; }
    FrmRename& frmRename() { return *frmRename_; }
    FrmReportList& frmReportList() { return *frmReportList_; }

    // sTemplatesFolder + name + extension.
    std::string templatePath(const std::string& name, const char* extension) const;
    // The definition file of `name` for the kind now shown.
    std::string definitionPath(const std::string& name) const;

    // The main list refilled for the kind now shown.
    void reload();
    // Makes `position` the main list's current entry when the list has one there.
    void selectPosition(int position);
    // Makes the first entry equal to `name` current; nothing happens when there is none.
    void findName(const std::string& name);
    void showReportSettings();

    // Copies name.DXL over name.DCS and says so. Raises bp::Error when the copy fails.
    void makeCsv(const std::string& name);
    // Saves "Template" and "TemplatePath" for the report builder, then starts it.
    void editExcelTemplate(const std::string& name);
    // "Are you sure ...?" in "Confirm Deletion"; true when the user chose OK.
    bool confirmDeletion(const std::string& name);
    // Deletes the files of definition `name` of the kind shown, template first. A file that
    // is already gone is skipped; the first file that cannot be deleted raises bp::Error and
    // the files after it stay.
    void deleteReportFiles(const std::string& name);

    // A message box titled with the program's title, OK only.
    void tell(const std::string& text, forms::MsgIcon icon = forms::MsgIcon::None) const;

private:
    act::Session& session_;
    ReportsWindow& window_;
    std::unique_ptr<FrmNew> frmNew_;
    std::unique_ptr<FrmRename> frmRename_;
    std::unique_ptr<FrmReportList> frmReportList_;
};

}  // namespace bp::reports
