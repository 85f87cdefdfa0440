#pragma once
// One running copy per user: a lock the system drops when the process ends in any way, a crash
// included, so no stale lock ever refuses a start. The POSIX implementation
// (PosixSingleInstance.cpp) locks a file in $XDG_RUNTIME_DIR, else in the temporary folder
// with the user id in its name; the Windows one (WinSingleInstance.cpp) holds a named mutex
// of the user's session, and takes the lock path as that mutex's name.

#include <string>

#include "platform/FileLock.h"

namespace bp::platform {

class SingleInstance {
public:
    enum class State {
        Acquired,       // this process is the one copy
        HeldElsewhere,  // another copy runs: refuse to start
        Unavailable,    // no lock could be made; the start goes on rather than be refused
    };

    explicit SingleInstance(std::string lockPath = defaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    State state() const { return state_; }
    // The Windows program's previous-instance test.
    bool PrevInstance() const { return state_ == State::HeldElsewhere; }

    static std::string defaultLockPath();

private:
    State state_ = State::Unavailable;
    FileLock lock_;
    void* mutex_ = nullptr;  // Windows: the named mutex's handle while this copy holds it
};

}  // namespace bp::platform
