#pragma once
// Keeps a file from being deleted for the life of the object, even for root (the tests run
// as root, where permissions do not stop a delete): the file is made immutable, or, where
// the file system cannot do that and the tests do not run as root, its folder read-only.
// On Windows the file is held open without sharing its deletion, as a program using it does.

#ifdef _WIN32

#include <string>

#include "support/HeldOpen.h"

namespace bp::reports::test {

class Undeletable {
public:
    explicit Undeletable(const std::string& path) : held_(path) {}

    bool active() const { return held_.active(); }

private:
    bp::test::HeldOpen held_;
};

}  // namespace bp::reports::test

#else

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace bp::reports::test {

class Undeletable {
public:
    explicit Undeletable(std::string path) : path_(std::move(path)) {
        if (setImmutable(true)) {
            how_ = How::Immutable;
        } else if (::geteuid() != 0) {
            folder_ = std::filesystem::path(path_).parent_path().string();
            if (::chmod(folder_.c_str(), 0555) == 0) {
                how_ = How::ReadOnlyFolder;
            }
        }
    }
    ~Undeletable() {
        if (how_ == How::Immutable) {
            setImmutable(false);
        } else if (how_ == How::ReadOnlyFolder) {
            ::chmod(folder_.c_str(), 0755);
        }
    }
    Undeletable(const Undeletable&) = delete;
    Undeletable& operator=(const Undeletable&) = delete;

    // False when neither way is available here; the test is then skipped.
    bool active() const { return how_ != How::None; }

private:
    enum class How { None, Immutable, ReadOnlyFolder };

    bool setImmutable(bool on) {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    std::string path_;
    std::string folder_;
    How how_ = How::None;
};

}  // namespace bp::reports::test

#endif
