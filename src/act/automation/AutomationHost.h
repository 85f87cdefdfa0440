#pragma once
// The real host on Windows, reached through its automation objects: each object is started
// by program id and called late-bound by member name. The host joins the calling thread to a
// single-threaded apartment, and every object it makes must be used from that thread only.
//
//   bp::automation::AutomationHost host;
//   auto db = host.createDatabase();  db->OpenEx("");

#include <memory>
#include <string>

#include "act/Host.h"
#include "act/automation/AdapterContext.h"
#include "act/automation/AutomationEvent.h"

namespace bp::automation {

class AutomationHost : public act::Host {
public:
    // Objects come from their registered program ids; dates are written in the user's
    // regional settings.
    AutomationHost();
    // Objects come from `factory` (tests give stand-ins of their own).
    AutomationHost(ObjectFactory factory, platform::Locale locale);

    std::shared_ptr<act::ActApp> createAppObject() override;
    std::shared_ptr<act::Database> createDatabase() override;
    std::shared_ptr<act::AuxCmds> createAuxCmds() override;
    // Falls back to asking the host now and then where the event control is not installed.
    std::shared_ptr<act::ActEvent> createEventControl() override;
    std::map<std::string, std::uint64_t> callCounts() const override;

    // Whether the last event control made notices the host's closing by polling.
    bool eventsByPolling() const;
    // One line for the About box: how the program reaches the host.
    std::string describe() const override;

private:
    std::shared_ptr<AdapterContext> context_;
    std::weak_ptr<AutomationEvent> lastEvent_;
    bool lastEventPolled_ = false;
};

}  // namespace bp::automation
