#pragma once
// Replaces a file as a whole: the new content goes into a temporary file beside the target,
// is flushed to the disk and then renamed over the target in one step. Readers and a crash at
// any moment find the old file or the new one, never a mix; a failed save removes its
// temporary and leaves the old file untouched.
//
// Temporary files are named ".<target name>.<tag>-<pid>-<n>.bptmp". A writer that was killed
// cannot remove its own, so every new SaveFile first removes those in its folder whose
// writer process no longer runs; those of a live writer are left alone.
// FIXME: a process number only means something on this machine; a writer on another machine
// sharing the folder can lose its temporary to a save here. Its own save then fails cleanly
// (the rename finds nothing) and its target stays as it was.
//
// Failures report the system's error number through error(); callers turn it into the
// error the user sees.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/File.h"

namespace bp::platform {

class SaveFile {
public:
    explicit SaveFile(std::string target, std::string_view tag = "save");
    ~SaveFile();  // without commit(): the temporary is removed, the target untouched
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    const std::string& target() const { return target_; }
    // Writers that need a path (a database, an archive) create and fill this file themselves
    // and leave it closed for commit().
    const std::string& tempPath() const { return temp_; }

    // Creates the temporary for write().
    bool open(int permissions = 0644);
    bool write(std::string_view data);
    bool setPermissions(int permissions);
    // Flushes the temporary to the disk and renames it over the target.
    bool commit();
    // The target's stamp as committed (taken from the temporary before the rename).
    const std::optional<FileStamp>& committedStamp() const { return stamp_; }

    int error() const { return error_; }

private:
    bool fail(int errnum);
    bool syncTemporary();

    std::string target_;
    std::string temp_;
    File file_;
    std::optional<FileStamp> stamp_;
    int error_ = 0;
    bool committed_ = false;
};

// A scratch file beside `target` for a writer's own use, named (and so cleaned up) like the
// temporaries of SaveFile. The caller removes it when done.
std::string temporarySibling(const std::string& target, std::string_view tag);

// Removes the temporaries in `folder` whose writer process no longer runs; returns how many.
int removeStaleTemporaries(const std::string& folder);

}  // namespace bp::platform
