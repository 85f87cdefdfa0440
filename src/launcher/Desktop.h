#pragma once
// What the report builder asks of the desktop: open a file with the user's spreadsheet program
// and tell the user something. The builder runs without a console, so messages also go to a
// dialog when there is a display to show one on.

#include <string>

#include "platform/DesktopShell.h"

namespace bp::launcher {

enum class MessageKind { Warning, Error };

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void open(const std::string& path) = 0;
    virtual void message(MessageKind kind, const std::string& text) = 0;
};

// The real desktop: the desktop's opener (xdg-open, the shell's "open" on Windows) and a dialog
// tool (zenity, kdialog or xmessage). With BRINDLEPATH_NO_LAUNCH=1, or without a desktop
// session, nothing is started and messages go to standard error only.
class SystemDesktop : public Desktop {
public:
    SystemDesktop();
    void open(const std::string& path) override;
    void message(MessageKind kind, const std::string& text) override;

private:
    bool quiet_;
    platform::DesktopShell shell_;
};

}  // namespace bp::launcher
