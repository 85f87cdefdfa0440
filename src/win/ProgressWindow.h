#pragma once
// The window of long runs in the Windows edition: frmProgress rendered once and kept. While
// it shows, it stands over the window a dialog would belong to and the program's other
// windows are disabled, as a modal form's owner is, so nothing else starts while the run
// lets messages through; the windows it disabled are enabled again when it hides. The
// pointer stays an arrow over it while the program is busy, so Cancel looks clickable.

#include <windows.h>

#include <memory>
#include <vector>

#include "core/Progress.h"
#include "output/ProgressDialog.h"
#include "win/WinFormWindow.h"

namespace bp::win {

class WinUi;

class ProgressWindow {
public:
    ProgressWindow(WinUi& ui, core::ProgressTiming timing);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    output::ProgressDialog& dialog() { return dialog_; }
    WinFormWindow& window() { return *window_; }
    HWND hwnd() const { return window_->hwnd(); }
    // The windows disabled while it shows.
    const std::vector<HWND>& disabledWindows() const { return disabled_; }

private:
    void onVisible();
    void blockOthers();
    void releaseOthers();
    void placeOver(HWND owner);

    WinUi& ui_;
    output::ProgressDialog dialog_;
    int subscription_ = 0;
    std::unique_ptr<WinFormWindow> window_;
    std::vector<HWND> disabled_;
};

}  // namespace bp::win
