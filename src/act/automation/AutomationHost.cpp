#include "act/automation/AutomationHost.h"

#include "act/automation/AppObject.h"
#include "act/automation/AuxCmdsObject.h"
#include "act/automation/ComFailure.h"
#include "act/automation/ControlEvent.h"
#include "act/automation/DatabaseObject.h"
#include "act/automation/PolledEvent.h"
#include "act/automation/ProgId.h"

namespace bp::automation {

AutomationHost::AutomationHost()
    : AutomationHost([](std::string_view progId) { return createByProgId(progId); },
                     platform::Locale::current()) {}

AutomationHost::AutomationHost(ObjectFactory factory, platform::Locale locale)
    : context_(std::make_shared<AdapterContext>(std::move(factory), std::move(locale))) {}

std::shared_ptr<act::ActApp> AutomationHost::createAppObject() {
    return std::make_shared<AppObject>(context_->factory("ACTOLE.APPOBJECT"), context_);
}

std::shared_ptr<act::Database> AutomationHost::createDatabase() {
    return std::make_shared<DatabaseObject>(context_->factory("ACTOLE.DATABASE"), context_);
}

std::shared_ptr<act::AuxCmds> AutomationHost::createAuxCmds() {
    return std::make_shared<AuxCmdsObject>(context_->factory("ACTOLE.AUXCMDS"), context_);
}

std::shared_ptr<act::ActEvent> AutomationHost::createEventControl() {
    std::shared_ptr<AutomationEvent> event;
    try {
        event = std::make_shared<ControlEvent>(context_->factory("ACTEVENTLib.ActEvent"), context_);
    } catch (const NotRegisteredError&) {
        event = std::make_shared<PolledEvent>(context_);
    }
    lastEvent_ = event;
    lastEventPolled_ = event->eventsByPolling();
    return event;
}

std::map<std::string, std::uint64_t> AutomationHost::callCounts() const {
    return context_->counter.counts();
}

bool AutomationHost::eventsByPolling() const {
    if (const auto event = lastEvent_.lock()) {
        return event->eventsByPolling();
    }
    return lastEventPolled_;
}

std::string AutomationHost::describe() const {
    std::string text = "ACT!, by automation";
    if (eventsByPolling()) {
        text +=
            "; its closing is noticed by asking it every 2 seconds, as its event control "
            "is not installed";
    }
    return text;
}

}  // namespace bp::automation
