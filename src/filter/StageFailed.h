#pragma once
// An error inside a filter routine shows the common error message once, where it happened,
// and then stops the whole run: a lookup, report or export built from the records collected
// up to the error would look like a complete answer and be wrong.
//
// runRoutine() runs a routine's body under the common error handler; on a failure it shows
// the message naming that routine and throws StageFailed, which outer routines pass on
// without showing anything more.

#include <exception>
#include <utility>

#include "core/Progress.h"
#include "forms/UiService.h"
#include "platform/ErrorHandler.h"

namespace bp::filter {

class StageFailed : public std::exception {
public:
    const char* what() const noexcept override { return "filter stage failed"; }
};

template <typename Body>
auto runRoutine(forms::UiService& ui, const platform::Routine& routine, Body&& body)
    -> decltype(body()) {
    try {
        return std::forward<Body>(body)();
    } catch (const StageFailed&) {
        throw;
    } catch (const core::Cancelled&) {
        throw;
    } catch (...) {
        platform::showError(ui, platform::reportOf(std::current_exception()), routine);
        throw StageFailed();
    }
}

}  // namespace bp::filter
