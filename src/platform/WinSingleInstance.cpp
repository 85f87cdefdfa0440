#include <windows.h>

#include "platform/SingleInstance.h"
#include "platform/UserAccount.h"
#include "platform/WinText.h"

namespace bp::platform {

namespace {

// A kernel object's name may not hold a backslash after its namespace; "Local\" keeps it to
// the user's own session.
std::wstring mutexName(const std::string& lockPath) {
    std::wstring name = toWide(lockPath);
    for (wchar_t& c : name) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    return L"Local\\" + name.substr(0, MAX_PATH - 6);
}

}  // namespace

SingleInstance::SingleInstance(std::string lockPath) {
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, mutexName(lockPath).c_str());
    if (mutex == nullptr) {
        // A name taken by another kind of object, or no rights to it: start rather than refuse.
        return;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        // Holding on to it would keep the mutex alive after the first copy ends.
        ::CloseHandle(mutex);
        state_ = State::HeldElsewhere;
        return;
    }
    mutex_ = mutex;
    state_ = State::Acquired;
}

// The mutex disappears with its last handle, also when the process ends by a crash.
SingleInstance::~SingleInstance() {
    if (mutex_ != nullptr) {
        ::CloseHandle(static_cast<HANDLE>(mutex_));
    }
}

std::string SingleInstance::defaultLockPath() {
    return "brindlepath-" + userId();
}

}  // namespace bp::platform
