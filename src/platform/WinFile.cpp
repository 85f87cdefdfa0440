#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <utility>

#include "platform/File.h"
#include "platform/WinDescriptor.h"
#include "platform/WinText.h"

namespace bp::platform {

namespace {

// 100 ns ticks since 1601 to nanoseconds since 1970.
std::int64_t unixNanoseconds(const FILETIME& time) {
    constexpr std::int64_t kTicksTo1970 = 116444736000000000LL;
    std::int64_t ticks =
        (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (ticks - kTicksTo1970) * 100;
}

FileStamp stampFrom(const BY_HANDLE_FILE_INFORMATION& info) {
    FileStamp stamp;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) |
                                           info.nFileSizeLow);
    stamp.mtimeNs = unixNanoseconds(info.ftLastWriteTime);
    stamp.folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    stamp.regular = !stamp.folder && (info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
    stamp.permissions = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
    return stamp;
}

std::optional<FileStamp> stampOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        // A device (NUL, CON) or a pipe has no file information, yet it is there: neither a
        // regular file nor a folder, as /dev/null is on Linux.
        DWORD type = ::GetFileType(handle);
        if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
            return FileStamp{};
        }
        return std::nullopt;
    }
    return stampFrom(info);
}

bool isFolder(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::optional<FileStamp> stampOf(const std::string& path) {
    // Backup semantics let a folder be opened for its attributes.
    HANDLE handle = ::CreateFileW(toWide(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::optional<FileStamp> stamp = stampOfHandle(handle);
    ::CloseHandle(handle);
    return stamp;
}

File::~File() {
    if (handle_ >= 0) {
        ::_close(handle_);
    }
}

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), error_(other.error_) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0) {
            ::_close(handle_);
        }
        handle_ = std::exchange(other.handle_, -1);
        error_ = other.error_;
    }
    return *this;
}

bool File::fail() {
    error_ = lastErrno();
    return false;
}

bool File::openForReading(const std::string& path) {
    std::wstring wide = toWide(path);
    // Sharing everything, so a reader never stops a writer from replacing the file.
    HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fail();
        if (isFolder(wide)) {
            error_ = kErrnoNotRegularFile;
        }
        return false;
    }
    // Pipes and devices (CON, NUL, COM1) are refused before any read could wait on them.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        error_ = kErrnoNotRegularFile;
        return false;
    }
    handle_ = adoptHandle(handle, _O_RDONLY, error_);
    return handle_ >= 0;
}

bool File::createNew(const std::string& path, int /*permissions*/) {
    // Windows files carry no POSIX mode: a new file takes the access rules of its folder.
    HANDLE handle = ::CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return fail();
    }
    handle_ = adoptHandle(handle, 0, error_);
    return handle_ >= 0;
}

std::int64_t File::read(char* buffer, std::size_t size) {
    DWORD done = 0;
    DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!::ReadFile(handleOf(handle_), buffer, wanted, &done, nullptr)) {
        fail();
        return -1;
    }
    return done;
}

bool File::write(std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        std::size_t left = data.size() - done;
        DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!::WriteFile(handleOf(handle_), data.data() + done, chunk, &written, nullptr)) {
            return fail();
        }
        done += written;
    }
    return true;
}

// Only the read-only attribute maps to a mode; the rest of the access rules come from the
// folder, so a mode with the owner's write bit set changes nothing.
bool File::setPermissions(int permissions) {
    if ((permissions & 0200) != 0) {
        return true;
    }
    FILE_BASIC_INFO info{};
    HANDLE handle = handleOf(handle_);
    if (!::GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info)) {
        return fail();
    }
    info.FileAttributes |= FILE_ATTRIBUTE_READONLY;
    return ::SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info) || fail();
}

bool File::sync() {
    HANDLE handle = handleOf(handle_);
    if (::FlushFileBuffers(handle)) {
        return true;
    }
    if (::GetLastError() != ERROR_ACCESS_DENIED) {
        return fail();
    }
    // Windows flushes only through a handle that may write: a file opened for reading (one
    // written through its path by another writer) is flushed through a second handle.
    HANDLE writer = ::ReOpenFile(handle, GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (writer == INVALID_HANDLE_VALUE) {
        return fail();
    }
    bool flushed = ::FlushFileBuffers(writer) || fail();
    ::CloseHandle(writer);
    return flushed;
}

std::optional<FileStamp> File::stamp() {
    std::optional<FileStamp> stamp = stampOfHandle(handleOf(handle_));
    if (!stamp) {
        fail();
    }
    return stamp;
}

bool File::close() {
    if (handle_ < 0) {
        return true;
    }
    if (::_close(std::exchange(handle_, -1)) != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

int replaceFile(const std::string& from, const std::string& to) {
    // Write-through: the rename is on the disk when the call returns.
    return ::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : lastErrno();
}

int renameWithoutReplacing(const std::string& from, const std::string& to) {
    return ::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_WRITE_THROUGH)
               ? 0
               : lastErrno();
}

int removeFile(const std::string& path) {
    return ::DeleteFileW(toWide(path).c_str()) ? 0 : lastErrno();
}

// A spreadsheet program holding one name of a linked file open keeps the other name from
// being replaced, so the next run could not write its data file: Windows copies.
int linkFile(const std::string& /*existing*/, const std::string& /*newName*/) {
    return ENOTSUP;
}

// A folder cannot be flushed on Windows; the write-through rename above already puts the new
// name on the disk.
void syncFolder(const std::string& /*folder*/) {}

}  // namespace bp::platform
