#include "platform/FileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "core/CaseFold.h"
#include "platform/Error.h"
#include "platform/FdIo.h"
#include "platform/FileError.h"

namespace bp::platform {

namespace fs = std::filesystem;

namespace {

enum class Kind { File, Folder, Any };

bool statOf(const fs::path& path, struct stat& info) {
    return ::stat(path.c_str(), &info) == 0;
}

bool isKind(const struct stat& info, Kind kind) {
    switch (kind) {
        case Kind::File:
            return S_ISREG(info.st_mode);
        case Kind::Folder:
            return S_ISDIR(info.st_mode);
        case Kind::Any:
            return true;
    }
    return false;
}

// The entry of `folder` named `part` without regard to case; the first in name order when
// several differ only in case (a Linux folder may hold both).
std::optional<fs::path> matchInFolder(const fs::path& folder, const fs::path& part) {
    std::string wanted = core::foldCase(part.string());
    std::optional<std::string> best;
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(folder.empty() ? fs::path(".") : folder, ec)) {
        std::string name = entry.path().filename().string();
        if (core::foldCase(name) == wanted && (!best || name < *best)) {
            best = name;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return folder / *best;
}

std::optional<std::string> findEntry(const std::string& path, Kind kind) {
    if (path.empty()) {
        return std::nullopt;
    }
    struct stat info {};
    if (statOf(path, info)) {
        return isKind(info, kind) ? std::optional<std::string>(path) : std::nullopt;
    }
    fs::path input(path);
    fs::path current = input.root_path();
    for (const fs::path& part : input.relative_path()) {
        if (part.empty() || part == ".") {
            continue;
        }
        fs::path exact = current / part;
        if (statOf(exact, info)) {
            current = exact;
        } else if (std::optional<fs::path> match = matchInFolder(current, part)) {
            current = *match;
        } else {
            return std::nullopt;
        }
    }
    if (!statOf(current, info) || !isKind(info, kind)) {
        return std::nullopt;
    }
    return current.string();
}

// The folder a new entry goes into, found without regard to case; 76 when it is missing.
fs::path destinationFolder(const std::string& target, std::source_location where) {
    fs::path parent = fs::path(target).parent_path();
    if (parent.empty()) {
        return {};
    }
    std::optional<std::string> folder = findFolder(parent.string());
    if (!folder) {
        raiseFileError(kErrPathNotFound, parent.string(), ENOENT, where);
    }
    return *folder;
}

// Copies into a temporary file beside `target`, then renames it over `target`.
void replaceWithCopy(const std::string& source, const fs::path& target,
                     std::source_location where) {
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        raiseFileError(fileErrorNumber(errno), source, errno, where);
    }
    struct stat info {};
    std::string temp =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    int out = ::mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        int errnum = errno;
        ::close(in);
        raiseFileError(fileErrorNumber(errnum), target.string(), errnum, where);
    }
    bool copied = ::fstat(in, &info) == 0 && copyAll(in, out) &&
                  ::fchmod(out, info.st_mode & 0777) == 0 && ::fdatasync(out) == 0;
    int errnum = copied ? 0 : errno;
    ::close(in);
    if (::close(out) != 0 && copied) {
        copied = false;
        errnum = errno;
    }
    if (!copied || ::rename(temp.c_str(), target.c_str()) != 0) {
        errnum = copied ? errno : errnum;
        ::unlink(temp.c_str());
        raiseFileError(fileErrorNumber(errnum) == kErrFileNotFound ? kErrPathFileAccess
                                                                   : fileErrorNumber(errnum),
                       target.string(), errnum, where);
    }
}

}  // namespace

std::optional<std::string> findFile(const std::string& path) {
    return findEntry(path, Kind::File);
}

std::optional<std::string> findFolder(const std::string& path) {
    return findEntry(path, Kind::Folder);
}

bool fileExists(const std::string& path) {
    return findFile(path).has_value();
}
bool folderExists(const std::string& path) {
    return findFolder(path).has_value();
}

void copyFile(const std::string& from, const std::string& to, std::source_location where) {
    std::optional<std::string> source = findFile(from);
    if (!source) {
        raiseFileError(kErrFileNotFound, from, ENOENT, where);
    }
    if (folderExists(to)) {
        raiseFileError(kErrPathFileAccess, to, EISDIR, where);
    }
    std::optional<std::string> existing = findFile(to);
    fs::path target =
        existing ? fs::path(*existing) : destinationFolder(to, where) / fs::path(to).filename();
    replaceWithCopy(*source, target, where);
}

void deleteFile(const std::string& path, std::source_location where) {
    std::optional<std::string> file = findFile(path);
    if (!file) {
        raiseFileError(kErrFileNotFound, path, ENOENT, where);
    }
    if (::unlink(file->c_str()) != 0) {
        raiseFileError(fileErrorNumber(errno), *file, errno, where);
    }
}

void renameFile(const std::string& from, const std::string& to, std::source_location where) {
    std::optional<std::string> source = findEntry(from, Kind::Any);
    if (!source) {
        raiseFileError(kErrFileNotFound, from, ENOENT, where);
    }
    struct stat sourceInfo {};
    struct stat targetInfo {};
    statOf(*source, sourceInfo);
    // A change of letter case only is a rename of the same file, as on Windows.
    if (std::optional<std::string> existing = findEntry(to, Kind::Any);
        existing && statOf(*existing, targetInfo) &&
        !(targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino)) {
        raiseFileError(kErrFileExists, to, EEXIST, where);
    }
    fs::path target = destinationFolder(to, where) / fs::path(to).filename();
    int rc = ::renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (rc != 0 && errno == EINVAL) {
        rc = ::rename(source->c_str(), target.c_str());  // file system without NOREPLACE
    }
    if (rc != 0) {
        raiseFileError(fileErrorNumber(errno), target.string(), errno, where);
    }
}

std::vector<std::string> listFiles(const std::string& folder, std::source_location where) {
    std::optional<std::string> real = findFolder(folder);
    if (!real) {
        raiseFileError(kErrPathNotFound, folder, ENOENT, where);
    }
    std::error_code ec;
    fs::directory_iterator entries(*real, ec);
    if (ec) {
        raiseFileError(fileErrorNumber(ec.value()), *real, ec.value(), where);
    }
    std::vector<std::pair<std::string, std::string>> names;  // folded, real
    for (const fs::directory_entry& entry : entries) {
        std::error_code kindError;
        if (entry.is_regular_file(kindError)) {
            std::string name = entry.path().filename().string();
            names.emplace_back(core::foldCase(name), name);
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> result;
    result.reserve(names.size());
    for (auto& [folded, name] : names) {
        result.push_back(std::move(name));
    }
    return result;
}

void createFolders(const std::string& path, std::source_location where) {
    if (folderExists(path)) {
        return;
    }
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec) {
        int errnum = ec.value();
        bool blocked = errnum == EEXIST || errnum == ENOTDIR;
        raiseFileError(blocked ? kErrPathFileAccess : fileErrorNumber(errnum), path, errnum, where);
    }
}

}  // namespace bp::platform
