#include "launcher/Desktop.h"

#include <iostream>
#include <vector>

#include "platform/AppInfo.h"
#include "platform/PathText.h"
#include "platform/Process.h"

namespace bp::launcher {
namespace {

bool onPath(const std::string& program) {
    return platform::findOnPath(program).has_value();
}

std::vector<std::string> dialogCommand(MessageKind kind, const std::string& text) {
    const std::string title(platform::kAppTitle);
    bool error = kind == MessageKind::Error;
    if (onPath("zenity")) {
        return {"zenity", error ? "--error" : "--warning", "--no-markup", "--title=" + title,
                "--text=" + text};
    }
    if (onPath("kdialog")) {
        return {"kdialog", "--title", title, error ? "--error" : "--sorry", text};
    }
    if (onPath("xmessage")) {
        return {"xmessage", "-center", "-title", title, "-buttons", "OK", text};
    }
    return {};
}

}  // namespace

SystemDesktop::SystemDesktop()
    : quiet_(platform::launchSuppressed() || !platform::desktopSessionPresent()) {}

// The file is already written and stays: the user is told where it is and why it did not open.
void SystemDesktop::open(const std::string& path) {
    if (quiet_ || shell_.open(path, platform::parentFolder(path))) {
        return;
    }
    message(MessageKind::Error, "The report \"" + path + "\" was saved but could not be opened: " +
                                    shell_.failure() + ".");
}

void SystemDesktop::message(MessageKind kind, const std::string& text) {
    std::cerr << platform::kAppTitle << ": " << text << std::endl;
    if (quiet_) {
        return;
    }
    auto command = dialogCommand(kind, text);
    // FIXME: without zenity, kdialog or xmessage the message reaches standard error only.
    if (!command.empty()) {
        platform::runAndWait(command);
    }
}

}  // namespace bp::launcher
