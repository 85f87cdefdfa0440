#include "launcher/ReportBuilder.h"

#include <filesystem>
#include <memory>

#include "launcher/DataFile.h"
#include "launcher/ReportCells.h"
#include "launcher/ReportDefinition.h"
#include "launcher/ReportWriter.h"
#include "launcher/RowNumbering.h"
#include "launcher/TemplateSheet.h"
#include "launcher/WorkbookPackage.h"
#include "platform/Error.h"
#include "platform/PathText.h"
#include "platform/SaveFile.h"

namespace bp::launcher {
namespace {

namespace fs = std::filesystem;
constexpr const char* kBuildingPhase = "Building the report";

// Removes the files of an unfinished report however the build ends.
class TempFiles {
public:
    explicit TempFiles(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    ~TempFiles() {
        std::error_code ignored;
        for (const auto& path : paths_) {
            fs::remove(platform::pathFromUtf8(path), ignored);
        }
    }
    TempFiles(const TempFiles&) = delete;
    TempFiles& operator=(const TempFiles&) = delete;

private:
    std::vector<std::string> paths_;
};

struct OpenedWorkbook {
    WorkbookPackage package;
    std::string sheetPart;
    std::string stylesPart;
    std::unique_ptr<StyleSheet> styles;
    std::unique_ptr<TemplateSheet> sheet;
    std::vector<std::string> sharedStrings;
};

OpenedWorkbook openParts(WorkbookPackage package) {
    std::string sheetPart = package.firstSheetPart();
    std::string stylesPart = package.stylesPart();
    auto styles = std::make_unique<StyleSheet>(package.read(stylesPart));
    auto sheet = std::make_unique<TemplateSheet>(package.read(sheetPart));
    std::vector<std::string> shared;
    if (std::string part = package.sharedStringsPart(); !part.empty()) {
        shared = readSharedStrings(package.read(part));
    }
    return OpenedWorkbook{std::move(package), sheetPart,        stylesPart,
                          std::move(styles),  std::move(sheet), std::move(shared)};
}

// The report's template, or a plain workbook (and a warning) when it cannot be used.
OpenedWorkbook openWorkbook(const std::string& templatePath, const std::string& outPath,
                            std::vector<std::string>& warnings) {
    if (templatePath.empty()) {
        warnings.push_back(
            "No template is named for this report; the report was built in a plain workbook.");
    } else {
        try {
            return openParts(WorkbookPackage::fromTemplate(templatePath, outPath));
        } catch (const Error& error) {
            warnings.push_back(error.description() + " The report was built in a plain workbook.");
        }
    }
    return openParts(WorkbookPackage::plain(outPath));
}

}  // namespace

std::string ReportBuilder::dataFilePath() const {
    std::string path = settings_.GetSetting(platform::kSettingsSection, "DataFile", "");
    if (path.empty()) {
        raise(kErrFileNotFound,
              "No data file is named in the settings. Run the report from brindlepath first.");
    }
    return path;
}

std::string ReportBuilder::stagedReportName() const {
    return reportNameOf(settings_.GetSetting("Report", "Path", ""));
}

BuildResult ReportBuilder::build(const std::string& outPath, const BuildDate& today) const {
    core::Progress unwatched;
    core::Progress& progress = progress_ ? *progress_ : unwatched;
    progress.phase(kBuildingPhase);
    // Each stage before the rows are written is looked at after it ends, so a cancel asked
    // for while a large data file is read or sorted stops the build before the next stage.
    DataFile data = DataFile::read(dataFilePath());
    progress.look();
    ReportDefinition report = readDefinition(settings_, data.widestRow());
    RowOrder order(data, report.sections, regional_);
    progress.look();
    ReportCells cells(report, data, order, regional_);
    ReportLayout layout(report, order);
    RowNumbering numbering(cells);
    size_t lastRow = layout.walk(numbering);
    progress.look();
    if (lastRow > kSheetRows) {
        raise(kErrOverflow, "The report needs " + std::to_string(lastRow) +
                                " rows, more than the " + std::to_string(kSheetRows) +
                                " a sheet can hold.");
    }

    // The workbook is built in a temporary beside the report; the sheet's rows go through a
    // scratch file of their own. A build killed half-way leaves both to the next build.
    platform::SaveFile saved(outPath, "part");
    const std::string& packagePath = saved.tempPath();
    std::string sheetPath = platform::temporarySibling(outPath, "sheet");
    TempFiles cleanup({sheetPath});
    BuildResult result;
    result.reportName = report.reportName;
    OpenedWorkbook book = openWorkbook(report.templatePath, packagePath, result.warnings);

    auto serial = Regional::dateSerial(today.year, today.month, today.day);
    uint32_t dateStyle = book.styles->styleIndex(CellStyle{.numberFormat = kShortDateFormat});
    book.sheet->fillPlaceholders(report.reportName, serial.value_or(0), dateStyle,
                                 book.sharedStrings);
    book.sheet->defaultColumnWidths(report.topLeftColumn, cells.columnWidths());
    std::vector<TemplateRow> templateRows = book.sheet->takeRows();
    size_t lastColumn = report.topLeftColumn + report.columns.size() - 1;
    for (const auto& row : templateRows) {
        lastRow = std::max(lastRow, row.number);
        for (const auto& cell : row.cells) {
            lastColumn = std::max(lastColumn, cell.column);
        }
    }
    auto [head, tail] =
        book.sheet->frame("A1:" + columnLetters(lastColumn) + std::to_string(lastRow));

    SheetStream stream(sheetPath, std::move(templateRows));
    stream.write(head);
    ReportWriter writer(cells, numbering, *book.styles, stream);
    writer.reportTo(progress);
    progress.phase(kBuildingPhase, data.rowCount());
    layout.walk(writer);
    stream.finishRows();
    stream.write(tail);
    DeflatedFile sheetFile = stream.close();

    book.package.write(book.stylesPart, book.styles->xml());
    book.package.writeDeflated(book.sheetPart, sheetFile);
    book.package.finish();
    if (!saved.commit()) {
        raise(kErrPermissionDenied, "The report could not be saved as \"" + outPath + "\".");
    }
    result.path = outPath;
    result.rows = data.rowCount();
    return result;
}

}  // namespace bp::launcher
