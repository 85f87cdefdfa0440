#include "act/sim/SimHost.h"

#include <cstdlib>

#include "act/sim/SimApp.h"
#include "act/sim/SimAuxCmds.h"
#include "act/sim/SimDatabase.h"
#include "act/sim/SimEvent.h"
#include "act/sim/SimState.h"
#ifdef _WIN32
#include "platform/WinText.h"
#endif

namespace bp::sim {

namespace {

// As UTF-8: on Windows getenv gives the ANSI code page, which cannot spell every user's name.
std::string environment(const char* name) {
#ifdef _WIN32
    const wchar_t* value = ::_wgetenv(platform::toWide(name).c_str());
    return value ? platform::toUtf8(value) : "";
#else
    const char* value = std::getenv(name);
    return value ? value : "";
#endif
}

}  // namespace

SimHost::SimHost(const std::string& dbPath, std::chrono::milliseconds busyWait)
    : state_(std::make_shared<SimState>(dbPath, busyWait)) {}

SimHost::~SimHost() = default;

std::string SimHost::defaultPath() {
    if (std::string host = environment("BRINDLEPATH_HOST"); !host.empty()) {
        return host;
    }
#ifdef _WIN32
    // A Windows user's program data lives in the local application data folder; HOME and the
    // XDG folders mean nothing there (or hold a Unix path, under Wine).
    return environment("LOCALAPPDATA") + "\\brindlepath\\host.db";
#else
    if (std::string data = environment("XDG_DATA_HOME"); !data.empty()) {
        return data + "/brindlepath/host.db";
    }
    return environment("HOME") + "/.local/share/brindlepath/host.db";
#endif
}

std::shared_ptr<act::ActApp> SimHost::createAppObject() {
    return std::make_shared<SimApp>(state_);
}

std::shared_ptr<act::Database> SimHost::createDatabase() {
    return std::make_shared<SimDatabase>(state_);
}

std::shared_ptr<act::AuxCmds> SimHost::createAuxCmds() {
    return std::make_shared<SimAuxCmds>(state_);
}

std::shared_ptr<act::ActEvent> SimHost::createEventControl() {
    return std::make_shared<SimEvent>(state_);
}

std::map<std::string, std::uint64_t> SimHost::callCounts() const {
    return state_->log().counts();
}

void SimHost::failAt(const std::string& member, std::uint64_t afterCalls, int number,
                     const std::string& description) {
    state_->log().failAt(member, afterCalls, number, description);
}

void SimHost::forceResult(const std::string& member, int result) {
    state_->log().forceResult(member, result);
}

void SimHost::setHostRunning(bool running) {
    state_->setNotRunningFault(!running);
}

void SimHost::clearFaults() {
    state_->log().clearFaults();
    state_->setNotRunningFault(false);
}

const std::string& SimHost::path() const {
    return state_->store().path();
}

}  // namespace bp::sim
