#pragma once
// A mouse button pressed over a window control, handed to its model control as MouseDown
// (button, Shift/Ctrl/Alt state, and the point in the control's own pixels) before the
// control itself acts on the press, as the form's handlers expect.

#include <windows.h>

#include "forms/Control.h"

namespace bp::win {

// True when `message` was a button press and reached `control`.
bool forwardMouseDown(forms::Control& control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace bp::win
