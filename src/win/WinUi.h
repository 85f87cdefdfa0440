#pragma once
// The UI service of the Windows edition: message boxes, modal forms with their own message
// loop, the busy cursor and the beep. The desktop's file, font, colour and folder dialogs are
// not offered yet and say so.

#include <windows.h>

#include <vector>

#include "forms/UiService.h"

namespace bp::win {

class WinFormWindow;

class WinUi : public forms::UiService {
public:
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

    // Whether the wait cursor is up; the program's windows keep it over themselves.
    static bool busy();
    // The window a new dialog belongs to: the topmost modal form, if any.
    HWND dialogOwner() const;
    // The windows of the forms shown modally right now, innermost last.
    const std::vector<WinFormWindow*>& modalWindows() const { return modal_; }

private:
    std::vector<WinFormWindow*> modal_;
};

// The MessageBoxW flags for a request, and the model's answer for its result.
UINT messageBoxFlags(const forms::MessageRequest& request);
forms::MsgResult messageResult(int pressed);

}  // namespace bp::win
