#pragma once
// How a system dialog that could not be shown reaches the rest of the program: as bp::Error,
// naming the dialog and the system's reason, so the user never mistakes it for a cancel.

#include <windows.h>

#include <string>
#include <string_view>

namespace bp::win {

// The system's words for an HRESULT, with its number in hex.
std::string hresultText(HRESULT hr);
// The words for a CommDlgExtendedError() code, which the system's message table lacks.
std::string commonDialogText(DWORD code);

[[noreturn]] void raiseDialogFailure(std::string_view dialog, HRESULT hr);
[[noreturn]] void raiseCommonDialogFailure(std::string_view dialog, DWORD code);

}  // namespace bp::win
