#pragma once
// Typed reads of staged definition keys for the settings dialogs. A definition file is plain
// text a user may have edited by hand, so a value that is not what its key holds reads as the
// catalogue default instead of stopping the dialog.

#include <optional>
#include <string>

#include "act/Session.h"

namespace bp::definitions {

// "1" and any other non-zero number, or "True": on. "0" or "False": off.
bool stagedFlag(const act::Session& session, const std::string& key);
// A whole number; text that is none reads as the key's default (0 when it has none).
long stagedNumber(const act::Session& session, const std::string& key);
// A decimal number written with "." or ","; others read as the key's default.
double stagedDecimal(const act::Session& session, const std::string& key);

// A whole number written as decimal digits (sign and surrounding blanks allowed), or nothing.
std::optional<long> wholeNumberOf(const std::string& text);

// How flags are written: "1" or "0".
std::string flagText(bool on);
// A font size as the definition keeps it: "8", "10.5" (the fraction is kept).
std::string decimalText(double value);

}  // namespace bp::definitions
