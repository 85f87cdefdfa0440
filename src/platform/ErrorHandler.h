#pragma once
// The common error handler: every routine runs under it. On an error the user sees one
// message box (no icon, OK only) titled "brindlepath error":
//
//   Error 13: 'Type mismatch'
//   in frmMain: Sub cmdOK_Click - Line # 412
//
//   Please contact support@brindlepath.example with this error message.
//
// (lines joined by "\r"), and the routine returns normally with whatever it had built.

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "forms/UiService.h"
#include "platform/Error.h"

namespace bp::platform {

enum class RoutineKind { Sub, Function };

// Names as the message prints them: module ("frmMain") and routine ("cmdOK_Click").
struct Routine {
    std::string_view module;
    std::string_view name;
    RoutineKind kind = RoutineKind::Sub;
};

struct ErrorReport {
    int number = 0;
    std::string description;
    int line = 0;
};

// What an exception tells the user; errors that are not bp::Error get a fitting number.
ErrorReport reportOf(const std::exception_ptr& error);

// The message text; `details` (lines joined by "\r") go between the line number and the
// closing request, each side separated by an empty line.
std::string errorMessageText(const ErrorReport& report, const Routine& routine,
                             std::string_view details = {});

// How many errors have been shown since the program started. A window compares the count
// before and after its load to tell a load that restored everything from one that did not.
std::uint64_t reportedErrorCount();

// Shows the message through the UI service.
void showError(forms::UiService& ui, const ErrorReport& report, const Routine& routine,
               std::string_view details = {});

// The library routines' own report, shown before they pass the error on to their caller:
// titled "Error in Library1: Function Update_DefFile", the description, an empty line and
// "(Error #75)".
void showLibraryError(forms::UiService& ui, const ErrorReport& report, const Routine& routine);

// Runs `body`; on any exception shows the message and returns false.
bool guarded(forms::UiService& ui, const Routine& routine, const std::function<void()>& body);

// The same, with extra lines computed when the error happens (values of the moment).
bool guarded(forms::UiService& ui, const Routine& routine, const std::function<void()>& body,
             const std::function<std::string()>& details);

}  // namespace bp::platform
