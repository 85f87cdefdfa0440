#pragma once
// UTF-8 inside the program, UTF-16 at the Windows API: the one place that converts between
// them, and the one that turns a Windows error code into the error numbers the rest of the
// program maps to its messages (File.h). Paths for <filesystem> go through PathText.h.

#include <string>
#include <string_view>

namespace bp::platform {

// Invalid UTF-8 becomes U+FFFD rather than being dropped, so a bad name still fails visibly.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// The errno value closest to a Windows error code (GetLastError()).
int errnoFromWindows(unsigned long code);
// errnoFromWindows(GetLastError()).
int lastErrno();

}  // namespace bp::platform
