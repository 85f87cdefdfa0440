#include "platform/FileSettingsStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "platform/Error.h"
#include "platform/FdIo.h"
#include "platform/FileError.h"
#include "platform/SettingsFileFormat.h"

namespace bp::platform {

namespace {

// The store only ever reports "cannot write here" (70) or "cannot write at all" (75).
[[noreturn]] void raiseStoreError(const std::string& path, int errnum,
                                  std::source_location where = std::source_location::current()) {
    int number = (errnum == EACCES || errnum == EPERM || errnum == EROFS) ? kErrPermissionDenied
                                                                          : kErrPathFileAccess;
    raiseFileError(number, path, errnum, where);
}

bool writeText(int fd, const std::string& text) {
    return writeAll(fd, text.data(), text.size());
}

// A new directory entry only survives a power loss once its folder is flushed; replacing an
// existing file needs no such flush to leave a whole version behind.
void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

class FlockGuard {
public:
    explicit FlockGuard(int fd) : fd_(fd) {}
    ~FlockGuard() { ::flock(fd_, LOCK_UN); }
    FlockGuard(const FlockGuard&) = delete;
    FlockGuard& operator=(const FlockGuard&) = delete;

private:
    int fd_;
};

}  // namespace

FileSettingsStore::FileSettingsStore(std::string path)
    : path_(std::move(path)), folder_(std::filesystem::path(path_).parent_path().string()) {
    if (folder_.empty()) {
        folder_ = ".";
    }
}

FileSettingsStore::~FileSettingsStore() {
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

FileSettingsStore::Stamp FileSettingsStore::stampOf(const struct stat& info) {
    return Stamp{true, info.st_dev, info.st_ino, info.st_size,
                 static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

void FileSettingsStore::refresh() const {
    if (batchLocked_) {
        return;  // the batch's changes exist only here until its write
    }
    struct stat info {};
    Stamp now = ::stat(path_.c_str(), &info) == 0 ? stampOf(info) : Stamp{};
    if (!loaded_ || now != stamp_) {
        load();  // absent or unreadable: every read gets its default
    }
}

int FileSettingsStore::load() const {
    data_ = SettingsData{};
    stamp_ = Stamp{};
    loaded_ = true;
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? 0 : errno;
    }
    struct stat info {};
    std::string text;
    int errnum = 0;
    if (::fstat(fd, &info) == 0 && readAll(fd, text)) {
        data_ = SettingsFileFormat::parse(text);
        stamp_ = stampOf(info);
    } else {
        errnum = errno;
    }
    ::close(fd);
    return errnum;
}

std::string FileSettingsStore::GetSetting(std::string_view section, std::string_view key,
                                          std::string_view defaultValue) const {
    std::lock_guard lock(mutex_);
    refresh();
    const std::string* value = data_.find(section, key);
    return value == nullptr ? std::string(defaultValue) : *value;
}

SettingPairs FileSettingsStore::GetAllSettings(std::string_view section) const {
    std::lock_guard lock(mutex_);
    refresh();
    return data_.all(section);
}

void FileSettingsStore::SaveSetting(std::string_view section, std::string_view key,
                                    std::string_view value) {
    if (section.empty() || key.empty()) {
        raise(kErrInvalidCall, "Invalid procedure call or argument: empty setting name");
    }
    update([&](SettingsData& data) { return data.set(section, key, value); });
}

void FileSettingsStore::DeleteSetting(std::string_view section, std::string_view key) {
    if (!holds(section, &key)) {
        return;
    }
    update([&](SettingsData& data) { return data.erase(section, key); });
}

void FileSettingsStore::DeleteSetting(std::string_view section) {
    if (!holds(section, nullptr)) {
        return;
    }
    update([&](SettingsData& data) { return data.eraseSection(section); });
}

// Deleting what is absent must not fail, even where nothing can be written.
bool FileSettingsStore::holds(std::string_view section, const std::string_view* key) const {
    std::lock_guard lock(mutex_);
    refresh();
    return key == nullptr ? data_.hasSection(section) : data_.find(section, *key) != nullptr;
}

void FileSettingsStore::batch(const std::function<void()>& changes) {
    std::lock_guard lock(mutex_);
    if (batchDepth_ > 0) {
        changes();
        return;
    }
    batchDepth_ = 1;
    batchDirty_ = false;
    std::exception_ptr failure;
    try {
        changes();
    } catch (...) {
        failure = std::current_exception();
    }
    batchDepth_ = 0;
    if (batchLocked_) {
        FlockGuard held(lockFd_);
        batchLocked_ = false;
        try {
            if (batchDirty_) {
                writeFile();
            }
        } catch (...) {
            loaded_ = false;
            if (!failure) {
                throw;
            }
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void FileSettingsStore::changeInBatch(const std::function<bool(SettingsData&)>& change) {
    if (!batchLocked_) {
        lockForWriting();
        batchLocked_ = true;
        if (int errnum = load(); errnum != 0) {
            raiseStoreError(path_, errnum);
        }
    }
    batchDirty_ = change(data_) || batchDirty_;
}

void FileSettingsStore::update(const std::function<bool(SettingsData&)>& change) {
    std::lock_guard lock(mutex_);
    if (batchDepth_ > 0) {
        changeInBatch(change);
        return;
    }
    lockForWriting();
    FlockGuard held(lockFd_);
    // Read afresh under the lock: a stamp can miss a change made within one clock tick by a
    // writer whose new file reused the old inode, and a missed change would be overwritten.
    // A file that exists but cannot be read is never replaced by what little is known.
    if (int errnum = load(); errnum != 0) {
        raiseStoreError(path_, errnum);
    }
    if (!change(data_)) {
        return;
    }
    try {
        writeFile();
    } catch (...) {
        loaded_ = false;  // the change did not reach the file: forget it
        throw;
    }
}

void FileSettingsStore::lockForWriting() {
    if (lockFd_ < 0) {
        std::error_code ec;
        std::filesystem::create_directories(folder_, ec);
        if (ec) {
            raiseStoreError(path_, ec.value());
        }
        std::string lockPath = path_ + ".lock";
        lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lockFd_ < 0) {
            raiseStoreError(path_, errno);
        }
    }
    while (::flock(lockFd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            raiseStoreError(path_, errno);
        }
    }
}

void FileSettingsStore::writeFile() {
    // One temporary name is enough: only the holder of the write lock uses it, and a writer
    // that died leaves nothing behind that the next one does not overwrite.
    std::string temp = path_ + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        raiseStoreError(path_, errno);
    }
    struct stat info {};
    bool written = writeText(fd, SettingsFileFormat::serialize(data_)) && ::fdatasync(fd) == 0 &&
                   ::fstat(fd, &info) == 0;
    int errnum = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        errnum = errno;
    }
    if (!written || ::rename(temp.c_str(), path_.c_str()) != 0) {
        errnum = written ? errno : errnum;
        ::unlink(temp.c_str());
        raiseStoreError(path_, errnum);
    }
    if (!stamp_.exists) {
        syncFolder(folder_);
    }
    stamp_ = stampOf(info);
}

std::string userSettingsPath() {
    if (const char* explicitPath = std::getenv("BRINDLEPATH_SETTINGS");
        explicitPath != nullptr && *explicitPath != '\0') {
        return explicitPath;
    }
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            const passwd* entry = ::getpwuid(::getuid());
            home = entry != nullptr ? entry->pw_dir : "/tmp";
        }
        config = std::string(home) + "/.config";
    }
    return config + "/brindlepath/settings.ini";
}

std::unique_ptr<SettingsStore> openUserSettings() {
    return std::make_unique<FileSettingsStore>(userSettingsPath());
}

}  // namespace bp::platform
