#include "platform/SingleInstance.h"

#include <cstdlib>
#include <filesystem>

#include "platform/UserAccount.h"

namespace bp::platform {

SingleInstance::SingleInstance(std::string lockPath) {
    if (!lock_.open(lockPath)) {
        return;
    }
    if (lock_.tryLock()) {
        state_ = State::Acquired;
    } else {
        state_ = lock_.heldElsewhere() ? State::HeldElsewhere : State::Unavailable;
    }
}

// Closing the lock file releases the lock; the file stays for the next start.
SingleInstance::~SingleInstance() = default;

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
    return (temp / ("brindlepath-" + userId() + ".lock")).string();
}

}  // namespace bp::platform
