#pragma once
// Windows: a named pipe (\\.\pipe\...) served for the life of the object, the Windows kind of
// a FIFO. Nothing is ever written to it; a reader that wrongly waits on it is cut off after a
// grace period (the server drops the connection, the reader sees a broken pipe), so a test
// on it fails instead of hanging.

#ifdef _WIN32

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/WinText.h"

namespace bp::test {

class NamedPipe {
public:
    NamedPipe()
        : path_("\\\\.\\pipe\\bp-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(::GetTickCount64())),
          server_(::CreateNamedPipeW(platform::toWide(path_).c_str(), PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr)),
          thread_([this] { watch(); }) {}
    ~NamedPipe() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
        if (active()) {
            ::CloseHandle(server_);
        }
    }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    bool active() const { return server_ != INVALID_HANDLE_VALUE; }
    const std::string& path() const { return path_; }

private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) {
            if (active()) {
                ::DisconnectNamedPipe(server_);
            }
        }
    }

    std::string path_;
    HANDLE server_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace bp::test

#endif
