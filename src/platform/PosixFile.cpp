#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/File.h"

namespace bp::platform {

namespace {

FileStamp stampFrom(const struct stat& info) {
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.mtimeNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000LL +
                    static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    stamp.permissions = static_cast<int>(info.st_mode & 07777);
    stamp.regular = S_ISREG(info.st_mode);
    stamp.folder = S_ISDIR(info.st_mode);
    return stamp;
}

}  // namespace

std::optional<FileStamp> stampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return stampFrom(info);
}

File::~File() {
    if (handle_ >= 0) {
        ::close(handle_);
    }
}

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), error_(other.error_) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0) {
            ::close(handle_);
        }
        handle_ = std::exchange(other.handle_, -1);
        error_ = other.error_;
    }
    return *this;
}

bool File::fail() {
    error_ = errno;
    return false;
}

bool File::openForReading(const std::string& path) {
    // Non-blocking, so opening a FIFO with no writer returns at once; the type check below
    // then refuses it before any read could wait.
    handle_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (handle_ < 0) {
        return fail();
    }
    struct stat info {};
    if (::fstat(handle_, &info) != 0) {
        fail();
        close();
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(std::exchange(handle_, -1));
        error_ = kErrnoNotRegularFile;
        return false;
    }
    int flags = ::fcntl(handle_, F_GETFL);
    if (flags >= 0) {
        ::fcntl(handle_, F_SETFL, flags & ~O_NONBLOCK);
    }
    return true;
}

bool File::createNew(const std::string& path, int permissions) {
    handle_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                     static_cast<mode_t>(permissions));
    return handle_ >= 0 || fail();
}

std::int64_t File::read(char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(handle_, buffer, size);
        if (n >= 0) {
            return n;
        }
        if (errno != EINTR) {
            fail();
            return -1;
        }
    }
}

bool File::write(std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(handle_, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail();
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool File::setPermissions(int permissions) {
    return ::fchmod(handle_, static_cast<mode_t>(permissions)) == 0 || fail();
}

bool File::sync() {
    return ::fdatasync(handle_) == 0 || fail();
}

std::optional<FileStamp> File::stamp() {
    struct stat info {};
    if (::fstat(handle_, &info) != 0) {
        fail();
        return std::nullopt;
    }
    return stampFrom(info);
}

bool File::close() {
    if (handle_ < 0) {
        return true;
    }
    // The descriptor is gone after close() even when it reports a failure: never retry.
    return ::close(std::exchange(handle_, -1)) == 0 || fail();
}

int replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int renameWithoutReplacing(const std::string& from, const std::string& to) {
    int rc = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (rc != 0 && errno == EINVAL) {
        rc = ::rename(from.c_str(), to.c_str());  // file system without NOREPLACE
    }
    return rc == 0 ? 0 : errno;
}

int removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int linkFile(const std::string& existing, const std::string& newName) {
    return ::link(existing.c_str(), newName.c_str()) == 0 ? 0 : errno;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace bp::platform
