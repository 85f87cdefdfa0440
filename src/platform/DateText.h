#pragma once
// Dates and times to and from text under one locale's patterns (Windows pattern letters:
// d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH, m mm, s ss, t tt, 'quoted text').

#include <optional>
#include <string>
#include <string_view>

#include "core/DateTime.h"
#include "platform/LocaleData.h"

namespace bp::platform {

class DateText {
public:
    static std::string format(const Locale::Data& locale, std::string_view pattern,
                              const DateTime& value);
    // Accepts the regional date (with or without the year), a month name, ISO order
    // (year first), a time with or without seconds and AM/PM, or a time alone (on the
    // zero date 12/30/1899, as the Windows program does). Two-digit years 00-29 are 20xx.
    static std::optional<DateTime> parse(const Locale::Data& locale, std::string_view text);
};

}  // namespace bp::platform
