#include "win/PictureSession.h"

#include <windows.h>

#include "app/SessionKey.h"
#include "criteria/SessionKey.h"
#include "definitions/DefinitionFile.h"
#include "platform/PathText.h"
#include "reports/SessionKey.h"

namespace bp::win {

namespace fs = std::filesystem;

PictureSession::PictureSession(act::Session& session, const std::string& reportName)
    : session_(session),
      folder_(session.sTemplatesFolder()),
      report_(session.sReportName()),
      type_(session.iOutputType()) {
    const fs::path starter =
        platform::pathFromUtf8(platform::joinPath(session.programFolder, "brindlepath_def.DXL"));
    if (!makeFolder()) {
        problem_ = "cannot make a folder for the pictures";
        return;
    }
    std::error_code copyFailed;
    fs::copy_file(starter, temp_ / platform::pathFromUtf8(reportName + ".DXL"), copyFailed);
    if (copyFailed) {
        problem_ = "cannot stage " + platform::utf8FromPath(starter) + ": " + copyFailed.message();
        return;
    }
    session_.sTemplatesFolder.set(app::SessionKey{},
                                  platform::withTrailingSeparator(platform::utf8FromPath(temp_)));
    session_.sReportName.set(reports::SessionKey{}, reportName);
    session_.iOutputType.set(criteria::SessionKey{}, definitions::kExcelReport);
}

PictureSession::~PictureSession() {
    session_.sTemplatesFolder.set(app::SessionKey{}, folder_);
    session_.sReportName.set(reports::SessionKey{}, report_);
    session_.iOutputType.set(criteria::SessionKey{}, type_);
    if (!temp_.empty()) {
        std::error_code ignored;
        fs::remove_all(temp_, ignored);
    }
}

bool PictureSession::makeFolder() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) {
        return false;
    }
    // A name no other run of the program uses: an earlier run's leftovers are never reused.
    const std::string stem = "brindlepath-pictures-" + std::to_string(GetCurrentProcessId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (stem + "-" + std::to_string(attempt));
        if (fs::create_directory(candidate, error)) {
            temp_ = candidate;
            return true;
        }
    }
    return false;
}

}  // namespace bp::win
