#include "act/sim/SimHost.h"

#include "act/sim/SimApp.h"
#include "act/sim/SimAuxCmds.h"
#include "act/sim/SimDatabase.h"
#include "act/sim/SimEvent.h"
#include "act/sim/SimState.h"
#include "platform/Environment.h"
#include "platform/PathText.h"
#include "platform/UserAccount.h"

namespace bp::sim {

SimHost::SimHost(const std::string& dbPath, std::chrono::milliseconds busyWait)
    : state_(std::make_shared<SimState>(dbPath, busyWait)) {}

SimHost::~SimHost() = default;

std::string SimHost::defaultPath() {
    if (std::string host = platform::environmentVariable("BRINDLEPATH_HOST"); !host.empty()) {
        return host;
    }
    return platform::joinPath(platform::joinPath(platform::userDataFolder(), "brindlepath"),
                              "host.db");
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

std::string SimHost::describe() const {
    return "the contact database " + path() + ", opened directly";
}

void SimHost::failAt(const std::string& member, std::uint64_t afterCalls, int number,
                     const std::string& description) {
    state_->log().failAt(member, afterCalls, number, description);
}

void SimHost::failOneCall(std::uint64_t afterCalls, int number, const std::string& description) {
    state_->log().failOneCall(afterCalls, number, description);
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
