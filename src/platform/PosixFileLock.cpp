#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileLock.h"

namespace bp::platform {

FileLock::~FileLock() {
    if (handle_ >= 0) {
        ::close(handle_);
    }
}

bool FileLock::open(const std::string& path) {
    // Close-on-exec: a program started from here must not keep the lock alive after the
    // holder has ended.
    handle_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (handle_ < 0) {
        error_ = errno;
        return false;
    }
    return true;
}

bool FileLock::lock() {
    while (::flock(handle_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            error_ = errno;
            return false;
        }
    }
    return true;
}

bool FileLock::tryLock() {
    int rc = 0;
    do {
        rc = ::flock(handle_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        error_ = errno;
        heldElsewhere_ = errno == EWOULDBLOCK;
    }
    return rc == 0;
}

void FileLock::unlock() {
    ::flock(handle_, LOCK_UN);
}

}  // namespace bp::platform
