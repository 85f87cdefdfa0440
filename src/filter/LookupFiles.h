#pragma once
// The lookup files the filter keeps in the program folder.

namespace bp::filter {

// The host's lookup as it stood when the program started, saved by start-up.
inline constexpr const char* kStartupLookupFile = "~currentLU.lku";
// The host's lookup as it stands now, saved when a selection is limited to it.
inline constexpr const char* kCurrentLookupFile = "temp.lku";

}  // namespace bp::filter
