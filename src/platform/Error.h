#pragma once
// The one error type that crosses layers. It carries what the user is shown: the number,
// the description and the source line where it was raised. Only the common error handler
// (ErrorHandler.h) turns it into a message.

#include <stdexcept>
#include <string>

namespace bp {

// The line an error is raised on, taken at the caller as std::source_location takes it. The
// fuzzing build's clang 14 has no std::source_location with this standard library; both
// compilers have the builtin.
class SourceLine {
public:
    static constexpr SourceLine current(unsigned line = __builtin_LINE()) {
        return SourceLine(line);
    }
    constexpr unsigned line() const { return line_; }

private:
    constexpr explicit SourceLine(unsigned line) : line_(line) {}
    unsigned line_;
};

// Numbers the user sees; the Windows program's own where one exists.
enum ErrorNumber : int {
    kErrInvalidCall = 5,
    kErrOverflow = 6,
    kErrOutOfMemory = 7,
    kErrSubscript = 9,
    kErrTypeMismatch = 13,
    kErrInternal = 51,
    kErrFileNotFound = 53,
    kErrDeviceIO = 57,
    kErrFileExists = 58,
    kErrDiskFull = 61,
    kErrPermissionDenied = 70,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    kErrObjectNotSet = 91,
    kErrCannotCreateObject = 429,  // no program answers to a host object's program id
};

class Error : public std::runtime_error {
public:
    Error(int number, std::string description, SourceLine where = SourceLine::current())
        : std::runtime_error(description),
          number_(number),
          description_(std::move(description)),
          line_(static_cast<int>(where.line())) {}

    int number() const { return number_; }
    const std::string& description() const { return description_; }
    int line() const { return line_; }

private:
    int number_;
    std::string description_;
    int line_;
};

[[noreturn]] inline void raise(int number, std::string description,
                               SourceLine where = SourceLine::current()) {
    throw Error(number, std::move(description), where);
}

}  // namespace bp
