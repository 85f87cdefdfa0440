#pragma once
// Writes the rows of a sheet straight into a compressed file, cell after cell, so a report of a
// million rows never exists as a document in memory, nor uncompressed on disk. The template's own
// rows are merged in by row number; where a report cell and a template cell share a place, the
// report's cell wins.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/DeflateFile.h"
#include "launcher/TemplateSheet.h"

namespace bp::launcher {

class SheetStream {
public:
    // Raises bp::Error when the file cannot be created.
    SheetStream(const std::string& path, std::vector<TemplateRow> templateRows);
    SheetStream(const SheetStream&) = delete;
    SheetStream& operator=(const SheetStream&) = delete;

    void write(std::string_view raw);

    // Cells of a row come in column order.
    void beginRow(size_t row);
    // Text is always stored as text: "=SUM(A1)" in a contact's name never becomes a formula.
    void text(size_t column, std::string_view value, uint32_t style);
    void number(size_t column, double value, uint32_t style);
    // A formula with its value as last computed; no value stands for a division by zero.
    void formula(size_t column, std::string_view formula, std::optional<double> cached,
                 uint32_t style);
    void styled(size_t column, uint32_t style);
    void endRow();

    // Writes the template rows below the last report row; then the file can be closed.
    void finishRows();
    // Raises bp::Error when the file could not be written completely.
    DeflatedFile close();

private:
    void openCell(size_t column, uint32_t style, const char* type);
    void flushTemplateRowsBefore(size_t row);
    void writeTemplateRow(const TemplateRow& row);
    const std::string& letters(size_t column);
    const std::string& styleText(uint32_t style);  // the attribute, as ` s="3"`

    DeflateFile file_;
    std::vector<TemplateRow> templateRows_;
    size_t nextTemplate_ = 0;
    std::string rowText_;  // the digits of the current row number
    // A row the template also has is gathered in cells_ to be merged; any other row is written
    // where out_ points, straight into the compressor's chunk.
    bool merging_ = false;
    std::string* out_ = nullptr;
    size_t rowStart_ = 0;   // where the row began in *out_
    size_t cellsFrom_ = 0;  // where its cells begin in *out_
    std::string cells_;
    std::vector<std::pair<size_t, size_t>> cellStarts_;  // column, offset in cells_
    std::vector<std::string> letters_;
    std::vector<std::string> styleTexts_;
};

}  // namespace bp::launcher
