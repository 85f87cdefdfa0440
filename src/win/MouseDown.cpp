#include "win/MouseDown.h"

#include <windowsx.h>

namespace bp::win {
namespace {

// Shift 1, Ctrl 2, Alt 4, as the form's MouseDown handlers take them.
int shiftState(WPARAM keys) {
    int shift = 0;
    if ((keys & MK_SHIFT) != 0) {
        shift |= 1;
    }
    if ((keys & MK_CONTROL) != 0) {
        shift |= 2;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= 4;
    }
    return shift;
}

}  // namespace

bool forwardMouseDown(forms::Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    forms::MouseButton button{};
    switch (message) {
        case WM_LBUTTONDOWN:
            button = forms::MouseButton::Left;
            break;
        case WM_RBUTTONDOWN:
            button = forms::MouseButton::Right;
            break;
        case WM_MBUTTONDOWN:
            button = forms::MouseButton::Middle;
            break;
        default:
            return false;
    }
    control.mouseDown(button, shiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return true;
}

}  // namespace bp::win
