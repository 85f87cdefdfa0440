#pragma once
// How a failed automation call reaches the rest of the program: always as bp::Error, with the
// member that failed and the reason in words.

// windows.h first: the COM headers rely on what it declares.
#include <windows.h>

#include <oaidl.h>

#include <string>
#include <string_view>

#include "platform/Error.h"

namespace bp::automation {

// The numbers the Windows program's own runtime gives these failures.
inline constexpr int kErrNoSuchMember = 438;

// A program id that no installed program registers: the start-up tells the user the host is
// not installed rather than showing a bare system error.
class NotRegisteredError : public Error {
public:
    using Error::Error;
};

// The system's words for an HRESULT, or its number in hex when the system has none.
std::string systemMessage(HRESULT hr);

// Raises "<what>: <system message>" numbered with the HRESULT itself.
[[noreturn]] void raiseFailure(std::string_view what, HRESULT hr);

// Raises the error an object reported through EXCEPINFO, in the object's own words and
// number, and frees the strings the object allocated. `what` stands in when the object gave
// no description.
[[noreturn]] void raiseException(std::string_view what, EXCEPINFO& info);

}  // namespace bp::automation
