#include "platform/FdIo.h"

#include <unistd.h>

#include <cerrno>

namespace bp::platform {

namespace {

// Reads one chunk; 0 at the end, -1 on a failure other than an interruption.
ssize_t readChunk(int fd, char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) {
            return n;
        }
    }
}

}  // namespace

bool readAll(int fd, std::string& text) {
    char buffer[65536];
    for (;;) {
        ssize_t n = readChunk(fd, buffer, sizeof buffer);
        if (n <= 0) {
            return n == 0;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool copyAll(int from, int to) {
    char buffer[65536];
    for (;;) {
        ssize_t n = readChunk(from, buffer, sizeof buffer);
        if (n <= 0) {
            return n == 0;
        }
        if (!writeAll(to, buffer, static_cast<std::size_t>(n))) {
            return false;
        }
    }
}

}  // namespace bp::platform
