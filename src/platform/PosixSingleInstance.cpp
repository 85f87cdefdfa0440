#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace bp::platform {

SingleInstance::SingleInstance(std::string lockPath) {
    // Close-on-exec: a spreadsheet or opener started from here must not keep the lock alive
    // after the program has ended.
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        return;
    }
    int rc = 0;
    do {
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        state_ = State::Acquired;
    } else {
        state_ = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
    }
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock; the file stays for the next start
    }
}

std::string SingleInstance::defaultLockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    if (runtime != nullptr && *runtime == '/' && std::filesystem::is_directory(runtime, ec)) {
        return std::string(runtime) + "/brindlepath.lock";
    }
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec) {
        temp = "/tmp";
    }
    return (temp / ("brindlepath-" + std::to_string(::getuid()) + ".lock")).string();
}

}  // namespace bp::platform
