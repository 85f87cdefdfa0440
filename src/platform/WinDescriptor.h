#pragma once
// Files and lock files are opened with CreateFileW and kept as a C runtime descriptor that
// wraps the handle, so they hold one integer on every system; closing the descriptor closes
// the handle. Included only by the Windows implementations.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>

namespace bp::platform {

inline HANDLE handleOf(int descriptor) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
}

// The descriptor now owning `handle`, or -1 with `error` set (the handle is then closed).
inline int adoptHandle(HANDLE handle, int flags, int& error) {
    int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (descriptor < 0) {
        ::CloseHandle(handle);
        error = EMFILE;
    }
    return descriptor;
}

}  // namespace bp::platform
