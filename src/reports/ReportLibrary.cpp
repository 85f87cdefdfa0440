#include "reports/ReportLibrary.h"

#include "platform/AppInfo.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "platform/SettingsStore.h"
#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/FrmReportList.h"
#include "reports/ReportFiles.h"
#include "reports/ReportList.h"

namespace bp::reports {

ReportLibrary::ReportLibrary(act::Session& session, ReportsWindow& window)
    : session_(session),
      window_(window),
      frmNew_(std::make_unique<FrmNew>(*this)),
      frmRename_(std::make_unique<FrmRename>(*this)),
      frmReportList_(std::make_unique<FrmReportList>(*this)) {}

ReportLibrary::~ReportLibrary() = default;

std::string ReportLibrary::templatePath(const std::string& name, const char* extension) const {
    return session_.sTemplatesFolder() + name + extension;
}

std::string ReportLibrary::definitionPath(const std::string& name) const {
    return templatePath(name, definitionExtension(session_.iOutputType()));
}

void ReportLibrary::reload() {
    Load_Reports(window_.lstReports(), session_.iOutputType(), session_.sTemplatesFolder());
}

void ReportLibrary::selectPosition(int position) {
    forms::ListBox& list = window_.lstReports();
    if (position >= 0 && position < list.listCount()) {
        list.setListIndex(position);
    }
}

void ReportLibrary::findName(const std::string& name) {
    selectPosition(window_.lstReports().findItem(name));
}

void ReportLibrary::showReportSettings() {
    if (openReportSettings) {
        openReportSettings();
    }
}

void ReportLibrary::makeCsv(const std::string& name) {
    platform::copyFile(templatePath(name, kDefinitionExcel), templatePath(name, kDefinitionCsv));
    tell(kCsvCreated);
}

void ReportLibrary::editExcelTemplate(const std::string& name) {
    session_.settings->SaveSetting(platform::kSettingsSection, "Template", "1");
    session_.settings->SaveSetting(platform::kSettingsSection, "TemplatePath",
                                   templatePath(name, kTemplateExcel));
    // The builder reads both values, opens the template itself and clears the flag. When it
    // did not start, nobody clears it, and the next report run would open the template
    // instead of building the report.
    if (!session_.launcher->launch(session_.programFolder)) {
        session_.settings->SaveSetting(platform::kSettingsSection, "Template", "0");
    }
}

bool ReportLibrary::confirmDeletion(const std::string& name) {
    forms::MessageRequest request;
    request.title = "Confirm Deletion";
    request.text = "Are you sure you want to delete the report named " + name + " ?";
    request.buttons = forms::MsgButtons::OKCancel;
    request.icon = forms::MsgIcon::Critical;
    request.defaultButton = 1;
    return ui().message(request) == forms::MsgResult::OK;
}

void ReportLibrary::deleteReportFiles(const std::string& name) {
    for (const std::string& path :
         reportFiles(session_.sTemplatesFolder(), name, session_.iOutputType())) {
        if (platform::fileExists(path)) {
            platform::deleteFile(path);
        }
    }
}

void ReportLibrary::tell(const std::string& text, forms::MsgIcon icon) const {
    forms::MessageRequest request;
    request.title = std::string(platform::kAppTitle);
    request.text = text;
    request.buttons = forms::MsgButtons::OK;
    request.icon = icon;
    ui().message(request);
}

}  // namespace bp::reports
