#include "win/WinProgram.h"

#include <commctrl.h>

#include <string>

#include "platform/AppInfo.h"
#include "win/WinFormWindow.h"
#include "win/WindowlessTimers.h"

namespace bp::win {
namespace {

// Paints what is waiting to be painted: opening the host runs no message loop, and the
// splash would show as an empty frame (or not at all) until the main window appears.
void paintNow() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The program's icon (resource 1) in the title bar and on the taskbar button.
void showProgramIcon(HWND window) {
    HINSTANCE program = GetModuleHandleW(nullptr);
    const auto load = [program](int metric) {
        const int size = GetSystemMetrics(metric);
        return reinterpret_cast<LPARAM>(
            LoadImageW(program, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
    };
    SendMessageW(window, WM_SETICON, ICON_BIG, load(SM_CXICON));
    SendMessageW(window, WM_SETICON, ICON_SMALL, load(SM_CXSMICON));
}

}  // namespace

WinProgram::WinProgram(WinUi& ui, std::unique_ptr<app::HostFactory> hostFactory)
    : ui_(ui), startUp_(std::move(hostFactory)) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
}

WinProgram::~WinProgram() {
    // The window goes before its form, the form before the host objects it holds.
    if (frmMain_) {
        ui_.detach(*frmMain_);
    }
    frmMain_.reset();
}

WinFormWindow* WinProgram::mainWindowWindow() const {
    return frmMain_ ? ui_.windowOf(*frmMain_) : nullptr;
}

std::shared_ptr<void> WinProgram::drawSplash(app::FrmSplash& splash) {
    try {
        auto window = std::make_shared<WinFormWindow>(splash);
        window->show();
        paintNow();
        return window;
    } catch (const std::exception&) {
        // The program starts as well without its splash.
        return nullptr;
    }
}

bool WinProgram::startUp() {
    frmMain_ = startUp_.run(ui_, startUp_.userSettings(),
                            [this](app::FrmSplash& splash) { return drawSplash(splash); });
    return frmMain_ != nullptr;
}

bool WinProgram::start() {
    if (!startUp()) {
        return false;
    }
    try {
        WinFormWindow& window = ui_.attach(*frmMain_);
        showProgramIcon(window.hwnd());
        window.show();
    } catch (const std::exception& error) {
        ui_.message({std::string(platform::kAppTitle), error.what(), forms::MsgButtons::OK,
                     forms::MsgIcon::Critical});
        ui_.detach(*frmMain_);
        // Closed as the user would close it, so the host's shared objects are released.
        frmMain_->unload();
        frmMain_.reset();
        return false;
    }
    return true;
}

void WinProgram::runMainWindow() {
    bool ended = false;
    frmMain_->End = [&ended] { ended = true; };
    ui_.runUntil(
        [this, &ended] { return ended || (!frmMain_->loaded() && !frmMain_->restartPending()); });
    frmMain_->End = nullptr;
}

int WinProgram::exec() {
    if (!frmMain_) {
        return 1;
    }
    runMainWindow();
    return 0;
}

int WinProgram::integrate() {
    if (!startUp()) {
        return 1;
    }
    // The main window is not drawn, but its timers still watch for the host closing and end
    // the program after a re-start of the host.
    WindowlessTimers timers(*frmMain_);
    frmMain_->hide();
    if (frmMain_->commands.mnuIntegrate) {
        frmMain_->commands.mnuIntegrate();
    }
    if (frmMain_->loaded()) {
        frmMain_->unload();
    }
    runMainWindow();
    return 0;
}

}  // namespace bp::win
