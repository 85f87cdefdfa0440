#pragma once
// The embedded host: a contact manager on a SQLite file, standing in for the Windows host on
// Linux, in tests and in benchmarks. One SimHost is one running host on one database file;
// several processes may run one on the same file (the program and brindlepath-host).
//
//   bp::sim::SimHost host(bp::sim::SimHost::defaultPath());
//   auto db = host.createDatabase();  db->OpenEx("");
//   host.failAt("Sales.GoTo", 3, 13, "Type mismatch");  // the 4th GoTo from now on fails

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "act/Host.h"
#include "act/sim/Sqlite.h"

namespace bp::sim {

class SimState;

class SimHost : public act::Host {
public:
    // Opens an existing host database (create one with DatasetJson or DemoGenerator). A
    // database another program holds locked is waited for `busyWait`, then refused.
    explicit SimHost(const std::string& dbPath,
                     std::chrono::milliseconds busyWait = Sqlite::kBusyWait);
    ~SimHost() override;

    // $BRINDLEPATH_HOST, else $XDG_DATA_HOME/brindlepath/host.db, else
    // ~/.local/share/brindlepath/host.db; on Windows %LOCALAPPDATA%\brindlepath\host.db.
    static std::string defaultPath();

    std::shared_ptr<act::ActApp> createAppObject() override;
    std::shared_ptr<act::Database> createDatabase() override;
    std::shared_ptr<act::AuxCmds> createAuxCmds() override;
    std::shared_ptr<act::ActEvent> createEventControl() override;
    std::map<std::string, std::uint64_t> callCounts() const override;
    std::string describe() const override;

    // Fault injection for tests of other layers. failAt: after `afterCalls` further calls of
    // the member ("Sales.GoTo"), every call throws bp::Error(number, description).
    void failAt(const std::string& member, std::uint64_t afterCalls, int number,
                const std::string& description);
    // Only the call `afterCalls` calls of any member from now fails (CallLog::failOneCall).
    void failOneCall(std::uint64_t afterCalls, int number, const std::string& description);
    // Result-code members ("ActEvent.Register", "AuxCmds.AddAuxCommandToToolbar", or the bare
    // member name) answer `result` instead of doing their work.
    void forceResult(const std::string& member, int result);
    void setHostRunning(bool running);  // IsHostRunning (and a plain Register) follow it
    void clearFaults();

    const std::string& path() const;

private:
    std::shared_ptr<SimState> state_;
};

}  // namespace bp::sim
