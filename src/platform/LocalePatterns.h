#pragma once
// Shaping a locale database's patterns the way the host writes dates and times, whichever
// system's database they came from (RegionalSettings.h). Patterns use the Windows letters
// (d, M, y, h, H, m, s, tt).

#include <array>
#include <string>

#include "platform/LocaleData.h"

namespace bp::platform {

// No-break and narrow no-break spaces become plain ones: the host writes plain spaces.
std::string plainSpaces(std::string text);
// The pattern's year with four digits, as the Windows program writes dates.
std::string widenYear(std::string pattern);
// The short time with seconds added after the minutes: the host writes "9:30:00 AM".
std::string withSeconds(std::string pattern, const std::string& separator);
// The first character after the first run of `letters`, else `fallback`.
std::string firstSeparator(const std::string& pattern, const std::string& letters,
                           const char* fallback);
// The order of day, month and year in a date pattern (month, day, year when it has none).
std::array<Locale::Data::DatePart, 3> orderOf(const std::string& pattern);

}  // namespace bp::platform
