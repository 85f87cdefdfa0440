#pragma once
// The running contact manager, reached through its automation objects (Windows).

#include "app/HostFactory.h"

namespace bp::app {

class AutomationHostFactory : public HostFactory {
public:
    // Refuses, with the words the user is shown, when no installed program answers to the
    // host's program ids: the contact manager is not installed, or its objects never were
    // registered, and start-up ends without a window.
    std::unique_ptr<act::Host> open() const override;
};

}  // namespace bp::app
