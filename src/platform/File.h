#pragma once
// File I/O as the rest of the program sees it, free of any one system's headers: an open
// file, whole bounded reads, and the few whole-file operations replacing a file needs. One
// implementation per system (PosixFile.cpp, WinFile.cpp). Failures keep the system's error
// number (on Windows the nearest errno value), so callers map it to the numbers the user is
// shown (FileError.h); two numbers of our own describe files refused before any byte is read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bp::platform {

// Not a regular file (a folder, a pipe, a device): it is never opened for reading, so a FIFO
// cannot block the program and /dev/zero cannot fill its memory.
inline constexpr int kErrnoNotRegularFile = -1001;
// Larger than the caller's limit for the kind of file.
inline constexpr int kErrnoFileTooLarge = -1002;

// The system's text for an error number, or ours for the two numbers above.
std::string systemErrorText(int errnum);

// Identifies one version of a file: replacing it by a rename changes the inode.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeNs = 0;
    int permissions = 0;
    bool regular = false;
    bool folder = false;
    bool operator==(const FileStamp&) const = default;
};

// Follows symbolic links; nullopt when nothing is there (or it cannot be looked at).
std::optional<FileStamp> stampOf(const std::string& path);

class File {
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing regular file for reading, refusing anything else without waiting on it.
    bool openForReading(const std::string& path);
    // Creates a file that must not exist yet, for writing.
    bool createNew(const std::string& path, int permissions);

    bool isOpen() const { return handle_ >= 0; }
    // Bytes read (0 at the end), or -1 on a failure.
    std::int64_t read(char* buffer, std::size_t size);
    bool write(std::string_view data);
    bool setPermissions(int permissions);
    // Flushes the content to the disk, so a crash after a rename finds all of it.
    bool sync();
    std::optional<FileStamp> stamp();
    bool close();

    // The error number of the last failure.
    int error() const { return error_; }

private:
    bool fail();

    int handle_ = -1;
    int error_ = 0;
};

// Reads a whole regular file of at most `limit` bytes into `text`; 0, or the error number.
int readWholeFile(const std::string& path, std::uint64_t limit, std::string& text);

// Moves `from` over `to` in one step; 0, or the error number.
int replaceFile(const std::string& from, const std::string& to);
// Renames a file or folder, never over an existing entry (EEXIST); where the file system
// cannot promise that, a plain rename. 0, or the error number.
int renameWithoutReplacing(const std::string& from, const std::string& to);
// 0, or the error number.
int removeFile(const std::string& path);
// Gives the file `existing` the second name `newName` (which must not exist yet): both names
// then reach the same bytes, written once. 0, or the error number; ENOTSUP where files are
// always copied instead.
int linkFile(const std::string& existing, const std::string& newName);
// Flushes a folder's list of names, so a new file's name survives a power loss.
void syncFolder(const std::string& folder);

}  // namespace bp::platform
