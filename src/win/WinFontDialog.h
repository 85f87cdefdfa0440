#pragma once
// The desktop's font dialog with colour, underline and strike-through, and the conversion
// between the program's sizes in points and the system's font heights in pixels.

#include <windows.h>

#include <optional>

#include "forms/UiService.h"

namespace bp::win {

// The dots per inch fonts are measured in on the screen, as the font dialog measures them.
int screenDpi();
// The character height (negative, as LOGFONT takes it) of a font `points` tall.
LONG fontHeight(double points, int dpi);
double fontPoints(LONG height, int dpi);

// The chosen font, or an empty optional when the user cancelled. A font without a size opens
// at 10 points.
std::optional<forms::FontChoice> fontDialog(const forms::FontChoice& initial, HWND owner);

}  // namespace bp::win
