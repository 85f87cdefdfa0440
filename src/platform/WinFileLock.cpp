#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>

#include "platform/FileLock.h"
#include "platform/WinDescriptor.h"
#include "platform/WinText.h"

// The lock is a byte-range lock on the lock file's first byte, held through a handle that
// programs started from here do not inherit; Windows drops it when the handle closes or the
// holder ends.

namespace bp::platform {

namespace {

bool lockFirstByte(int descriptor, DWORD flags) {
    OVERLAPPED at{};
    return ::LockFileEx(handleOf(descriptor), flags | LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at);
}

}  // namespace

FileLock::~FileLock() {
    if (handle_ >= 0) {
        ::_close(handle_);
    }
}

bool FileLock::open(const std::string& path) {
    HANDLE handle = ::CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error_ = lastErrno();
        return false;
    }
    handle_ = adoptHandle(handle, 0, error_);
    return handle_ >= 0;
}

bool FileLock::lock() {
    if (!lockFirstByte(handle_, 0)) {
        error_ = lastErrno();
        return false;
    }
    return true;
}

bool FileLock::tryLock() {
    if (lockFirstByte(handle_, LOCKFILE_FAIL_IMMEDIATELY)) {
        return true;
    }
    DWORD code = ::GetLastError();
    heldElsewhere_ = code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING;
    error_ = heldElsewhere_ ? EWOULDBLOCK : errnoFromWindows(code);
    return false;
}

void FileLock::unlock() {
    OVERLAPPED at{};
    ::UnlockFileEx(handleOf(handle_), 0, 1, 0, &at);
}

}  // namespace bp::platform
