#pragma once
// Everything that needs a person or the desktop goes through this interface, so every form
// runs without a display: the Qt implementation lives in src/gui/, the scripted one in
// ScriptedUi.h answers from a queue and records what the user would have seen.

#include <cstdint>
#include <optional>
#include <string>

#include "core/Progress.h"

namespace bp::forms {

class Form;
class MenuEntry;

enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Abort, Retry, Ignore, Yes, No };

struct MessageRequest {
    std::string title;
    std::string text;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 0;  // 0-based position among the buttons
};

struct SaveFileRequest {
    std::string title;
    std::string filter;            // "CSV Files (*.CSV)|*.CSV"
    std::string defaultExtension;  // "CSV"
    std::string initialFolder;
    std::string fileName;
    bool promptOverwrite = false;
};

struct FontChoice {
    std::string name = "Arial";
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    std::uint32_t color = 0;  // 0x00BBGGRR, as the spreadsheet side stores colours
};

class UiService {
public:
    virtual ~UiService() = default;

    virtual MsgResult message(const MessageRequest& request) = 0;
    // Shows the form modally; returns when it is hidden or unloaded.
    virtual void showModal(Form& form) = 0;
    // An empty optional means the user cancelled.
    virtual std::optional<std::string> saveFile(const SaveFileRequest& request) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
    virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
    virtual std::optional<std::string> browseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
    // Pops `menu` up at x, y on `form` and returns the entry the user chose, or nullptr when
    // the menu was dismissed. Services without menus dismiss it.
    virtual MenuEntry* popupMenu(Form& form, MenuEntry& menu, int x, int y) {
        (void)form;
        (void)menu;
        (void)x;
        (void)y;
        return nullptr;
    }
    // Why a run stopped where the window says nothing (a CSV export that could not be
    // copied to the chosen file): a person sees the window stay open, an unattended run has
    // nobody watching and reports it. Services with a window ignore it.
    virtual void quietStop(const std::string& reason) { (void)reason; }
    // Where long work shows how far it is and hears of a cancel; none shows nothing.
    virtual core::ProgressSink* progressSink() { return nullptr; }
    // Long work runs in the program's one thread and calls this now and then, so a person can
    // act on the windows shown meanwhile (a Cancel button).
    virtual void processEvents() {}
};

}  // namespace bp::forms
