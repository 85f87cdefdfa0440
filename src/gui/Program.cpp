#include "gui/Program.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "app/FrmMain.h"
#include "app/FrmMainReportsWindow.h"
#include "app/FrmSplash.h"
#include "app/MainWindowCommands.h"
#include "app/MainWindowCount.h"
#include "app/Module1.h"
#include "app/SessionKey.h"
#include "criteria/CriteriaControls.h"
#include "criteria/SessionKey.h"
#include "definitions/DefinitionFile.h"
#include "definitions/FrmBorder.h"
#include "definitions/FrmReportSettings.h"
#include "definitions/FrmSubTotalOptions.h"
#include "gui/QtText.h"
#include "gui/Screenshots.h"
#include "integration/FrmIntegrate.h"
#include "output/FrmPreview.h"
#include "output/FrmProgress.h"
#include "platform/AppInfo.h"
#include "reports/FrmAbout.h"
#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/FrmReportList.h"
#include "reports/FrmTemplateFolder.h"
#include "reports/ReportLibrary.h"
#include "reports/SessionKey.h"

namespace bp::gui {
namespace {

// The starter definition the report settings pictures are taken on, under this name.
constexpr const char* kPictureReport = "Sales by Company";

// A dialog the program runs modally, pictured without running it: loaded as its command
// would load it, rendered into a window that is grabbed, and never answered, so nothing it
// would write on OK is written.
bool picture(Screenshots& shots, forms::Form& form, QWidget* parent) {
    if (!form.loaded()) {
        form.load();
    }
    if (!form.loaded()) {
        return false;  // Form_Load refused; the user was told why
    }
    FormRenderer renderer(form, parent);
    return shots.capture(renderer);
}

// The session's report, kind and templates folder for the pictures, put back afterwards with
// the keys of their owners that the program lends it.
class StagedSession {
public:
    StagedSession(act::Session& session, const app::SessionKey& folderKey,
                  const reports::SessionKey& reportKey, const criteria::SessionKey& typeKey)
        : session_(session),
          folderKey_(folderKey),
          reportKey_(reportKey),
          typeKey_(typeKey),
          folder_(session.sTemplatesFolder()),
          report_(session.sReportName()),
          type_(session.iOutputType()) {}
    ~StagedSession() {
        session_.sTemplatesFolder.set(folderKey_, folder_);
        session_.sReportName.set(reportKey_, report_);
        session_.iOutputType.set(typeKey_, type_);
    }
    StagedSession(const StagedSession&) = delete;
    StagedSession& operator=(const StagedSession&) = delete;

private:
    act::Session& session_;
    app::SessionKey folderKey_;
    reports::SessionKey reportKey_;
    criteria::SessionKey typeKey_;
    std::string folder_;
    std::string report_;
    int type_;
};

}  // namespace

Program::Program(QtUi& ui, std::unique_ptr<app::HostFactory> hostFactory)
    : ui_(ui), startUp_(std::move(hostFactory)), session_(startUp_.session()) {}

Program::~Program() {
    // The window goes before its form, the form before the host objects it holds.
    if (frmMain_) {
        ui_.detach(*frmMain_);
    }
    frmMain_.reset();
}

FormRenderer* Program::mainRenderer() const {
    return frmMain_ ? ui_.rendererOf(*frmMain_) : nullptr;
}

std::shared_ptr<void> Program::drawSplash(app::FrmSplash& splash) {
    auto renderer = std::make_shared<FormRenderer>(splash);
    renderer->window().show();
    // Opening a large host takes a while and runs no event loop: paint now, or the user sees
    // an empty frame (or nothing) until the main window appears.
    renderer->window().repaint();
    QApplication::processEvents();
    return renderer;
}

bool Program::start() {
    frmMain_ = startUp_.run(ui_, startUp_.userSettings(),
                            [this](app::FrmSplash& splash) { return drawSplash(splash); });
    if (!frmMain_) {
        return false;
    }
    ui_.attach(*frmMain_);
    return true;
}

int Program::exec() {
    if (!frmMain_) {
        return 1;
    }
    QEventLoop loop;
    // A re-start of the host keeps the program alive for the timer's last ticks; End says
    // when it is over.
    frmMain_->End = [&loop] { loop.quit(); };
    const int watch = frmMain_->subscribe([this, &loop](forms::Form&, forms::FormProperty p) {
        if (p == forms::FormProperty::Loaded && !frmMain_->loaded() &&
            !frmMain_->restartPending()) {
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
        }
    });
    if (frmMain_->loaded()) {
        loop.exec();
    }
    frmMain_->unsubscribe(watch);
    frmMain_->End = nullptr;
    return 0;
}

int Program::screenshots(const QString& folder) {
    FormRenderer* renderer = mainRenderer();
    if (renderer == nullptr) {
        return 1;
    }
    if (auto* commands = frmMain_->commandsOwner()) {
        commands->count().countNow();  // the window as the user sees it once it has counted
    }
    Screenshots shots(folder);
    bool ok = shots.capture(*renderer);
    ok = pictureDialogs(shots) && ok;
    for (const QString& path : shots.written()) {
        std::fprintf(stdout, "%s\n", qUtf8Printable(path));
    }
    for (const QString& path : shots.failed()) {
        std::fprintf(stderr, "brindlepath: cannot write %s\n", qUtf8Printable(path));
    }
    return ok ? 0 : 1;
}

bool Program::pictureReportSettings(Screenshots& shots, QWidget* parent) {
    bool ok = true;
    session_.sReportName.set(reports::SessionKey{}, kPictureReport);
    session_.iOutputType.set(criteria::SessionKey{}, definitions::kExcelReport);
    definitions::FrmReportSettings settings(session_);
    ok = picture(shots, settings, parent) && ok;
    if (settings.loaded()) {
        // Both dialogs the settings open read what the settings staged.
        definitions::FrmSubTotalOptions options(session_, 0, definitions::TotalRow::Below);
        ok = picture(shots, options, parent) && ok;
        definitions::FrmBorder border(session_, "Title", 0);
        border.Load_settings();
        ok = picture(shots, border, parent) && ok;
    }
    return ok;
}

bool Program::pictureDialogs(Screenshots& shots) {
    QWidget* parent = &mainRenderer()->window();
    bool ok = true;
    {
        app::FrmSplash splash(ui_);
        ok = picture(shots, splash, parent) && ok;
    }
    {
        // The starter definition is copied into a folder of its own, so the user's templates
        // folder is neither read nor written for the pictures.
        const StagedSession restore(session_, app::SessionKey{}, reports::SessionKey{},
                                    criteria::SessionKey{});
        QTemporaryDir templates;
        const std::filesystem::path starter =
            std::filesystem::path(session_.programFolder) / "brindlepath_def.DXL";
        std::error_code copyFailed;
        if (templates.isValid()) {
            const std::filesystem::path folder = fromQt(templates.path());
            std::filesystem::copy_file(starter, folder / (std::string(kPictureReport) + ".DXL"),
                                       copyFailed);
            session_.sTemplatesFolder.set(app::SessionKey{}, (folder / "").string());
        }
        if (!templates.isValid() || copyFailed) {
            std::fprintf(stderr, "brindlepath: cannot stage %s\n", starter.string().c_str());
            ok = false;
        } else {
            ok = pictureReportSettings(shots, parent) && ok;
        }
    }
    {
        integration::FrmIntegrate integrate(session_);
        ok = picture(shots, integrate, parent) && ok;
    }
    {
        app::FrmMainReportsWindow window(*frmMain_);
        reports::ReportLibrary library(session_, window);
        library.sChooserMode = reports::kModeEdit;
        ok = picture(shots, library.frmReportList(), parent) && ok;
        ok = picture(shots, library.frmNew(), parent) && ok;
        const int current = window.lstReports().listIndex();
        library.sOldName = current >= 0 ? window.lstReports().list(current) : kPictureReport;
        ok = picture(shots, library.frmRename(), parent) && ok;
    }
    {
        reports::FrmTemplateFolder templateFolder(session_);
        ok = picture(shots, templateFolder, parent) && ok;
        reports::FrmAbout about(ui_);
        ok = picture(shots, about, parent) && ok;
    }
    {
        // A long run part of the way through writing its output.
        output::FrmProgress progress(ui_);
        progress.lblPhase().setCaption("Writing");
        progress.prgDone().setValue(40);
        ok = picture(shots, progress, parent) && ok;
    }
    {
        // What a run of the main window's choices as they start would make.
        output::FrmPreview preview(ui_);
        app::MainWindowCommands* commands = frmMain_->commandsOwner();
        if (commands != nullptr && commands->fillPreview(preview)) {
            ok = picture(shots, preview, parent) && ok;
        } else {
            std::fprintf(stderr, "brindlepath: the choices could not be previewed\n");
            ok = false;
        }
    }
    return ok;
}

}  // namespace bp::gui
