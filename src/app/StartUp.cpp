#include "app/StartUp.h"

#include <string>

#include "app/Module1.h"
#include "platform/AppInfo.h"
#include "platform/Error.h"
#include "platform/FileSettingsStore.h"
#include "platform/ProgramFolder.h"

namespace bp::app {

StartUp::StartUp(std::unique_ptr<HostFactory> factory)
    : factory_(std::move(factory)), settings_(platform::openUserSettings()) {}

StartUp::~StartUp() = default;

std::unique_ptr<FrmMain> StartUp::run(forms::UiService& ui, platform::SettingsStore& settings,
                                      std::function<std::shared_ptr<void>(FrmSplash&)> drawSplash) {
    session_.ui = &ui;
    session_.settings = &settings;
    session_.shell = &shell_;
    session_.launcher = &launcher_;
    session_.programFolder = platform::programFolder();
    StartUpSteps steps;
    steps.drawSplash = std::move(drawSplash);
    steps.openHost = [this] { return openHost(); };
    if (!instance_) {
        instance_.emplace();
    }
    return Sub_Main(session_, *instance_, steps);
}

bool StartUp::openHost() {
    try {
        host_ = factory_->open();
    } catch (const Error& e) {
        // A host that is not there is the user's to fix; one that fails to open is a fault.
        const bool missing = e.number() == kErrFileNotFound || e.number() == kErrCannotCreateObject;
        session_.ui->message({std::string(platform::kAppTitle), e.description(),
                              forms::MsgButtons::OK,
                              missing ? forms::MsgIcon::Exclamation : forms::MsgIcon::Critical});
        return false;
    }
    session_.host = host_.get();
    return true;
}

}  // namespace bp::app
