#include "act/sim/LookupFile.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Error.h"

namespace bp::sim {

namespace fs = std::filesystem;

void LookupFile::write(const std::string& path, const std::vector<std::string>& ids) {
    std::error_code ec;
    fs::path folder = fs::path(path).parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        raise(kErrPathNotFound, "Path not found: " + folder.string());
    }
    std::string temp = path + ".tmp-" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << kHeader << '\n';
        for (const auto& id : ids) {
            out << id << '\n';
        }
        if (!out.flush()) {
            fs::remove(temp, ec);
            raise(kErrPermissionDenied, "The lookup file " + path + " cannot be written.");
        }
    }
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        raise(kErrPermissionDenied, "The lookup file " + path + " cannot be written.");
    }
}

std::vector<std::string> LookupFile::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        raise(kErrFileNotFound, "File not found: " + path);
    }
    std::string line;
    auto next = [&]() {
        if (!std::getline(in, line)) {
            return false;
        }
        if (!line.empty() && line.back() == '\r') {
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
