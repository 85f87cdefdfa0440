#pragma once
// Turns a failed system call on a file into the error the user is shown, with the numbers
// and texts the Windows program used, and the path, so the user can tell which file it was.

#include <string>
#include <string_view>

#include "platform/Error.h"

namespace bp::platform {

// The Windows program's text for an error number ("File not found" for 53).
std::string standardErrorText(int number);

// The number for a failed call: 53, 58, 70, 76 where the cause fits, otherwise 75.
int fileErrorNumber(int errnum);

[[noreturn]] void raiseFileError(int number, std::string_view path, int errnum,
                                 bp::SourceLine where = bp::SourceLine::current());

}  // namespace bp::platform
