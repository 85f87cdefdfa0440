#include "definitions/DefinitionFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "definitions/DefinitionKeys.h"
#include "forms/UiService.h"
#include "platform/AppInfo.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"

namespace bp::definitions {
namespace {

constexpr std::string_view kSection = kStagingSection;

std::string existingOrBuiltPath(const act::Session& session, const std::string& reportName,
                                int reportType) {
    std::string path = definitionPath(session, reportName, reportType);
    return platform::findFile(path).value_or(path);
}

void stageLine(act::Session& session, std::string line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return;
    auto eq = line.find('=');
    // A line without "=" has no value to stage; the caller's handler reports it.
    if (eq == std::string::npos)
        raise(kErrSubscript, "Subscript out of range");
    // Everything after the first "=" is the value, so a caption holding "=" survives.
    session.settings->SaveSetting(kSection, line.substr(0, eq), line.substr(eq + 1));
}

void writeAll(int fd, const std::string& text, const std::string& path) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            raise(errno == ENOSPC ? kErrDiskFull : kErrPathFileAccess,
                  "Unable to write " + path + ": " + std::strerror(errno));
        }
        done += static_cast<size_t>(n);
    }
}

void replaceFile(const std::string& path, const std::string& text) {
    std::string temp = path + ".new~";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        raise(errno == EACCES ? kErrPermissionDenied : kErrPathFileAccess,
              "Unable to create " + temp + ": " + std::strerror(errno));
    }
    try {
        writeAll(fd, text, temp);
        if (::fsync(fd) != 0)
            raise(kErrDeviceIO, "Unable to write " + temp);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    ::close(fd);
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        raise(err == EACCES ? kErrPermissionDenied : kErrPathFileAccess,
              "Unable to replace " + path + ": " + std::strerror(err));
    }
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
    std::ifstream in(*path, std::ios::binary);
    if (!in)
        raise(kErrPathFileAccess, "Unable to read " + *path);
    // One write of the store for the whole definition: staging stays quick, and the report
    // builder never reads a half-staged definition.
    session.settings->batch([&] {
        session.settings->DeleteSetting(kSection);
        std::string line;
        while (std::getline(in, line))
            stageLine(session, std::move(line));
    });
    if (in.bad())
        raise(kErrDeviceIO, "Unable to read " + *path);
    return true;
}

bool Update_DefFile(act::Session& session, const std::string& reportName, int reportType) {
    try {
        std::string text;
        for (const auto& [key, value] : session.settings->GetAllSettings(kSection)) {
            text += key + "=" + value + "\r\n";
        }
        replaceFile(existingOrBuiltPath(session, reportName, reportType), text);
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
