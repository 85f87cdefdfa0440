#pragma once
// Names compared without regard to case, the same way in every list, key and report:
// "Ärger" and "ärger", "ÉMILE" and "émile" are one name. Simple Unicode case folding, one
// character to one, from the Unicode Character Database.

#include <string>
#include <string_view>

namespace bp::core {

// UTF-8 text folded; bytes that are no valid UTF-8 are kept as they are.
std::string foldCase(std::string_view text);
// Orders texts by their folded bytes: texts equal but for case compare as 0.
int compareNoCase(std::string_view a, std::string_view b);
bool equalNoCase(std::string_view a, std::string_view b);

}  // namespace bp::core
