#include "definitions/DefinitionFile.h"

#include <cerrno>
#include <sstream>

#include "core/CaseFold.h"
#include "definitions/DefinitionKeys.h"
#include "forms/UiService.h"
#include "platform/AppInfo.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/SaveFile.h"
#include "platform/SettingsStore.h"
#include "platform/TextCodec.h"

namespace bp::definitions {
namespace {

constexpr std::string_view kSection = kStagingSection;

std::string existingOrBuiltPath(const act::Session& session, const std::string& reportName,
                                int reportType) {
    std::string path = definitionPath(session, reportName, reportType);
    return platform::findFile(path).value_or(path);
}

void stageLine(act::Session& session, std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.empty()) {
        return;
    }
    auto eq = line.find('=');
    // A line without "=" has no value to stage; the caller's handler reports it.
    if (eq == std::string::npos) {
        raise(kErrSubscript, "Subscript out of range");
    }
    // Everything after the first "=" is the value, so a caption holding "=" survives.
    session.settings->SaveSetting(kSection, line.substr(0, eq), line.substr(eq + 1));
}

// Definitions written on Windows hold Windows-1252 text; one written back stays in the
// encoding it was read in, unless the user typed a character only UTF-8 can hold: then the
// whole file becomes UTF-8 rather than lose that character. The same happens when the code
// page's bytes would themselves read as other UTF-8 text ("Ã©" is the bytes of "é"): the file
// is read as UTF-8 whenever it can be, and would come back changed.
std::string encodedLike(const std::string& path, const std::string& text) {
    std::string old;
    if (platform::readWholeFile(path, kMaxDefinitionBytes, old) != 0 ||
        platform::TextCodec::detect(old) != platform::TextEncoding::Windows1252) {
        return text;
    }
    std::optional<std::string> narrowed = platform::TextCodec::toWindows1252(text);
    if (!narrowed || (*narrowed != text && platform::TextCodec::isUtf8(*narrowed))) {
        return text;
    }
    return *narrowed;
}

void replaceFile(const std::string& path, const std::string& text) {
    platform::SaveFile file(path);
    if (!file.open()) {
        int err = file.error();
        raise(err == EACCES ? kErrPermissionDenied : kErrPathFileAccess,
              "Unable to create " + path + ": " + platform::systemErrorText(err));
    }
    if (!file.write(text)) {
        int err = file.error();
        raise(err == ENOSPC ? kErrDiskFull : kErrPathFileAccess,
              "Unable to write " + path + ": " + platform::systemErrorText(err));
    }
    if (!file.commit()) {
        int err = file.error();
        raise(err == EACCES ? kErrPermissionDenied : kErrPathFileAccess,
              "Unable to replace " + path + ": " + platform::systemErrorText(err));
    }
}

// The whole file, refused when it is no regular file or larger than any definition can be.
std::string readDefinition(const std::string& path) {
    std::string text;
    if (int err = platform::readWholeFile(path, kMaxDefinitionBytes, text); err != 0) {
        raise(err == EIO ? kErrDeviceIO : kErrPathFileAccess,
              "Unable to read " + path + ": " + platform::systemErrorText(err));
    }
    return text;
}

void reportWriteBackFailure(act::Session& session, const Error& error) {
    forms::MessageRequest request;
    request.title = "Error in Library1: Function Update_DefFile";
    request.text = error.description() + "\r\r(Error #" + std::to_string(error.number()) + ")";
    session.ui->message(request);
}

}  // namespace

const char* definitionExtension(int reportType) {
    return reportType == kCsvExport ? ".DCS" : ".DXL";
}

std::string definitionPath(const act::Session& session, const std::string& reportName,
                           int reportType) {
    return session.sTemplatesFolder() + reportName + definitionExtension(reportType);
}

bool Load_DefFile(act::Session& session, const std::string& reportName, int reportType) {
    auto path = platform::findFile(definitionPath(session, reportName, reportType));
    if (!path) {
        session.ui->message({std::string(platform::kAppTitle),
                             "The definition file for this report is missing!",
                             forms::MsgButtons::OK, forms::MsgIcon::Exclamation});
        return false;
    }
    std::string bytes = readDefinition(*path);
    std::istringstream in(platform::TextCodec::toUtf8(bytes, platform::TextCodec::detect(bytes)));
    // One write of the store for the whole definition: staging stays quick, and the report
    // builder never reads a half-staged definition.
    session.settings->batch([&] {
        session.settings->DeleteSetting(kSection);
        std::string line;
        while (std::getline(in, line)) {
            stageLine(session, std::move(line));
        }
    });
    return true;
}

std::optional<std::string> definitionFileValue(const act::Session& session,
                                               const std::string& reportName, int reportType,
                                               const std::string& key) {
    auto path = platform::findFile(definitionPath(session, reportName, reportType));
    if (!path) {
        return std::nullopt;
    }
    std::string bytes = readDefinition(*path);
    std::istringstream in(platform::TextCodec::toUtf8(bytes, platform::TextCodec::detect(bytes)));
    std::optional<std::string> value;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        auto eq = line.find('=');
        // Staging keeps the last of two lines with the same key, and so does this.
        if (eq != std::string::npos && core::equalNoCase(line.substr(0, eq), key)) {
            value = line.substr(eq + 1);
        }
    }
    return value;
}

bool Update_DefFile(act::Session& session, const std::string& reportName, int reportType) {
    try {
        std::string text;
        for (const auto& [key, value] : session.settings->GetAllSettings(kSection)) {
            text += key + "=" + value + "\r\n";
        }
        std::string path = existingOrBuiltPath(session, reportName, reportType);
        replaceFile(path, encodedLike(path, text));
        return true;
    } catch (const Error& error) {
        reportWriteBackFailure(session, error);
        throw;
    }
}

std::string stagedValue(const act::Session& session, const std::string& key) {
    return session.settings->GetSetting(kSection, key, keyDefault(key));
}

void stageValue(act::Session& session, const std::string& key, const std::string& value) {
    session.settings->SaveSetting(kSection, key, value);
}

}  // namespace bp::definitions
