#pragma once
// Names compared as the Windows program's platform compares them: without regard to case.

#include <string>
#include <string_view>

namespace bp::platform {

// ASCII letters folded directly (the common case, and fast); other text by Unicode folding.
std::string foldCase(std::string_view text);

}  // namespace bp::platform
