#include "reports/ReportList.h"

#include "criteria/Library1.h"
#include "platform/FileSystem.h"

namespace bp::reports {

std::string Ext(const std::string& fileName) {
    return fileName.size() <= 4 ? fileName : fileName.substr(fileName.size() - 4);
}

std::string NameOnly(const std::string& fileName) {
    return fileName.substr(0, fileName.find('.'));
}

namespace {

bool isListed(const std::string& file, int kind, const std::string& templatesFolder) {
    switch (kind) {
        case kExcelReport:
            return Ext(file) == kDefinitionExcel &&
                   platform::fileExists(templatesFolder + NameOnly(file) + kTemplateExcel);
        case kCsvExport:
            return Ext(file) == kDefinitionCsv;
        default:
            return false;
    }
}

}  // namespace

void Load_Reports(forms::ListBox& list, int kind, const std::string& templatesFolder) {
    if (list.listCount() > 0) {
        criteria::Empty_List(list);
    }
    if (!platform::folderExists(templatesFolder)) {
        return;
    }
    for (const std::string& file : platform::listFiles(templatesFolder)) {
        if (isListed(file, kind, templatesFolder)) {
            list.addItem(NameOnly(file));
        }
    }
}

}  // namespace bp::reports
