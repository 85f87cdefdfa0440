#pragma once
// Text to value conversions with the Windows program's rules, under the user's current
// locale (or a given one, for loops that convert many texts):
//   CInt  16-bit integer, CLng 32-bit integer: from a regional number, halves rounded to
//         even (2.5 -> 2, 3.5 -> 4); out of range raises 6 "Overflow";
//   CBool "True"/"False" in any case, or a number (non-zero is true);
//   CDbl  a regional number ("1.234,5" under de_DE);
//   CDate a regional date, date and time, or time.
// Text that is no such value raises 13 "Type mismatch". Errors carry the caller's line, as
// the error message names the line of the routine that failed.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/DateTime.h"
#include "platform/Error.h"
#include "platform/Locale.h"

namespace bp::platform {

std::int16_t CInt(std::string_view text,
                  bp::SourceLine where = bp::SourceLine::current());
std::int16_t CInt(std::string_view text, const Locale& locale,
                  bp::SourceLine where = bp::SourceLine::current());
std::int16_t CInt(double value, bp::SourceLine where = bp::SourceLine::current());

std::int32_t CLng(std::string_view text,
                  bp::SourceLine where = bp::SourceLine::current());
std::int32_t CLng(std::string_view text, const Locale& locale,
                  bp::SourceLine where = bp::SourceLine::current());
std::int32_t CLng(double value, bp::SourceLine where = bp::SourceLine::current());

bool CBool(std::string_view text, bp::SourceLine where = bp::SourceLine::current());
bool CBool(std::string_view text, const Locale& locale,
           bp::SourceLine where = bp::SourceLine::current());

double CDbl(std::string_view text, bp::SourceLine where = bp::SourceLine::current());
double CDbl(std::string_view text, const Locale& locale,
            bp::SourceLine where = bp::SourceLine::current());

DateTime CDate(std::string_view text, bp::SourceLine where = bp::SourceLine::current());
DateTime CDate(std::string_view text, const Locale& locale,
               bp::SourceLine where = bp::SourceLine::current());

// A number as the host writes it ("1234.50": a "." before the decimals whatever the user's
// region), read under the regional settings; raises as CDbl does.
double CDblHost(std::string_view text, const Locale& locale,
                bp::SourceLine where = bp::SourceLine::current());

// Halves to the even neighbour, as every integer conversion of the Windows program rounds.
double roundHalfEven(double value);

// "20260314": compared as text, such keys order dates and ignore the time of day.
std::string formatYyyymmdd(const DateTime& value);

}  // namespace bp::platform
