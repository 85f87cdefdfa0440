#pragma once
// How many contacts and sales records a run of the criteria would produce, counted against a
// host snapshot by the run's own steps: the conditions' check, the filter pipeline and, for a
// lookup, the lookup builder's choice of contacts. It runs on any thread and never calls the
// host.
//
// For a lookup the contacts are those the lookup would hold and the opportunities the sales
// records that matched; for a report or export the opportunities are its rows (one per
// matching sales record) and the contacts those rows belong to.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "criteria/Criteria.h"
#include "filter/HostSnapshot.h"

namespace bp::filter {

struct SelectionCount {
    enum class Outcome {
        Counted,
        Incomplete,  // a condition lacks what it needs: `message` says what, as a run would
        Failed,      // the filter engine stopped with an error: `message` is the run's
        Cancelled,   // newer criteria replaced these before the count ended
    };
    Outcome outcome = Outcome::Counted;
    std::uint64_t contacts = 0;
    std::uint64_t opportunities = 0;
    // For Incomplete and Failed, the message a run would show.
    std::string title;
    std::string message;
};

// `cancelled` is asked now and then; true ends the count as Cancelled.
SelectionCount countSelection(std::shared_ptr<const HostSnapshot> snapshot,
                              const std::string& programFolder,
                              const criteria::Criteria& criteria,
                              const std::function<bool()>& cancelled = {});

}  // namespace bp::filter
