#pragma once
// A pipe with a file name, for checking that a reader refuses it instead of waiting on it: a
// FIFO in the given folder on Linux, a named pipe (\\.\pipe\...) on Windows. Nobody ever
// writes to it; after a grace period its writing end is let go, so a reader that wrongly
// waits sees an end of file and the test fails instead of hanging.

#ifdef _WIN32
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#include "platform/WinText.h"
#else
#include <sys/stat.h>

#include <memory>

#include "support/FifoWatchdog.h"
#endif

#include <filesystem>
#include <string>

namespace bp::sim::test {

#ifdef _WIN32

class TestPipe {
public:
    explicit TestPipe(const std::filesystem::path& /*folder*/) {
        std::random_device random;
        path_ = "\\\\.\\pipe\\bp-test-" + std::to_string(random());
        server_ = ::CreateNamedPipeW(platform::toWide(path_).c_str(), PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
        if (server_ != INVALID_HANDLE_VALUE) {
            thread_ = std::thread([this] { watch(); });
        }
    }
    ~TestPipe() {
        if (server_ == INVALID_HANDLE_VALUE) {
            return;
        }
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
        ::CloseHandle(server_);
    }
    TestPipe(const TestPipe&) = delete;
    TestPipe& operator=(const TestPipe&) = delete;

    bool made() const { return server_ != INVALID_HANDLE_VALUE; }
    const std::string& path() const { return path_; }

private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) {
            ::DisconnectNamedPipe(server_);
        }
    }

    std::string path_;
    HANDLE server_ = INVALID_HANDLE_VALUE;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

#else

class TestPipe {
public:
    explicit TestPipe(const std::filesystem::path& folder) : path_((folder / "pipe").string()) {
        if (::mkfifo(path_.c_str(), 0600) == 0) {
            watchdog_ = std::make_unique<bp::test::FifoWatchdog>(path_);
        }
    }

    bool made() const { return watchdog_ != nullptr; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::unique_ptr<bp::test::FifoWatchdog> watchdog_;
};

#endif

}  // namespace bp::sim::test
