#include "act/sim/LookupFile.h"

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/PathText.h"
#include "platform/SaveFile.h"

namespace bp::sim {

namespace fs = std::filesystem;

void LookupFile::write(const std::string& path, const std::vector<std::string>& ids) {
    std::error_code ec;
    fs::path folder = platform::pathFromUtf8(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        raise(kErrPathNotFound, "Path not found: " + platform::utf8FromPath(folder));
    }
    std::string text = std::string(kHeader) + '\n';
    for (const auto& id : ids) {
        text += id;
        text += '\n';
    }
    platform::SaveFile file(path);
    if (!file.open() || !file.write(text) || !file.commit()) {
        raise(kErrPermissionDenied, "The lookup file " + path + " cannot be written.");
    }
}

std::vector<std::string> LookupFile::read(const std::string& path) {
    std::string text;
    if (int err = platform::readWholeFile(path, kMaxBytes, text); err != 0) {
        if (err == ENOENT) {
            raise(kErrFileNotFound, "File not found: " + path);
        }
        raise(kErrPathFileAccess,
              "The lookup file " + path + " cannot be read: " + platform::systemErrorText(err));
    }
    std::istringstream in(text);
    std::string line;
    auto next = [&]() {
        if (!std::getline(in, line)) {
            return false;
        }
        // Every carriage return at the end: a file converted to CR LF twice ends its lines in
        // CR CR LF, and an ID kept with a CR would match no contact.
        while (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return true;
    };
    if (!next() || line != kHeader) {
        raise(kErrTypeMismatch, path + " is not a lookup file.");
    }
    std::vector<std::string> ids;
    while (next()) {
        if (!line.empty()) {
            ids.push_back(line);
        }
    }
    return ids;
}

}  // namespace bp::sim
