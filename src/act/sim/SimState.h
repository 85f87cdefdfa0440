#pragma once
// What the automation objects of one embedded host share: the database file, the records
// loaded from it, the host's open/running flags and closing counter as last seen, and the
// call log with its injected faults.

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "act/sim/CallLog.h"
#include "act/sim/HostStore.h"
#include "act/sim/RecordSet.h"

namespace bp::sim {

class SimState {
public:
    explicit SimState(const std::string& path,
                      std::chrono::milliseconds busyWait = Sqlite::kBusyWait);
    ~SimState();  // prints the call counts when BRINDLEPATH_HOST_STATS=1
    SimState(const SimState&) = delete;
    SimState& operator=(const SimState&) = delete;

    HostStore& store() { return store_; }
    CallLog& log() { return log_; }

    // Loaded on first use, then kept: the host's records do not change while it runs.
    const RecordSet& records(TableKind kind);

    // Cheap when nothing changed: one PRAGMA data_version, re-reading the flags only when
    // another process has written the file.
    void refresh();
    bool isOpen() const { return open_; }
    bool isRunning() const { return running_ && !notRunningFault_; }
    std::int64_t closeCount() const { return closeCount_; }
    void requireOpen() const;

    // The host closes at the program's request (command 150).
    void closeHost();
    void reopenHost();
    void setNotRunningFault(bool notRunning) { notRunningFault_ = notRunning; }

private:
    void readFlags();
    void applyDatasetFaults();

    HostStore store_;
    CallLog log_;
    std::array<std::unique_ptr<RecordSet>, 3> records_;
    std::int64_t dataVersion_ = -1;
    std::int64_t closeCount_ = 0;
    bool open_ = true;
    bool running_ = true;
    bool notRunningFault_ = false;
};

}  // namespace bp::sim
