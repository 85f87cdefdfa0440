#pragma once
// The program's own name as the user sees it in every title and in the settings store.

#include <string_view>

namespace bp::platform {

// Title of every message box and window; error messages append " error".
inline constexpr std::string_view kAppTitle = "brindlepath";
// Application name under which the settings store keeps the program's sections.
inline constexpr std::string_view kAppName = "brindlepath";
// Printed in every error message so the user knows whom to tell.
inline constexpr std::string_view kSupportAddress = "support@brindlepath.example";

}  // namespace bp::platform
