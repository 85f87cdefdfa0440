#include "win/WinPictures.h"

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <ostream>

#include "app/FrmMainReportsWindow.h"
#include "app/FrmSplash.h"
#include "app/MainWindowCommands.h"
#include "app/MainWindowCount.h"
#include "app/StartUp.h"
#include "definitions/FrmBorder.h"
#include "definitions/FrmReportSettings.h"
#include "definitions/FrmSubTotalOptions.h"
#include "integration/FrmIntegrate.h"
#include "output/FrmPreview.h"
#include "output/FrmProgress.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PathText.h"
#include "reports/FrmAbout.h"
#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/FrmReportList.h"
#include "reports/FrmTemplateFolder.h"
#include "reports/ReportLibrary.h"
#include "win/PictureSession.h"
#include "win/WinFormWindow.h"
#include "win/WinScreenshots.h"
#include "win/WinUi.h"

namespace bp::win {
namespace {

// The starter definition the report settings pictures are taken on, under this name.
constexpr const char* kPictureReport = "Sales by Company";

// Nobody sits at a picture run: a message is written to the error stream and answered with
// the choice that changes nothing, instead of waiting for a click that never comes.
class PictureUi : public WinUi {
public:
    explicit PictureUi(std::ostream& err) : err_(err) {}

    forms::MsgResult message(const forms::MessageRequest& request) override {
        err_ << "brindlepath: " << request.text << "\n";
        switch (request.buttons) {
            case forms::MsgButtons::OK:
                return forms::MsgResult::OK;
            case forms::MsgButtons::YesNo:
                return forms::MsgResult::No;
            case forms::MsgButtons::AbortRetryIgnore:
                return forms::MsgResult::Abort;
            default:
                return forms::MsgResult::Cancel;
        }
    }

private:
    std::ostream& err_;
};

// The pictures of one run, each window pictured on its own: a window that cannot be drawn is
// named and the others are still taken.
class PictureRun {
public:
    PictureRun(const std::string& folder, std::ostream& err) : shots_(folder), err_(err) {}

    // A form loaded as its command loads it, drawn and never answered, so nothing it would
    // write on OK is written.
    void picture(forms::Form& form) {
        try {
            if (!form.loaded()) {
                form.load();
            }
            if (!form.loaded()) {
                ok_ = false;  // Form_Load refused; the message said why
                return;
            }
            WinFormWindow window(form);
            ok_ = shots_.capture(window) && ok_;
        } catch (const std::exception& error) {
            err_ << "brindlepath: " << form.name() << ": " << error.what() << "\n";
            ok_ = false;
        }
    }
    void fail(const std::string& problem) {
        err_ << "brindlepath: " << problem << "\n";
        ok_ = false;
    }
    bool ok() const { return ok_; }
    const WinScreenshots& shots() const { return shots_; }

private:
    WinScreenshots shots_;
    std::ostream& err_;
    bool ok_ = true;
};

void pictureReportSettings(PictureRun& run, act::Session& session) {
    const PictureSession staged(session, kPictureReport);
    if (!staged.staged()) {
        run.fail(staged.problem());
        return;
    }
    definitions::FrmReportSettings settings(session);
    run.picture(settings);
    if (settings.loaded()) {
        // Both dialogs the settings open read what the settings staged.
        definitions::FrmSubTotalOptions options(session, 0, definitions::TotalRow::Below);
        run.picture(options);
        definitions::FrmBorder border(session, "Title", 0);
        border.Load_settings();
        run.picture(border);
    }
}

void pictureDialogs(PictureRun& run, act::Session& session, app::FrmMain& main) {
    {
        app::FrmSplash splash(*session.ui);
        run.picture(splash);
    }
    pictureReportSettings(run, session);
    {
        integration::FrmIntegrate integrate(session);
        run.picture(integrate);
    }
    {
        app::FrmMainReportsWindow window(main);
        reports::ReportLibrary library(session, window);
        library.sChooserMode = reports::kModeEdit;
        run.picture(library.frmReportList());
        run.picture(library.frmNew());
        const int current = window.lstReports().listIndex();
        library.sOldName = current >= 0 ? window.lstReports().list(current) : kPictureReport;
        run.picture(library.frmRename());
    }
    reports::FrmTemplateFolder templateFolder(session);
    run.picture(templateFolder);
    reports::FrmAbout about(*session.ui);
    run.picture(about);
    // A long run part of the way through writing its output.
    output::FrmProgress progress(*session.ui);
    progress.lblPhase().setCaption("Writing");
    progress.prgDone().setValue(40);
    run.picture(progress);
    // What a run of the main window's choices as they start would make.
    output::FrmPreview preview(*session.ui);
    app::MainWindowCommands* commands = main.commandsOwner();
    if (commands != nullptr && commands->fillPreview(preview)) {
        run.picture(preview);
    } else {
        run.fail("the main window's choices could not be previewed");
    }
}

}  // namespace

int takeScreenshots(const std::string& folder, std::ostream& out, std::ostream& err) {
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::error_code made;
    std::filesystem::create_directories(platform::pathFromUtf8(folder), made);
    PictureUi ui(err);
    // The pictures show the program as a start with no settings of its own shows it, and
    // change none of the user's.
    platform::MemorySettingsStore settings;
    app::StartUp startUp;
    PictureRun run(folder, err);
    try {
        const std::unique_ptr<app::FrmMain> main = startUp.run(ui, settings);
        if (main) {
            if (main->commandsOwner() != nullptr) {
                // The window as the user sees it once it has counted its choices.
                main->commandsOwner()->count().countNow();
            }
            run.picture(*main);
            pictureDialogs(run, startUp.session(), *main);
        } else {
            run.fail("the program did not start, so its windows were not pictured");
        }
    } catch (const std::exception& error) {
        run.fail(error.what());
    }
    for (const std::string& path : run.shots().written()) {
        out << path << "\n";
    }
    for (const std::string& path : run.shots().failed()) {
        err << "brindlepath: cannot write " << path << "\n";
    }
    return run.ok() ? 0 : 1;
}

}  // namespace bp::win
