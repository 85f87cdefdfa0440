#include "gui/Program.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "act/sim/SimHost.h"
#include "app/FrmMain.h"
#include "app/Module1.h"
#include "gui/Screenshots.h"
#include "platform/AppInfo.h"
#include "platform/DesktopShell.h"
#include "platform/FileSettingsStore.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

namespace bp::gui {

Program::Program(QtUi& ui) : ui_(ui) {}

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

bool Program::openHost() {
    const std::string path = sim::SimHost::defaultPath();
    if (!std::filesystem::exists(path)) {
        ui_.message({std::string(platform::kAppTitle),
                     "There is no contact database at " + path +
                         ".\rCreate one with: brindlepath-host --db " + path + " demo",
                     forms::MsgButtons::OK, forms::MsgIcon::Exclamation});
        return false;
    }
    try {
        host_ = std::make_unique<sim::SimHost>(path);
    } catch (const std::exception& e) {
        ui_.message({std::string(platform::kAppTitle),
                     "The contact database " + path + " cannot be opened:\r" + e.what(),
                     forms::MsgButtons::OK, forms::MsgIcon::Critical});
        return false;
    }
    return true;
}

bool Program::start() {
    if (!openHost()) {
        return false;
    }
    settings_ = platform::openUserSettings();
    shell_ = std::make_unique<platform::DesktopShell>();
    instance_ = std::make_unique<platform::SingleInstance>();
    session_.ui = &ui_;
    session_.settings = settings_.get();
    session_.shell = shell_.get();
    session_.host = host_.get();
    session_.programFolder = platform::programFolder();
    session_.launcher = &launcher_;
    frmMain_ = app::Sub_Main(session_, *instance_);
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
    // FIXME: the report, settings and integration dialogs join this list when their
    // branches are merged; each is rendered the same way.
    Screenshots shots(folder);
    const bool ok = shots.capture(*renderer);
    for (const QString& path : shots.written()) {
        std::fprintf(stdout, "%s\n", qUtf8Printable(path));
    }
    for (const QString& path : shots.failed()) {
        std::fprintf(stderr, "brindlepath: cannot write %s\n", qUtf8Printable(path));
    }
    return ok ? 0 : 1;
}

}  // namespace bp::gui
