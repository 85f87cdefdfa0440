#pragma once
// Creates the host's automation objects, as the Windows program creates them by program id.
// On Linux the embedded host (act/sim) implements this; tests use it on temporary databases.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "act/Application.h"
#include "act/Integration.h"

namespace bp::act {

class Host {
public:
    virtual ~Host() = default;
    virtual std::shared_ptr<ActApp> createAppObject() = 0;   // "ACTOLE.APPOBJECT"
    virtual std::shared_ptr<Database> createDatabase() = 0;  // "ACTOLE.DATABASE"
    virtual std::shared_ptr<AuxCmds> createAuxCmds() = 0;    // "ACTOLE.AUXCMDS"
    virtual std::shared_ptr<ActEvent> createEventControl() = 0;
    // Which host this is, in the user's words, for the about box ("the contact database
    // C:\Data\host.db, opened directly").
    virtual std::string describe() const = 0;
    // Calls per member ("Sales.GoTo", "Sales.Data", ...), for tests and benchmarks.
    virtual std::map<std::string, std::uint64_t> callCounts() const = 0;
};

}  // namespace bp::act
