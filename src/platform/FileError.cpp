#include "platform/FileError.h"

#include <cerrno>

#include "platform/Error.h"
#include "platform/File.h"

namespace bp::platform {

std::string standardErrorText(int number) {
    switch (number) {
        case kErrInvalidCall:
            return "Invalid procedure call or argument";
        case kErrOverflow:
            return "Overflow";
        case kErrOutOfMemory:
            return "Out of memory";
        case kErrSubscript:
            return "Subscript out of range";
        case kErrTypeMismatch:
            return "Type mismatch";
        case kErrInternal:
            return "Internal error";
        case kErrFileNotFound:
            return "File not found";
        case kErrDeviceIO:
            return "Device I/O error";
        case kErrFileExists:
            return "File already exists";
        case kErrDiskFull:
            return "Disk full";
        case kErrPermissionDenied:
            return "Permission denied";
        case kErrPathFileAccess:
            return "Path/File access error";
        case kErrPathNotFound:
            return "Path not found";
        case kErrObjectNotSet:
            return "Object variable or With block variable not set";
        default:
            return "Application-defined or object-defined error";
    }
}

int fileErrorNumber(int errnum) {
    switch (errnum) {
        case ENOENT:
            return kErrFileNotFound;
        case EEXIST:
        case ENOTEMPTY:
            return kErrFileExists;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return kErrPermissionDenied;
        case ENOTDIR:
            return kErrPathNotFound;
        default:
            return kErrPathFileAccess;
    }
}

void raiseFileError(int number, std::string_view path, int errnum, bp::SourceLine where) {
    std::string description = standardErrorText(number);
    description += " (";
    description += path;
    if (errnum != 0) {
        description += ": ";
        description += systemErrorText(errnum);
    }
    description += ")";
    throw Error(number, std::move(description), where);
}

}  // namespace bp::platform
