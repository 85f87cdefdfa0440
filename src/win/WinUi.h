#pragma once
// The UI service of the Windows edition: message boxes, modal forms with their own message
// loop, forms shown without waiting (the main window), the desktop's file, font, colour and
// folder dialogs, the busy cursor and the beep.

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "forms/UiService.h"

namespace bp::win {

class WinFormWindow;

class WinUi : public forms::UiService {
public:
    WinUi();
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
    // FIXME: long runs show no progress window here yet: it needs a progress bar binding
    // (PROGRESS_CLASS) and progressSink()/processEvents() as the Qt front end has them.

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
    std::vector<WinFormWindow*> modal_;
    std::vector<std::pair<forms::Form*, std::unique_ptr<WinFormWindow>>> attached_;
};

// The MessageBoxW flags for a request, and the model's answer for its result.
UINT messageBoxFlags(const forms::MessageRequest& request);
forms::MsgResult messageResult(int pressed);

}  // namespace bp::win
