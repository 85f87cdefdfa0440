#include "reports/ReportFiles.h"

#include "platform/Error.h"
#include "reports/ReportList.h"

namespace bp::reports {

const char* definitionExtension(int kind) {
    return kind == kCsvExport ? kDefinitionCsv : kDefinitionExcel;
}

std::vector<std::string> reportFiles(const std::string& templatesFolder, const std::string& name,
                                     int kind) {
    if (kind == kCsvExport) {
        return {templatesFolder + name + kDefinitionCsv};
    }
    return {templatesFolder + name + kTemplateExcel, templatesFolder + name + kDefinitionExcel};
}

bool isForbiddenNameKey(int keyAscii) {
    return keyAscii == '.' || keyAscii == '/' || keyAscii == '\\';
}

bool hasForbiddenCharacter(const std::string& name) {
    return name.find_first_of("./\\") != std::string::npos;
}

bool isBlankName(const std::string& name) {
    return name.find_first_not_of(" \t") == std::string::npos;
}

bool isAccessRefused(int errorNumber) {
    return errorNumber == kErrPermissionDenied || errorNumber == kErrPathFileAccess;
}

}  // namespace bp::reports
