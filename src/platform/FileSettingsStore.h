#pragma once
// The settings store kept in one text file (format: SettingsFileFormat.h). The report
// builder reads and writes the same file, so:
//  - every change replaces the whole file atomically (SaveFile): a crash never leaves a
//    half-written store;
//  - writers hold an exclusive lock on "<file>.lock" and re-read the file under it before
//    they change anything, so two processes never lose each other's keys;
//  - every read re-reads the file when it changed since the last read;
//  - batch() turns many changes into one write.
// A damaged file never stops the program: unreadable lines are skipped. A store larger than
// kMaxStoreBytes, or a path that names no regular file (a folder, a pipe, a device), is not
// read: every read gets its default and every change is refused with an error.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/File.h"
#include "platform/FileLock.h"
#include "platform/SettingsData.h"
#include "platform/SettingsStore.h"

namespace bp::platform {

class FileSettingsStore : public SettingsStore {
public:
    // Far more than the program's settings and a staged definition ever take (a few hundred
    // kilobytes), small enough that a wrong path cannot fill the memory.
    static constexpr std::uint64_t kMaxStoreBytes = 16u << 20;

    explicit FileSettingsStore(std::string path);
    ~FileSettingsStore() override;
    FileSettingsStore(const FileSettingsStore&) = delete;
    FileSettingsStore& operator=(const FileSettingsStore&) = delete;

    const std::string& path() const { return path_; }

    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override;
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void DeleteSetting(std::string_view section, std::string_view key) override;
    void DeleteSetting(std::string_view section) override;
    SettingPairs GetAllSettings(std::string_view section) const override;
    void batch(const std::function<void()>& changes) override;

private:
    void refresh() const;
    // Returns 0, or the error of a file that exists but cannot be read.
    int load() const;
    bool holds(std::string_view section, const std::string_view* key) const;
    void changeInBatch(const std::function<bool(SettingsData&)>& change);
    void update(const std::function<bool(SettingsData&)>& change);
    void lockForWriting();
    void writeFile();

    std::string path_;
    std::string folder_;
    mutable std::recursive_mutex mutex_;
    mutable SettingsData data_;
    // The version last read or written; a rename by any writer changes the inode.
    mutable std::optional<FileStamp> stamp_;
    mutable bool loaded_ = false;
    FileLock lock_;
    // Inside batch(): the write lock is held from the first change to the end, and the
    // changes live in data_ until the one write.
    int batchDepth_ = 0;
    bool batchLocked_ = false;
    bool batchDirty_ = false;
};

// The user's own store: $BRINDLEPATH_SETTINGS, else $XDG_CONFIG_HOME/brindlepath/settings.ini,
// else ~/.config/brindlepath/settings.ini (on Windows %APPDATA%\brindlepath\settings.ini).
// Nothing is created until the first change.
std::string userSettingsPath();
// The store at userSettingsPath(); on Windows the registry (RegistrySettingsStore.h) unless
// $BRINDLEPATH_SETTINGS names a file.
std::unique_ptr<SettingsStore> openUserSettings();

}  // namespace bp::platform
