#pragma once
// The type code of a report field, as a section's "SortType" stores it: "S" text, "N" number,
// "D" date, or "" for a type the report cannot sort by.

#include <string>

#include "act/Session.h"

namespace bp::definitions {

// The code for a host type number.
std::string typeCodeOf(int hostType);

// The field-type rule for a report field ID. A custom column (994 to 999) asks the type of the
// contact field its slot names, so a section sorted by a custom date field sorts as a date; an
// empty slot gives "".
std::string GetFieldType(act::Session& session, int fieldId);

}  // namespace bp::definitions
