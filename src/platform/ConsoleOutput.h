#pragma once
// Standard error as the user reads it. The program writes UTF-8; a Windows console shows
// bytes in its own code page, so there the text goes through the console's wide API. Written
// to a pipe or a file, the bytes leave unchanged on every system.

#include <cstddef>
#include <ostream>
#include <string_view>

namespace bp::platform {

std::ostream& errorOutput();

// Standard error is a terminal (a console on Windows) a person reads, not a pipe or a file:
// only there may a line be redrawn in place.
bool errorIsTerminal();

// How many leading bytes of `bytes` form whole UTF-8 characters: a character cut off at the
// end waits for the rest of its bytes. Bytes that can never complete one count as whole, so
// nothing is held back for ever.
std::size_t wholeUtf8Length(std::string_view bytes);

}  // namespace bp::platform
