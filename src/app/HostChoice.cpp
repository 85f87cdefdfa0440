#include "app/HostChoice.h"

#include <memory>

#include "act/sim/SimHost.h"
#include "app/EmbeddedHostFactory.h"
#include "platform/Environment.h"

#ifdef _WIN32
#include "app/AutomationHostFactory.h"
#endif

namespace bp::app {

namespace {

#ifdef _WIN32
constexpr bool kAutomationAvailable = true;
#else
constexpr bool kAutomationAvailable = false;
#endif

}  // namespace

HostKind chooseHost(const std::string& hostVariable, const std::string& attachVariable,
                    bool automationAvailable) {
    if (!automationAvailable) {
        return HostKind::Embedded;
    }
    if (hostVariable.empty() || attachVariable == "automation") {
        return HostKind::Automation;
    }
    return HostKind::Embedded;
}

HostKind chosenHost() {
    return chooseHost(platform::environmentVariable("BRINDLEPATH_HOST"),
                      platform::environmentVariable("BRINDLEPATH_ATTACH"), kAutomationAvailable);
}

std::unique_ptr<HostFactory> makeHostFactory() {
#ifdef _WIN32
    if (chosenHost() == HostKind::Automation) {
        return std::make_unique<AutomationHostFactory>();
    }
#endif
    return std::make_unique<EmbeddedHostFactory>(sim::SimHost::defaultPath());
}

}  // namespace bp::app
