#pragma once
// An exclusive lock on a lock file, shared between processes and dropped by the system when
// its holder ends in any way, a crash included. One implementation per system
// (PosixFileLock.cpp, WinFileLock.cpp).

#include <string>

namespace bp::platform {

class FileLock {
public:
    FileLock() = default;
    ~FileLock();  // closes the lock file, which releases any lock held
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Opens (creating it when missing) the lock file; false with error() on a failure.
    bool open(const std::string& path);
    bool isOpen() const { return handle_ >= 0; }
    // Waits for the lock.
    bool lock();
    // False at once when another holder has it; heldElsewhere() then tells that case apart.
    bool tryLock();
    void unlock();

    int error() const { return error_; }
    bool heldElsewhere() const { return heldElsewhere_; }

private:
    int handle_ = -1;
    int error_ = 0;
    bool heldElsewhere_ = false;
};

}  // namespace bp::platform
