#pragma once
// Where a start of the program gets its host from. The Linux edition opens the embedded host
// on its database file (EmbeddedHostFactory); an edition for the real host hands out a host
// that attaches to the running contact manager instead. Start-up asks for the host once its
// splash window shows.

#include <memory>
#include <string>

#include "act/Host.h"

namespace bp::app {

class HostFactory {
public:
    virtual ~HostFactory() = default;

    // The host, ready for start-up to attach to. Throws bp::Error with the text the user is
    // shown when there is no host to open or it cannot be opened.
    virtual std::unique_ptr<act::Host> open() const = 0;
};

// The host this edition of the program runs on.
std::unique_ptr<HostFactory> makeHostFactory();

}  // namespace bp::app
