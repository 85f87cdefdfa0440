#pragma once
// Keeps a test on a FIFO from hanging when the code under test wrongly waits on it: after a
// grace period the watchdog opens the FIFO's writing end and closes it again, so a reader
// waiting in open() or read() sees an end of file and the test fails instead of hanging.
// POSIX only: the Windows kind of a FIFO is a named pipe (NamedPipe.h).

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace bp::test {

class FifoWatchdog {
public:
    explicit FifoWatchdog(std::string fifo)
        : fifo_(std::move(fifo)), thread_([this] { watch(); }) {}
    ~FifoWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::seconds(5), [this] { return done_; })) {
            int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }

    std::string fifo_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace bp::test
