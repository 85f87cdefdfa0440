#include "launcher/Desktop.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include "platform/AppInfo.h"

extern char** environ;

namespace bp::launcher {
namespace {

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::filesystem::path candidate =
            std::filesystem::path(folders.substr(start, end - start)) / program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

// Runs a program and waits for it; false when it could not be started or failed.
bool run(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    if (waitpid(child, &status, 0) < 0)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> dialogCommand(MessageKind kind, const std::string& text) {
    const std::string title(platform::kAppTitle);
    bool error = kind == MessageKind::Error;
    if (onPath("zenity"))
        return {"zenity", error ? "--error" : "--warning", "--no-markup", "--title=" + title,
                "--text=" + text};
    if (onPath("kdialog"))
        return {"kdialog", "--title", title, error ? "--error" : "--sorry", text};
    if (onPath("xmessage"))
        return {"xmessage", "-center", "-title", title, "-buttons", "OK", text};
    return {};
}

}  // namespace

SystemDesktop::SystemDesktop() {
    const char* noLaunch = std::getenv("BRINDLEPATH_NO_LAUNCH");
    bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    quiet_ = (noLaunch && *noLaunch && std::string(noLaunch) != "0") || !display;
}

void SystemDesktop::open(const std::string& path) {
    if (!quiet_)
        shell_.open(path, std::filesystem::path(path).parent_path().string());
}

void SystemDesktop::message(MessageKind kind, const std::string& text) {
    std::cerr << platform::kAppTitle << ": " << text << std::endl;
    if (quiet_)
        return;
    auto command = dialogCommand(kind, text);
    // FIXME: without zenity, kdialog or xmessage the message reaches standard error only.
    if (!command.empty())
        run(command);
}

}  // namespace bp::launcher
