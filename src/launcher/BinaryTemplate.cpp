#include "launcher/BinaryTemplate.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string_view>

#include "platform/Error.h"
#include "platform/PathText.h"
#include "platform/Process.h"

namespace bp::launcher {
namespace {

namespace fs = std::filesystem;

// LibreOffice's first start in a fresh profile is the slow part; a conversion still running
// after this is taken as hung.
constexpr std::chrono::seconds kConversionLimit{60};

std::optional<std::string> findOffice() {
    for (const char* name : {"soffice", "libreoffice"}) {
        if (auto found = platform::findOnPath(name)) {
            return found;
        }
    }
    return std::nullopt;
}

// A folder of its own for one conversion: LibreOffice's profile and its output go there, so the
// user's own LibreOffice profile is never touched and a running LibreOffice is not disturbed.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code error;
        fs::path temp = fs::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; attempt < 16 && path_.empty(); ++attempt) {
            fs::path candidate = temp / ("brindlepath-convert-" + std::to_string(random()));
            if (fs::create_directory(candidate, error)) {
                path_ = candidate;
            }
        }
        if (path_.empty()) {
            raise(kErrPermissionDenied, "No temporary folder could be made for the conversion.");
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A file URL for LibreOffice's -env option: "file:///tmp/x", "file:///C:/Users/x".
std::string fileUrl(const fs::path& path) {
    std::string generic = platform::utf8FromPath(path);
    if constexpr (platform::kPathSeparator != '/') {
        std::replace(generic.begin(), generic.end(), platform::kPathSeparator, '/');
    }
    std::string url = generic.starts_with('/') ? "file://" : "file:///";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : generic) {
        if (std::isalnum(c) != 0 ||
            std::string_view("/:-._~").find(static_cast<char>(c)) != std::string_view::npos) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url;
}

bool isFresh(const std::string& copy, const std::string& original) {
    std::error_code error;
    auto copyTime = fs::last_write_time(platform::pathFromUtf8(copy), error);
    if (error) {
        return false;
    }
    auto originalTime = fs::last_write_time(platform::pathFromUtf8(original), error);
    return !error && copyTime > originalTime;
}

[[noreturn]] void cannotUse(const std::string& templatePath, const std::string& reason) {
    raise(kErrInvalidCall, "The template \"" + templatePath +
                               "\" is in the Excel 97-2003 format, which cannot be filled as it "
                               "is, and " +
                               reason +
                               " Install LibreOffice, or save the template as an Excel template "
                               "(.xltx), to have the report built in it.");
}

void convert(const std::string& office, const std::string& templatePath,
             const std::string& target) {
    ScratchFolder scratch;
    // The source goes in under a plain name: LibreOffice names its output after its input.
    fs::path source = scratch.path() / "template.xls";
    std::error_code error;
    fs::copy_file(platform::pathFromUtf8(templatePath), source, error);
    if (error) {
        cannotUse(templatePath, "it could not be read.");
    }
    fs::path out = scratch.path() / "out";
    auto outcome = platform::runAndWait(
        {office, "-env:UserInstallation=" + fileUrl(scratch.path() / "profile"), "--headless",
         "--norestore", "--nologo", "--convert-to", "xltx", "--outdir", platform::utf8FromPath(out),
         platform::utf8FromPath(source)},
        kConversionLimit);
    fs::path made = out / "template.xltx";
    if (outcome != platform::RunOutcome::Succeeded || !fs::is_regular_file(made, error)) {
        cannotUse(templatePath, outcome == platform::RunOutcome::TimedOut
                                    ? "LibreOffice took too long to convert it."
                                    : "LibreOffice could not convert it.");
    }
    // Copied under a temporary name and renamed, so a half-written copy is never used.
    fs::path part = platform::pathFromUtf8(target + ".part");
    fs::copy_file(made, part, fs::copy_options::overwrite_existing, error);
    if (!error) {
        fs::rename(part, platform::pathFromUtf8(target), error);
    }
    if (error) {
        fs::remove(part, error);
        cannotUse(templatePath, "its converted copy could not be saved beside it.");
    }
}

}  // namespace

bool isBinarySpreadsheet(const std::string& path) {
    static constexpr std::array<unsigned char, 8> kSignature{0xD0, 0xCF, 0x11, 0xE0,
                                                             0xA1, 0xB1, 0x1A, 0xE1};
    std::array<char, 8> head{};
    std::ifstream in(platform::pathFromUtf8(path), std::ios::binary);
    if (!in.read(head.data(), head.size())) {
        return false;
    }
    for (size_t i = 0; i < head.size(); ++i) {
        if (static_cast<unsigned char>(head[i]) != kSignature[i]) {
            return false;
        }
    }
    return true;
}

std::string convertedTemplatePath(const std::string& templatePath) {
    return platform::joinPath(platform::parentFolder(templatePath),
                              "." + platform::fileNameOf(templatePath) + ".xltx");
}

std::string openXmlTemplate(const std::string& templatePath) {
    std::string copy = convertedTemplatePath(templatePath);
    if (isFresh(copy, templatePath)) {
        return copy;
    }
    std::optional<std::string> office = findOffice();
    if (!office) {
        cannotUse(templatePath, "LibreOffice, which can convert it, is not installed.");
    }
    convert(*office, templatePath, copy);
    return copy;
}

}  // namespace bp::launcher
