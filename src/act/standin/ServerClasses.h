#pragma once
// The objects a client can create by program id, with the class ids this server registers
// them under (its own; only the program ids are shared with the real host).

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <objbase.h>

#include <span>

#include "act/standin/DispatchObject.h"

namespace bp::standin {

struct ServerClass {
    const char* progId;
    CLSID clsid;
    const char* description;
    // One reference, which the caller takes over.
    DispatchObject* (*create)(HostRef host);
};

std::span<const ServerClass> serverClasses();
// Null when the server has no class of that id.
const ServerClass* findServerClass(REFCLSID clsid);

// The interface id of the event control's outgoing (events) interface.
extern const IID kEventsIid;

}  // namespace bp::standin
