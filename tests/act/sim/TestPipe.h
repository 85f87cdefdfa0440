#pragma once
// A pipe with a file name, for checking that a reader refuses it instead of waiting on it: a
// FIFO in the given folder on Linux, a named pipe (\\.\pipe\...) on Windows. Nobody ever
// writes to it; after a grace period its writing end is let go, so a reader that wrongly
// waits sees an end of file and the test fails instead of hanging.

#ifdef _WIN32
#include "support/NamedPipe.h"
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
    explicit TestPipe(const std::filesystem::path& /*folder*/) {}

    bool made() const { return pipe_.active(); }
    const std::string& path() const { return pipe_.path(); }

private:
    bp::test::NamedPipe pipe_;
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
