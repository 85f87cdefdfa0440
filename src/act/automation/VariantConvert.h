#pragma once
// Every conversion between VARIANTs and the program's own values. Explicit and independent of
// the user's regional settings: numbers are read and written in fixed forms, never through
// the system's coercion, whose text forms follow the control panel.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <string>
#include <string_view>

#include "act/automation/Variant.h"

namespace bp::automation {

// Text: a BSTR as UTF-8; empty and null as ""; integer and floating kinds as plain decimal
// text. Other kinds raise kErrTypeMismatch.
std::string toText(const VARIANT& value);
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
