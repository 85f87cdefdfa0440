#include "app/AutomationHostFactory.h"

#include "act/automation/AutomationHost.h"
#include "act/automation/ComFailure.h"
#include "act/automation/ProgId.h"
#include "platform/AppInfo.h"
#include "platform/Error.h"

namespace bp::app {

std::unique_ptr<act::Host> AutomationHostFactory::open() const {
    // COM first: the host owns the thread's apartment, and the program ids are looked up in it.
    auto host = std::make_unique<automation::AutomationHost>();
    if (!automation::isRegistered("ACTOLE.APPOBJECT")) {
        const std::string title(platform::kAppTitle);
        raise(kErrCannotCreateObject,
              "ACT! is not installed on this computer, or it is not running.\r"
              "Please run ACT! and open a database before running " +
                  title + ".");
    }
    return host;
}

}  // namespace bp::app
