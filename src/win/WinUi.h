#pragma once
// The UI service of the Windows edition: message boxes, modal forms with their own message
// loop, forms shown without waiting (the main window), the desktop's file, font, colour and
// folder dialogs, the busy cursor and the beep.

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/Progress.h"
#include "forms/UiService.h"

namespace bp::win {

class ProgressWindow;
class WinFormWindow;

class WinUi : public forms::UiService {
public:
    // `progressTiming`: how long a run goes before its progress window shows, and how often
    // the window is brought up to date.
    explicit WinUi(core::ProgressTiming progressTiming = {});
    ~WinUi() override;
    WinUi(const WinUi&) = delete;
    WinUi& operator=(const WinUi&) = delete;

    forms::MsgResult message(const forms::MessageRequest& request) override;
    void showModal(forms::Form& form) override;
    std::optional<std::string> saveFile(const forms::SaveFileRequest& request) override;
    std::optional<forms::FontChoice> chooseFont(const forms::FontChoice& initial) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
    std::optional<std::string> browseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    void beep() override;
    void setBusy(bool busy) override;
    forms::MenuEntry* popupMenu(forms::Form& form, forms::MenuEntry& menu, int x, int y) override;
    // The progress window of long runs, rendered once and kept; modal to the program's windows
    // while shown, so nothing else starts while a run lets messages through.
    core::ProgressSink* progressSink() override;
    // Lets the messages waiting now through (Cancel, the progress window's close box, paint),
    // holding the forms' timers: their handlers must not run in the middle of a run.
    void processEvents() override;
    // The progress window once a run has asked for it, else nullptr.
    ProgressWindow* progressWindow() const { return progress_.get(); }

    // Whether the wait cursor is up; the program's windows keep it over themselves.
    static bool busy();
    // The window a new dialog belongs to: the topmost modal form, else the visible form
    // shown without waiting, if any.
    HWND dialogOwner() const;
    // The windows of the forms shown modally right now, innermost last.
    const std::vector<WinFormWindow*>& modalWindows() const { return modal_; }

    // Renders a form that is shown without waiting (the main window); the form's Visible
    // shows and hides its window from then on, until detach() destroys it.
    WinFormWindow& attach(forms::Form& form);
    void detach(forms::Form& form);
    WinFormWindow* windowOf(const forms::Form& form) const;

    // Hands a message of the message loop to the dialog keys of the program's window it is
    // for; true when they used it.
    bool translate(MSG& message);
    // Runs the message loop until `done` holds after a message; false when the program was
    // asked to quit first (the quit message is posted again for the loop that owns it).
    bool runUntil(const std::function<bool()>& done);

private:
    // A window asking the person something stands where the progress window stood.
    void putProgressAway();

    core::ProgressTiming progressTiming_;
    std::vector<WinFormWindow*> modal_;
    std::vector<std::pair<forms::Form*, std::unique_ptr<WinFormWindow>>> attached_;
    // Last, so it goes first: the windows it disabled are still there to enable.
    std::unique_ptr<ProgressWindow> progress_;
};

// The MessageBoxW flags for a request, and the model's answer for its result.
UINT messageBoxFlags(const forms::MessageRequest& request);
forms::MsgResult messageResult(int pressed);

}  // namespace bp::win
