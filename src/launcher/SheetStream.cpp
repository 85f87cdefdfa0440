#include "launcher/SheetStream.h"

#include <charconv>
#include <cmath>

#include "launcher/ReportDefinition.h"
#include "launcher/XmlText.h"
#include "platform/Error.h"

namespace bp::launcher {
namespace {

constexpr size_t kCellTextLimit = 32767;

bool needsPreserve(std::string_view text) {
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !text.empty() && (space(text.front()) || space(text.back()));
}

void appendNumber(std::string& out, double value) {
    char digits[32];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, ec == std::errc() ? end : digits);
}

}  // namespace

SheetStream::SheetStream(const std::string& path, std::vector<TemplateRow> templateRows)
    : file_(path, DeflateFile::kSheetLevel), templateRows_(std::move(templateRows)) {}

// The compressor gathers its own chunks, so text goes to it without another buffer.
void SheetStream::write(std::string_view raw) {
    file_.append(raw);
}

const std::string& SheetStream::letters(size_t column) {
    while (letters_.size() <= column) {
        letters_.push_back(columnLetters(letters_.size()));
    }
    return letters_[column];
}

const std::string& SheetStream::styleText(uint32_t style) {
    while (styleTexts_.size() <= style) {
        styleTexts_.push_back(" s=\"" + std::to_string(styleTexts_.size()) + "\"");
    }
    return styleTexts_[style];
}

void SheetStream::flushTemplateRowsBefore(size_t row) {
    while (nextTemplate_ < templateRows_.size() && templateRows_[nextTemplate_].number < row) {
        writeTemplateRow(templateRows_[nextTemplate_++]);
    }
}

void SheetStream::writeTemplateRow(const TemplateRow& row) {
    std::string text = "<row r=\"" + std::to_string(row.number) + "\"" + row.attributes + ">";
    for (const auto& cell : row.cells) {
        text += cell.xml;
    }
    text += "</row>";
    write(text);
}

void SheetStream::beginRow(size_t row) {
    flushTemplateRowsBefore(row);
    rowText_ = std::to_string(row);
    cellStarts_.clear();
    merging_ = nextTemplate_ < templateRows_.size() && templateRows_[nextTemplate_].number == row;
    if (merging_) {
        cells_.clear();
        out_ = &cells_;
        return;
    }
    // A row of the report's own goes straight into the compressor's chunk, without a copy.
    out_ = &file_.gathering();
    rowStart_ = out_->size();
    *out_ += "<row r=\"";
    *out_ += rowText_;
    *out_ += "\">";
    cellsFrom_ = out_->size();
}

void SheetStream::openCell(size_t column, uint32_t style, const char* type) {
    if (merging_) {
        cellStarts_.emplace_back(column, cells_.size());
    }
    *out_ += "<c r=\"";
    *out_ += letters(column);
    *out_ += rowText_;
    *out_ += '"';
    if (style != 0) {
        *out_ += styleText(style);
    }
    if (type) {
        *out_ += " t=\"";
        *out_ += type;
        *out_ += '"';
    }
}

void SheetStream::text(size_t column, std::string_view value, uint32_t style) {
    if (value.empty()) {
        if (style != 0) {
            styled(column, style);
        }
        return;
    }
    openCell(column, style, "inlineStr");
    *out_ += needsPreserve(value) ? "><is><t xml:space=\"preserve\">" : "><is><t>";
    // Longer text would be refused by spreadsheet programs as a whole.
    appendXmlEscaped(*out_, cutToUnits(value, kCellTextLimit));
    *out_ += "</t></is></c>";
}

void SheetStream::number(size_t column, double value, uint32_t style) {
    if (!std::isfinite(value)) {
        return;
    }
    openCell(column, style, nullptr);
    *out_ += "><v>";
    appendNumber(*out_, value);
    *out_ += "</v></c>";
}

void SheetStream::formula(size_t column, std::string_view formula, std::optional<double> cached,
                          uint32_t style) {
    openCell(column, style, cached ? nullptr : "e");
    *out_ += "><f>";
    appendXmlEscaped(*out_, formula);
    *out_ += "</f><v>";
    if (cached) {
        appendNumber(*out_, *cached);
    } else {
        *out_ += "#DIV/0!";
    }
    *out_ += "</v></c>";
}

void SheetStream::styled(size_t column, uint32_t style) {
    openCell(column, style, nullptr);
    *out_ += "/>";
}

void SheetStream::endRow() {
    if (!merging_) {
        if (out_->size() == cellsFrom_) {
            out_->resize(rowStart_);  // a row without cells is left out
        } else {
            *out_ += "</row>";
            file_.gathered();
        }
        return;
    }
    const TemplateRow* own = &templateRows_[nextTemplate_++];
    write("<row r=\"");
    write(rowText_);
    write("\"");
    write(own->attributes);
    write(">");
    // Both lists are in column order; a report cell replaces the template's at its place.
    size_t mine = 0;
    cellStarts_.emplace_back(SIZE_MAX, cells_.size());
    for (const auto& cell : own->cells) {
        while (cellStarts_[mine].first < cell.column) {
            write(std::string_view(cells_).substr(
                cellStarts_[mine].second, cellStarts_[mine + 1].second - cellStarts_[mine].second));
            ++mine;
        }
        if (cellStarts_[mine].first != cell.column) {
            write(cell.xml);
        }
    }
    write(std::string_view(cells_).substr(cellStarts_[mine].second));
    write("</row>");
}

void SheetStream::finishRows() {
    flushTemplateRowsBefore(SIZE_MAX);
}

DeflatedFile SheetStream::close() {
    return file_.finish();
}

}  // namespace bp::launcher
