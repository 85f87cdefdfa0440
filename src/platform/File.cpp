// What File.h offers on top of each system's own file calls.

#include "platform/File.h"

#include <cstring>

namespace bp::platform {

std::string systemErrorText(int errnum) {
    switch (errnum) {
        case kErrnoNotRegularFile:
            return "not a regular file";
        case kErrnoFileTooLarge:
            return "the file is too large";
        default:
            return std::strerror(errnum);
    }
}

int readWholeFile(const std::string& path, std::uint64_t limit, std::string& text) {
    File file;
    if (!file.openForReading(path)) {
        return file.error();
    }
    std::optional<FileStamp> stamp = file.stamp();
    if (!stamp) {
        return file.error();
    }
    if (static_cast<std::uint64_t>(stamp->size) > limit) {
        return kErrnoFileTooLarge;
    }
    text.clear();
    text.reserve(static_cast<std::size_t>(stamp->size));
    char buffer[65536];
    for (;;) {
        std::int64_t n = file.read(buffer, sizeof buffer);
        if (n < 0) {
            return file.error();
        }
        if (n == 0) {
            return 0;
        }
        // The file may grow while it is read.
        if (text.size() + static_cast<std::uint64_t>(n) > limit) {
            return kErrnoFileTooLarge;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace bp::platform
