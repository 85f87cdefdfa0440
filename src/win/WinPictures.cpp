#include "win/WinPictures.h"

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <ostream>

#include "act/Session.h"
#include "forms/ListBox.h"
#include "forms/MenuEntry.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PathText.h"
#include "platform/ProgramFolder.h"
#include "reports/FrmAbout.h"
#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/FrmTemplateFolder.h"
#include "reports/ReportLibrary.h"
#include "reports/ReportsWindow.h"
#include "win/WinFormWindow.h"
#include "win/WinScreenshots.h"
#include "win/WinUi.h"

namespace bp::win {
namespace {

// The definition name the rename picture shows.
constexpr const char* kPictureReport = "Sales by Company";

// What the report dialogs ask of the main window, for dialogs that are pictured and never
// answered: an empty report list and the list's menus.
class PictureReportsWindow : public forms::Form, public reports::ReportsWindow {
public:
    explicit PictureReportsWindow(forms::UiService& ui) : Form(ui, "frmMain") {
        list_ = &add<forms::ListBox>("lstReports");
        list_->setSorted(true);
    }
    forms::Form& ownerForm() override { return *this; }
    forms::ListBox& lstReports() override { return *list_; }
    forms::MenuEntry& menu(const std::string& name) override {
        if (auto* entry = findAs<forms::MenuEntry>(name)) {
            return *entry;
        }
        return add<forms::MenuEntry>(name);
    }
    void Update_ReportMenu() override {}

private:
    forms::ListBox* list_ = nullptr;
};

bool picture(WinScreenshots& shots, forms::Form& form) {
    if (!form.loaded()) {
        form.load();
    }
    if (!form.loaded()) {
        return false;  // Form_Load refused; the user was told why
    }
    WinFormWindow window(form);
    return shots.capture(window);
}

bool pictureDialogs(WinScreenshots& shots, act::Session& session, WinUi& ui) {
    bool ok = true;
    {
        PictureReportsWindow main(ui);
        reports::ReportLibrary library(session, main);
        library.sChooserMode = reports::kModeEdit;
        ok = picture(shots, library.frmNew()) && ok;
        library.sOldName = kPictureReport;
        ok = picture(shots, library.frmRename()) && ok;
    }
    {
        reports::FrmTemplateFolder templateFolder(session);
        ok = picture(shots, templateFolder) && ok;
        reports::FrmAbout about(ui);
        ok = picture(shots, about) && ok;
    }
    return ok;
}

}  // namespace

int takeScreenshots(const std::string& folder, std::ostream& out, std::ostream& err) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::error_code made;
    std::filesystem::create_directories(platform::pathFromUtf8(folder), made);
    WinUi ui;
    platform::MemorySettingsStore settings;
    act::Session session;
    session.ui = &ui;
    session.settings = &settings;
    session.programFolder = platform::programFolder();
    WinScreenshots shots(folder);
    bool ok = false;
    try {
        ok = pictureDialogs(shots, session, ui);
    } catch (const std::exception& error) {
        err << "brindlepath: " << error.what() << "\n";
    }
    for (const std::string& path : shots.written()) {
        out << path << "\n";
    }
    for (const std::string& path : shots.failed()) {
        err << "brindlepath: cannot write " << path << "\n";
    }
    return ok ? 0 : 1;
}

}  // namespace bp::win
