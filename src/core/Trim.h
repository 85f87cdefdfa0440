#pragma once
// Blanks around a value: spaces and tabs, the characters the Windows program's conversions
// skip around a number and its definitions and host fields carry as padding.

#include <string_view>

namespace bp::core {

std::string_view trimmed(std::string_view text);

}  // namespace bp::core
