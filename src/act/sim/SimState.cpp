#include "act/sim/SimState.h"

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "act/sim/HostErrors.h"
#include "platform/Error.h"

namespace bp::sim {

SimState::SimState(const std::string& path, std::chrono::milliseconds busyWait)
    : store_(path, busyWait) {
    refresh();
    applyDatasetFaults();
}

SimState::~SimState() {
    const char* stats = std::getenv("BRINDLEPATH_HOST_STATS");
    if (stats && std::string(stats) == "1") {
        std::fprintf(stderr, "host calls (%s):\n%s", store_.path().c_str(), log_.report().c_str());
    }
}

const RecordSet& SimState::records(TableKind kind) {
    auto& slot = records_[static_cast<std::size_t>(kind)];
    if (!slot) {
        slot = std::make_unique<RecordSet>(store_.loadRecords(kind));
    }
    return *slot;
}

void SimState::refresh() {
    std::int64_t version = store_.dataVersion();
    if (version != dataVersion_) {
        dataVersion_ = version;
        readFlags();
    }
}

void SimState::readFlags() {
    open_ = store_.meta("open", "1") == "1";
    running_ = store_.meta("running", "1") == "1";
    closeCount_ = store_.closeCount();
}

void SimState::requireOpen() const {
    if (!open_) {
        raise(kErrHostNoDatabase, "The host has no database open.");
    }
}

void SimState::closeHost() {
    store_.close();
    // Our own writes do not move data_version, so take the new flags over directly.
    readFlags();
}

void SimState::reopenHost() {
    store_.reopen();
    readFlags();
}

void SimState::applyDatasetFaults() {
    auto text = store_.meta("faults");
    if (!text) {
        return;
    }
    const nlohmann::json faults = nlohmann::json::parse(*text);
    for (const auto& [member, fault] : faults.items()) {
        if (member == "hostRunning") {
            notRunningFault_ = !fault.get<bool>();
        } else if (fault.is_object()) {
            log_.failAt(member, fault.value("after", 0ULL), fault.at("number").get<int>(),
                        fault.value("description", std::string("Injected host failure")));
        } else {
            log_.forceResult(member, fault.get<int>());
        }
    }
}

}  // namespace bp::sim
