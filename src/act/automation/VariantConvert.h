#pragma once
// Every conversion between VARIANTs and the program's own values. Explicit and independent of
// the user's regional settings: numbers are read and written in fixed forms, never through
// the system's coercion, whose text forms follow the control panel.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <string>
#include <string_view>

#include "act/automation/ComPtr.h"
#include "act/automation/Variant.h"
#include "core/DateTime.h"
#include "platform/Locale.h"

namespace bp::automation {

// Text: a BSTR as UTF-8; empty and null as ""; integer and floating kinds as plain decimal
// text; a date as the host writes dates in the given regional settings (date and time,
// "3/14/2026 9:30:00 AM"), which is how the program reads every date the host gives. Other
// kinds raise kErrTypeMismatch.
std::string toText(const VARIANT& value, const platform::Locale& locale);
// The same under the user's current regional settings.
std::string toText(const VARIANT& value);
// The calendar date and time of an automation date (days since 12/30/1899; the fraction is the
// time of day, also for days before that date), to the nearest second; kErrOverflow outside
// the years 100 to 9999.
DateTime dateTimeOf(DATE value);
// An object reference; kErrObjectNotSet when the value holds none.
ComPtr<IDispatch> toObject(const VARIANT& value);
// Integer kinds, booleans (true is -1) and empty (0); kErrOverflow when out of range.
int toInt(const VARIANT& value);
// Booleans, integer kinds (non-zero is true) and empty (false).
bool toBool(const VARIANT& value);
// Floating and integer kinds, and empty (0).
double toDouble(const VARIANT& value);

Variant fromText(std::string_view utf8);
Variant fromInt(int value);
Variant fromBool(bool value);
Variant fromDouble(double value);

}  // namespace bp::automation
