#pragma once
// The embedded host on its database file ($BRINDLEPATH_HOST, else the user's default).

#include <chrono>
#include <string>

#include "act/sim/Sqlite.h"
#include "app/HostFactory.h"

namespace bp::app {

class EmbeddedHostFactory : public HostFactory {
public:
    // `busyWait`: how long start-up waits for a database another program holds locked.
    explicit EmbeddedHostFactory(std::string path,
                                 std::chrono::milliseconds busyWait = sim::Sqlite::kBusyWait);

    std::unique_ptr<act::Host> open() const override;

private:
    std::string path_;
    std::chrono::milliseconds busyWait_;
};

}  // namespace bp::app
