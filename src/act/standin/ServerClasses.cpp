#include "act/standin/ServerClasses.h"

#include <array>

#include "act/standin/AppObject.h"
#include "act/standin/AuxCmdsObject.h"
#include "act/standin/DatabaseObject.h"
#include "act/standin/EventObject.h"

namespace bp::standin {

const IID kEventsIid = {
    0x2952d0cd, 0xbc00, 0x4eb7, {0x8d, 0xad, 0x15, 0xf2, 0x02, 0x5c, 0x75, 0x29}};

std::span<const ServerClass> serverClasses() {
    static const std::array<ServerClass, 4> kClasses{{
        {"ACTOLE.APPOBJECT",
         {0xca58f5e5, 0x0bd4, 0x4dad, {0x9d, 0x29, 0x59, 0x15, 0x92, 0x39, 0xe2, 0xec}},
         "brindlepath embedded host application",
         [](HostRef host) {
             auto app = host->createAppObject();
             return newAppObject(std::move(host), std::move(app));
         }},
        {"ACTOLE.DATABASE",
         {0x0d231215, 0x1c38, 0x4a0f, {0xa7, 0xa4, 0x91, 0x9a, 0x0f, 0x78, 0x0a, 0x84}},
         "brindlepath embedded host database",
         [](HostRef host) {
             auto database = host->createDatabase();
             return newDatabaseObject(std::move(host), std::move(database));
         }},
        {"ACTOLE.AUXCMDS",
         {0xd471c811, 0xc7fb, 0x4878, {0x8f, 0x57, 0x1d, 0x62, 0x02, 0xf3, 0x80, 0xda}},
         "brindlepath embedded host auxiliary commands",
         [](HostRef host) {
             auto commands = host->createAuxCmds();
             return newAuxCmdsObject(std::move(host), std::move(commands));
         }},
        {"ACTEVENTLib.ActEvent",
         {0x4c3329ab, 0x9668, 0x45e3, {0xac, 0x31, 0x65, 0x2d, 0xbe, 0xe8, 0xef, 0x69}},
         "brindlepath embedded host event control",
         [](HostRef host) {
             auto events = host->createEventControl();
             return newEventObject(std::move(host), std::move(events));
         }},
    }};
    return kClasses;
}

const ServerClass* findServerClass(REFCLSID clsid) {
    for (const ServerClass& candidate : serverClasses()) {
        if (::IsEqualCLSID(candidate.clsid, clsid)) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace bp::standin
