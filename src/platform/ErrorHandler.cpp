#include "platform/ErrorHandler.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <new>
#include <stdexcept>

#include "core/Progress.h"
#include "platform/AppInfo.h"
#include "platform/FileError.h"

namespace bp::platform {

namespace {

// Counts run off the user-interface thread and report their errors to a window of their own.
std::atomic<std::uint64_t> reportedErrors{0};

ErrorReport standardReport(int number, const char* what) {
    std::string description = what != nullptr && *what != '\0' ? what : standardErrorText(number);
    return ErrorReport{number, std::move(description), 0};
}

}  // namespace

ErrorReport reportOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return ErrorReport{e.number(), e.description(), e.line()};
    } catch (const std::bad_alloc&) {
        return standardReport(kErrOutOfMemory, nullptr);
    } catch (const std::filesystem::filesystem_error& e) {
        return standardReport(fileErrorNumber(e.code().value()), e.what());
    } catch (const std::out_of_range& e) {
        return standardReport(kErrSubscript, e.what());
    } catch (const std::overflow_error& e) {
        return standardReport(kErrOverflow, e.what());
    } catch (const std::invalid_argument& e) {
        return standardReport(kErrInvalidCall, e.what());
    } catch (const std::exception& e) {
        return standardReport(kErrInternal, e.what());
    } catch (...) {
        return standardReport(kErrInternal, nullptr);
    }
}

std::string errorMessageText(const ErrorReport& report, const Routine& routine,
                             std::string_view details) {
    std::string text = "Error " + std::to_string(report.number) + ": '" + report.description +
                       "'\rin " + std::string(routine.module) +
                       (routine.kind == RoutineKind::Sub ? ": Sub " : ": Function ") +
                       std::string(routine.name) + " - Line # " + std::to_string(report.line);
    if (!details.empty()) {
        text += "\r\r";
        text += details;
    }
    text += "\r\rPlease contact " + std::string(kSupportAddress) + " with this error message.";
    return text;
}

std::uint64_t reportedErrorCount() {
    return reportedErrors;
}

void showError(forms::UiService& ui, const ErrorReport& report, const Routine& routine,
               std::string_view details) {
    ++reportedErrors;
    forms::MessageRequest request;
    request.title = std::string(kAppTitle) + " error";
    request.text = errorMessageText(report, routine, details);
    request.buttons = forms::MsgButtons::OK;
    request.icon = forms::MsgIcon::None;
    ui.message(request);
}

void showLibraryError(forms::UiService& ui, const ErrorReport& report, const Routine& routine) {
    ++reportedErrors;
    forms::MessageRequest request;
    request.title = "Error in " + std::string(routine.module) +
                    (routine.kind == RoutineKind::Sub ? ": Sub " : ": Function ") +
                    std::string(routine.name);
    request.text = report.description + "\r\r(Error #" + std::to_string(report.number) + ")";
    request.buttons = forms::MsgButtons::OK;
    request.icon = forms::MsgIcon::None;
    ui.message(request);
}

bool guarded(forms::UiService& ui, const Routine& routine, const std::function<void()>& body) {
    return guarded(ui, routine, body, {});
}

bool guarded(forms::UiService& ui, const Routine& routine, const std::function<void()>& body,
             const std::function<std::string()>& details) {
    try {
        body();
        return true;
    } catch (const core::Cancelled&) {
        throw;  // not an error: the run's caller ends the run quietly
    } catch (...) {
        ErrorReport report = reportOf(std::current_exception());
        std::string extra;
        if (details) {
            try {
                extra = details();
            } catch (...) {
                extra.clear();  // the message itself must always come through
            }
        }
        showError(ui, report, routine, extra);
        return false;
    }
}

}  // namespace bp::platform
