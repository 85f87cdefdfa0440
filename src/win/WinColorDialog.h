#pragma once
// The desktop's colour dialog, fully open, with the custom colours the user mixed kept for
// the rest of the session.

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

namespace bp::win {

// The chosen colour as 0x00BBGGRR, or an empty optional when the user cancelled.
std::optional<std::uint32_t> colorDialog(std::uint32_t initial, HWND owner);

// The custom colours every colour dialog of this session starts with and adds to.
std::array<COLORREF, 16>& sessionCustomColors();

}  // namespace bp::win
