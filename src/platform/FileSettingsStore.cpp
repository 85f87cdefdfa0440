#include "platform/FileSettingsStore.h"

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "platform/Environment.h"
#include "platform/Error.h"
#include "platform/FileError.h"
#include "platform/PathText.h"
#include "platform/SaveFile.h"
#include "platform/SettingsFileFormat.h"
#include "platform/UserAccount.h"

namespace bp::platform {

namespace {

// The store only ever reports "cannot write here" (70) or "cannot write at all" (75).
[[noreturn]] void raiseStoreError(const std::string& path, int errnum,
                                  bp::SourceLine where = bp::SourceLine::current()) {
    int number = (errnum == EACCES || errnum == EPERM || errnum == EROFS) ? kErrPermissionDenied
                                                                          : kErrPathFileAccess;
    raiseFileError(number, path, errnum, where);
}

class LockGuard {
public:
    explicit LockGuard(FileLock& lock) : lock_(lock) {}
    ~LockGuard() { lock_.unlock(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    FileLock& lock_;
};

}  // namespace

FileSettingsStore::FileSettingsStore(std::string path)
    : path_(std::move(path)), folder_(parentFolder(path_)) {
    if (folder_.empty()) {
        folder_ = ".";
    }
}

FileSettingsStore::~FileSettingsStore() = default;

void FileSettingsStore::refresh() const {
    if (batchLocked_) {
        return;  // the batch's changes exist only here until its write
    }
    if (!loaded_ || stampOf(path_) != stamp_) {
        load();  // absent or unreadable: every read gets its default
    }
}

int FileSettingsStore::load() const {
    data_ = SettingsData{};
    stamp_.reset();
    loaded_ = true;
    // Taken before the read: a change made while reading is then seen by the next refresh.
    std::optional<FileStamp> before = stampOf(path_);
    std::string text;
    if (int errnum = readWholeFile(path_, kMaxStoreBytes, text); errnum != 0) {
        return errnum == ENOENT ? 0 : errnum;
    }
    data_ = SettingsFileFormat::parse(text);
    stamp_ = before;
    return 0;
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
        LockGuard held(lock_);
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
    LockGuard held(lock_);
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
    if (!lock_.isOpen()) {
        // Refused before anything is created beside it: a path naming a folder or a device
        // must not leave a stray lock file behind.
        if (std::optional<FileStamp> existing = stampOf(path_); existing && !existing->regular) {
            raiseStoreError(path_, existing->folder ? EISDIR : kErrnoNotRegularFile);
        }
        std::error_code ec;
        std::filesystem::create_directories(pathFromUtf8(folder_), ec);
        if (ec) {
            raiseStoreError(path_, ec.value());
        }
        if (!lock_.open(path_ + ".lock")) {
            raiseStoreError(path_, lock_.error());
        }
    }
    if (!lock_.lock()) {
        raiseStoreError(path_, lock_.error());
    }
}

void FileSettingsStore::writeFile() {
    SaveFile file(path_);
    if (!file.open(0600) || !file.write(SettingsFileFormat::serialize(data_)) || !file.commit()) {
        raiseStoreError(path_, file.error());
    }
    stamp_ = file.committedStamp();
}

std::string userSettingsPath() {
    if (std::string explicitPath = environmentVariable("BRINDLEPATH_SETTINGS");
        !explicitPath.empty()) {
        return explicitPath;
    }
    return joinPath(joinPath(userConfigFolder(), "brindlepath"), "settings.ini");
}

#ifndef _WIN32
// The Windows edition opens the registry instead (RegistrySettingsStore.cpp).
std::unique_ptr<SettingsStore> openUserSettings() {
    return std::make_unique<FileSettingsStore>(userSettingsPath());
}
#endif

}  // namespace bp::platform
