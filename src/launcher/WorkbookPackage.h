#pragma once
// The report file as a zip package of spreadsheet parts. It starts as a byte copy of the
// template (or of a plain workbook when there is none), so every part the report does not touch
// (images, drawings, printer settings, other sheets) is carried over exactly.

#include <list>
#include <map>
#include <string>

#include <pugixml.hpp>

#include "launcher/DeflateFile.h"

struct zip;

namespace bp::launcher {

class WorkbookPackage {
public:
    // Copies `templatePath` to `outPath` and opens the copy. Raises bp::Error when the file
    // is missing or is not a spreadsheet package; nothing is left at `outPath` then.
    static WorkbookPackage fromTemplate(const std::string& templatePath,
                                        const std::string& outPath);
    // A workbook of one empty sheet written to `outPath`.
    static WorkbookPackage plain(const std::string& outPath);

    WorkbookPackage(WorkbookPackage&& other) noexcept;
    WorkbookPackage& operator=(WorkbookPackage&&) = delete;
    ~WorkbookPackage();

    bool has(const std::string& part) const;
    std::string read(const std::string& part) const;  // raises bp::Error when absent
    void write(const std::string& part, std::string content);
    // A big part taken, already compressed, from a file at close time; the file must live
    // until then.
    void writeDeflated(const std::string& part, const DeflatedFile& file);
    void remove(const std::string& part);

    // "xl/worksheets/sheet1.xml": the part of the workbook's first sheet.
    std::string firstSheetPart() const;
    // "xl/styles.xml": the workbook's style part.
    std::string stylesPart() const;
    // "xl/sharedStrings.xml", or "" when the workbook has none.
    std::string sharedStringsPart() const;
    // Marks the package as a workbook (not a template), drops the stale calculation chain and
    // asks for recalculation on open; then writes the package out.
    void finish();

private:
    WorkbookPackage(zip* archive, std::string path);
    std::string workbookPart() const;
    std::string relatedPart(const std::string& typeSuffix) const;
    // Raises bp::Error when the package's content types cannot be read.
    pugi::xml_document contentTypes() const;
    void fixContentTypes();
    void fixWorkbook();

    zip* archive_ = nullptr;
    std::string path_;
    std::list<std::string> buffers_;  // replaced parts, kept alive until the package is written
    std::map<std::string, const std::string*> written_;  // an archive cannot read back added parts
};

// "xl/workbook.xml" + "worksheets/sheet1.xml" -> "xl/worksheets/sheet1.xml".
std::string resolvePartPath(const std::string& sourcePart, const std::string& target);

}  // namespace bp::launcher
