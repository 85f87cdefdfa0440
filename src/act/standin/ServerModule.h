#pragma once
// What the whole server shares: how many of its objects are alive and how often a client
// locked it (so the system knows when the library may be unloaded), and the one running host
// all objects of this process talk to.

#include <memory>
#include <mutex>

#include "act/sim/SimHost.h"

namespace bp::standin {

class ServerModule {
public:
    static void objectCreated();
    static void objectDestroyed();
    static void lock();
    static void unlock();
    // No object alive and no lock held.
    static bool canUnload();

    // The host on SimHost::defaultPath(), opened by the first caller and closed when the last
    // object holding it lets go. Raises bp::Error when the host database cannot be opened.
    static std::shared_ptr<sim::SimHost> host();
    // Held around every call into the host. The embedded host is not safe to call from two
    // threads at once, and objects created on two apartment threads of one process share it.
    // Recursive: an event handler may call back into the server on the same thread.
    static std::recursive_mutex& hostCalls();
};

}  // namespace bp::standin
