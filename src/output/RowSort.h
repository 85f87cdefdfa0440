#pragma once
// Orders the results list by the first section's column: texts without regard to case,
// dates by their regional date, numbers by their rounded whole value. Each row's key is read
// once, and rows with equal keys keep their order.

#include <string>

#include "forms/ListView.h"

namespace bp::output {

// `type` is the section's "SortType": "S", "D" or "N"; anything else leaves the rows as they are.
void sortByFirstSection(forms::ListView& list, int column, const std::string& type,
                        bool descending);

}  // namespace bp::output
