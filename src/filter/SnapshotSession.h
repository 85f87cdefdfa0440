#pragma once
// A session whose host is a snapshot: the filter engine and the lookup builder run against it
// unchanged, so a count takes the very steps a run takes, on any thread, with no host call.
// The snapshot answers the calls a selection makes; any other call raises an error.

#include <memory>
#include <string>

#include "act/Session.h"
#include "filter/HostSnapshot.h"

namespace bp::filter {

class SnapshotSession {
public:
    // `ui` hears the messages the filter engine gives; `programFolder` is the one the
    // snapshot's lookups were saved in.
    SnapshotSession(std::shared_ptr<const HostSnapshot> snapshot, std::string programFolder,
                    forms::UiService& ui);

    act::Session& session() { return session_; }

private:
    std::shared_ptr<const HostSnapshot> snapshot_;
    act::Session session_;
};

}  // namespace bp::filter
