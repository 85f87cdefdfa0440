#pragma once
// Windows: keeps a file open without sharing its deletion for the life of the object, as an
// editor or a virus scanner does. Until then the file can be neither deleted nor replaced, by
// anyone: the Windows way of a file that cannot go away.

#ifdef _WIN32

#include <windows.h>

#include <string>

#include "platform/WinText.h"

namespace bp::test {

class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : handle_(::CreateFileW(platform::toWide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() {
        if (active()) {
            ::CloseHandle(handle_);
        }
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

    bool active() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

}  // namespace bp::test

#endif
