#pragma once
// The user's wall-clock fields for a moment, from whichever thread-safe conversion the
// system offers, so no other file needs to know which one that is.

#include <ctime>

namespace bp::core {

// The local calendar fields of `moment`; all zero when the system cannot convert it.
std::tm localTime(std::time_t moment);

}  // namespace bp::core
