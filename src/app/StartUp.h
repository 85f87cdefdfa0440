#pragma once
// One start of the program, wired in one place for the desktop and for batch runs: the
// user's settings store, the desktop shell, the report builder's launcher, the single-instance
// lock and the host, which comes from a HostFactory so another edition can hand out its own.
// The session they fill outlives the main window that start-up returns.

#include <functional>
#include <memory>
#include <optional>

#include "act/Session.h"
#include "app/FrmMain.h"
#include "app/FrmSplash.h"
#include "app/HostFactory.h"
#include "platform/DesktopShell.h"
#include "platform/Launcher.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"

namespace bp::app {

class StartUp {
public:
    explicit StartUp(std::unique_ptr<HostFactory> factory = makeHostFactory());
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // The user's own settings store; a batch run lays its selection over it.
    platform::SettingsStore& userSettings() { return *settings_; }
    act::Session& session() { return session_; }

    // Runs Sub_Main with `ui` and `settings` as the session's services; the host is opened
    // while the splash window shows, after `drawSplash` has drawn it. Returns the main
    // window, or nullptr when start-up ended with a message.
    std::unique_ptr<FrmMain> run(forms::UiService& ui, platform::SettingsStore& settings,
                                 std::function<std::shared_ptr<void>(FrmSplash&)> drawSplash = {});

private:
    bool openHost();

    std::unique_ptr<HostFactory> factory_;
    std::unique_ptr<platform::SettingsStore> settings_;
    platform::DesktopShell shell_;
    platform::ReportBuilderLauncher launcher_;
    // Taken when start-up runs, not before: a start that never runs holds no lock.
    std::optional<platform::SingleInstance> instance_;
    // The host outlives the session's objects opened on it.
    std::unique_ptr<act::Host> host_;
    act::Session session_;
};

}  // namespace bp::app
