#include "platform/SaveFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/PathText.h"
#include "platform/ProcessId.h"

namespace bp::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarker = ".bptmp";

std::atomic<unsigned> temporaryCount{0};

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool alnum(std::string_view text) {
    return text.find_first_not_of(
               "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") ==
           std::string_view::npos;
}

// The writer's process number in a temporary's name, or 0 when the name is not one of ours.
// An archive library that replaces its file in turn adds ".XXXXXX" to the name it is given.
int writerOf(std::string_view name) {
    std::size_t marker = name.rfind(kMarker);
    if (marker == std::string_view::npos || name.front() != '.') {
        return 0;
    }
    std::string_view rest = name.substr(marker + kMarker.size());
    if (!rest.empty() && !(rest.size() <= 9 && rest[0] == '.' && alnum(rest.substr(1)))) {
        return 0;
    }
    name = name.substr(0, marker);
    std::size_t countDash = name.rfind('-');
    if (countDash == std::string_view::npos || !allDigits(name.substr(countDash + 1))) {
        return 0;
    }
    name = name.substr(0, countDash);
    std::size_t pidDash = name.rfind('-');
    std::string_view pid = pidDash == std::string_view::npos ? "" : name.substr(pidDash + 1);
    int value = 0;
    if (!allDigits(pid) ||
        std::from_chars(pid.data(), pid.data() + pid.size(), value).ec != std::errc{}) {
        return 0;
    }
    return value;
}

}  // namespace

std::string temporarySibling(const std::string& target, std::string_view tag) {
    fs::path path = pathFromUtf8(target);
    std::string name = "." + utf8FromPath(path.filename()) + "." + std::string(tag) + "-" +
                       std::to_string(currentProcessId()) + "-" +
                       std::to_string(temporaryCount.fetch_add(1)) + std::string(kMarker);
    return utf8FromPath(path.parent_path() / pathFromUtf8(name));
}

int removeStaleTemporaries(const std::string& folder) {
    std::error_code ec;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : pathFromUtf8(folder), ec);
    int removed = 0;
    for (; !ec && entries != fs::directory_iterator(); entries.increment(ec)) {
        const fs::directory_entry& entry = *entries;
        int writer = writerOf(utf8FromPath(entry.path().filename()));
        std::error_code kindError;
        // A folder or link with such a name is nobody's temporary: leave it.
        if (writer == 0 || !entry.is_regular_file(kindError) || entry.is_symlink(kindError) ||
            processAlive(writer)) {
            continue;
        }
        if (removeFile(utf8FromPath(entry.path())) == 0) {
            ++removed;
        }
    }
    return removed;
}

SaveFile::SaveFile(std::string target, std::string_view tag)
    : target_(std::move(target)), temp_(temporarySibling(target_, tag)) {
    removeStaleTemporaries(parentFolder(target_));
}

SaveFile::~SaveFile() {
    if (!committed_) {
        file_.close();
        removeFile(temp_);
    }
}

bool SaveFile::fail(int errnum) {
    error_ = errnum;
    return false;
}

bool SaveFile::open(int permissions) {
    return file_.createNew(temp_, permissions) || fail(file_.error());
}

bool SaveFile::write(std::string_view data) {
    return file_.write(data) || fail(file_.error());
}

bool SaveFile::setPermissions(int permissions) {
    return file_.setPermissions(permissions) || fail(file_.error());
}

// A temporary written through its path is opened again only to flush it.
bool SaveFile::syncTemporary() {
    if (!file_.isOpen() && !file_.openForReading(temp_)) {
        return fail(file_.error());
    }
    stamp_ = file_.stamp();
    if (!stamp_ || !file_.sync()) {
        file_.close();
        return fail(file_.error());
    }
    return file_.close() || fail(file_.error());
}

bool SaveFile::commit() {
    if (!syncTemporary()) {
        return false;
    }
    bool existed = stampOf(target_).has_value();
    if (int errnum = replaceFile(temp_, target_); errnum != 0) {
        stamp_.reset();
        return fail(errnum);
    }
    committed_ = true;
    if (!existed) {
        syncFolder(parentFolder(target_));
    }
    return true;
}

}  // namespace bp::platform
