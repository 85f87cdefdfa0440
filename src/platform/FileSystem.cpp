#include "platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "core/CaseFold.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/PathText.h"
#include "platform/SaveFile.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace bp::platform {

namespace fs = std::filesystem;

namespace {

enum class Kind { File, Folder, Any };

bool statOf(const fs::path& path, FileStamp& info) {
    std::optional<FileStamp> stamp = stampOf(utf8FromPath(path));
    if (stamp) {
        info = *stamp;
    }
    return stamp.has_value();
}

bool isKind(const FileStamp& info, Kind kind) {
    switch (kind) {
        case Kind::File:
            return info.regular;
        case Kind::Folder:
            return info.folder;
        case Kind::Any:
            return true;
    }
    return false;
}

#ifndef _WIN32
// The entry of `folder` named `part` without regard to case; the first in name order when
// several differ only in case (a Linux folder may hold both).
std::optional<fs::path> matchInFolder(const fs::path& folder, const fs::path& part) {
    std::string wanted = core::foldCase(utf8FromPath(part));
    std::optional<std::string> best;
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(folder.empty() ? fs::path(".") : folder, ec)) {
        std::string name = utf8FromPath(entry.path().filename());
        if (core::foldCase(name) == wanted && (!best || name < *best)) {
            best = name;
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return folder / pathFromUtf8(*best);
}
#endif

#ifdef _WIN32
// Windows finds an entry in any case by itself; its directory entry gives the real spelling.
std::optional<fs::path> realSpelling(const fs::path& folder, const fs::path& part) {
    if (part == "..") {
        return folder / part;  // the search would answer with the parent's own name
    }
    std::string name = utf8FromPath(part);
    if (name.find_first_of("*?") != std::string::npos) {
        return std::nullopt;  // no wildcards: Windows allows none in a name
    }
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder / part).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    ::FindClose(search);
    return folder / fs::path(found.cFileName);
}
#endif

// An entry of `folder` spelled as `part` or, failing that, in another case.
std::optional<fs::path> entryIn(const fs::path& folder, const fs::path& part) {
#ifdef _WIN32
    return realSpelling(folder, part);
#else
    FileStamp info;
    fs::path exact = folder / part;
    if (statOf(exact, info)) {
        return exact;
    }
    return matchInFolder(folder, part);
#endif
}

std::optional<std::string> findEntry(const std::string& path, Kind kind) {
    if (path.empty()) {
        return std::nullopt;
    }
    FileStamp info;
#ifndef _WIN32
    // Spelled as it is: found without a walk.
    if (statOf(path, info)) {
        return isKind(info, kind) ? std::optional<std::string>(path) : std::nullopt;
    }
#endif
    fs::path input = pathFromUtf8(path);
    fs::path current = input.root_path();
    for (const fs::path& part : input.relative_path()) {
        if (part.empty() || part == ".") {
            continue;
        }
        if (std::optional<fs::path> match = entryIn(current, part)) {
            current = *match;
        } else {
            return std::nullopt;
        }
    }
    if (!statOf(current, info) || !isKind(info, kind)) {
        return std::nullopt;
    }
    return utf8FromPath(current);
}

// The folder a new entry goes into, found without regard to case; 76 when it is missing.
fs::path destinationFolder(const std::string& target, bp::SourceLine where) {
    fs::path parent = pathFromUtf8(target).parent_path();
    if (parent.empty()) {
        return {};
    }
    std::optional<std::string> folder = findFolder(utf8FromPath(parent));
    if (!folder) {
        raiseFileError(kErrPathNotFound, utf8FromPath(parent), ENOENT, where);
    }
    return pathFromUtf8(*folder);
}

// Copies what is left of `in` to `out`; 0, or the error number of the failed side.
int copyContent(File& in, SaveFile& out) {
    std::string buffer(65536, '\0');
    for (;;) {
        std::int64_t n = in.read(buffer.data(), buffer.size());
        if (n <= 0) {
            return n == 0 ? 0 : in.error();
        }
        if (!out.write(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            return out.error();
        }
    }
}

// Copies into a temporary file beside `target`, then renames it over `target`.
void replaceWithCopy(const std::string& source, const fs::path& target, bp::SourceLine where) {
    File in;
    std::optional<FileStamp> info;
    if (!in.openForReading(source) || !(info = in.stamp())) {
        raiseFileError(fileErrorNumber(in.error()), source, in.error(), where);
    }
    SaveFile out(utf8FromPath(target), "copy");
    int errnum = out.open(0600) ? copyContent(in, out) : out.error();
    // Closed before the copy takes the target's place: Windows may refuse to replace a file
    // that is still open, and the target may be the source itself.
    in.close();
    if (errnum == 0 && !(out.setPermissions(info->permissions & 0777) && out.commit())) {
        errnum = out.error();
    }
    if (errnum != 0) {
        int number = fileErrorNumber(errnum);
        raiseFileError(number == kErrFileNotFound ? kErrPathFileAccess : number,
                       utf8FromPath(target), errnum, where);
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

namespace {

// Both ends of a copy: the source as found, and the target, an existing file of that name
// if there is one. A missing source or a target that is a folder is refused.
struct CopyEnds {
    std::string source;
    std::optional<std::string> existing;
    fs::path target;
};

CopyEnds copyEnds(const std::string& from, const std::string& to, bp::SourceLine where) {
    std::optional<std::string> source = findFile(from);
    if (!source) {
        raiseFileError(kErrFileNotFound, from, ENOENT, where);
    }
    if (folderExists(to)) {
        raiseFileError(kErrPathFileAccess, to, EISDIR, where);
    }
    std::optional<std::string> existing = findFile(to);
    fs::path target = existing ? pathFromUtf8(*existing)
                               : destinationFolder(to, where) / pathFromUtf8(to).filename();
    return {*source, existing, target};
}

}  // namespace

void copyFile(const std::string& from, const std::string& to, bp::SourceLine where) {
    CopyEnds ends = copyEnds(from, to, where);
    replaceWithCopy(ends.source, ends.target, where);
}

void shareFile(const std::string& from, const std::string& to, bp::SourceLine where) {
    auto [source, existing, target] = copyEnds(from, to, where);
    // A share killed between its link and its rename left its second name behind; it goes
    // even when the target already is the source.
    removeStaleTemporaries(utf8FromPath(target.parent_path()));
    const std::optional<FileStamp> sourceStamp = stampOf(source);
    const std::optional<FileStamp> targetStamp = existing ? stampOf(*existing) : std::nullopt;
    if (sourceStamp && targetStamp && sourceStamp->device == targetStamp->device &&
        sourceStamp->inode == targetStamp->inode) {
        return;  // already the same file
    }
    // The second name is made beside the target and then takes the target's place, so an
    // earlier file there is replaced whole or not at all.
    const std::string targetText = utf8FromPath(target);
    const std::string linked = temporarySibling(targetText, "link");
    if (linkFile(source, linked) == 0) {
        if (int errnum = replaceFile(linked, targetText); errnum != 0) {
            removeFile(linked);
            raiseFileError(fileErrorNumber(errnum), targetText, errnum, where);
        }
        return;
    }
    replaceWithCopy(source, target, where);
}

void deleteFile(const std::string& path, bp::SourceLine where) {
    std::optional<std::string> file = findFile(path);
    if (!file) {
        raiseFileError(kErrFileNotFound, path, ENOENT, where);
    }
    if (int errnum = removeFile(*file); errnum != 0) {
        raiseFileError(fileErrorNumber(errnum), *file, errnum, where);
    }
}

void renameFile(const std::string& from, const std::string& to, bp::SourceLine where) {
    std::optional<std::string> source = findEntry(from, Kind::Any);
    if (!source) {
        raiseFileError(kErrFileNotFound, from, ENOENT, where);
    }
    FileStamp sourceInfo;
    FileStamp targetInfo;
    statOf(*source, sourceInfo);
    // A change of letter case only is a rename of the same file, as on Windows.
    if (std::optional<std::string> existing = findEntry(to, Kind::Any);
        existing && statOf(*existing, targetInfo) &&
        !(targetInfo.device == sourceInfo.device && targetInfo.inode == sourceInfo.inode)) {
        raiseFileError(kErrFileExists, to, EEXIST, where);
    }
    std::string target = utf8FromPath(destinationFolder(to, where) / pathFromUtf8(to).filename());
    if (int errnum = renameWithoutReplacing(*source, target); errnum != 0) {
        raiseFileError(fileErrorNumber(errnum), target, errnum, where);
    }
}

std::vector<std::string> listFiles(const std::string& folder, bp::SourceLine where) {
    std::optional<std::string> real = findFolder(folder);
    if (!real) {
        raiseFileError(kErrPathNotFound, folder, ENOENT, where);
    }
    std::error_code ec;
    fs::directory_iterator entries(pathFromUtf8(*real), ec);
    if (ec) {
        raiseFileError(fileErrorNumber(ec.value()), *real, ec.value(), where);
    }
    std::vector<std::pair<std::string, std::string>> names;  // folded, real
    for (const fs::directory_entry& entry : entries) {
        std::error_code kindError;
        if (entry.is_regular_file(kindError)) {
            std::string name = utf8FromPath(entry.path().filename());
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

void createFolders(const std::string& path, bp::SourceLine where) {
    if (folderExists(path)) {
        return;
    }
    std::error_code ec;
    fs::create_directories(pathFromUtf8(path), ec);
    if (ec) {
        int errnum = ec.value();
        bool blocked = errnum == EEXIST || errnum == ENOTDIR;
        raiseFileError(blocked ? kErrPathFileAccess : fileErrorNumber(errnum), path, errnum, where);
    }
}

}  // namespace bp::platform
