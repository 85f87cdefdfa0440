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
    row_ = row;
    rowText_ = std::to_string(row);
    cells_.clear();
    cellStarts_.clear();
}

void SheetStream::openCell(size_t column, uint32_t style, const char* type) {
    cellStarts_.emplace_back(column, cells_.size());
    cells_ += "<c r=\"";
    cells_ += letters(column);
    cells_ += rowText_;
    cells_ += '"';
    if (style != 0) {
        cells_ += styleText(style);
    }
    if (type) {
        cells_ += " t=\"";
        cells_ += type;
        cells_ += '"';
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
    cells_ += needsPreserve(value) ? "><is><t xml:space=\"preserve\">" : "><is><t>";
    // Longer text would be refused by spreadsheet programs as a whole.
    appendXmlEscaped(cells_, cutToUnits(value, kCellTextLimit));
    cells_ += "</t></is></c>";
}

void SheetStream::number(size_t column, double value, uint32_t style) {
    if (!std::isfinite(value)) {
        return;
    }
    openCell(column, style, nullptr);
    cells_ += "><v>";
    appendNumber(cells_, value);
    cells_ += "</v></c>";
}

void SheetStream::formula(size_t column, std::string_view formula, std::optional<double> cached,
                          uint32_t style) {
    openCell(column, style, cached ? nullptr : "e");
    cells_ += "><f>";
    appendXmlEscaped(cells_, formula);
    cells_ += "</f><v>";
    if (cached) {
        appendNumber(cells_, *cached);
    } else {
        cells_ += "#DIV/0!";
    }
    cells_ += "</v></c>";
}

void SheetStream::styled(size_t column, uint32_t style) {
    openCell(column, style, nullptr);
    cells_ += "/>";
}

void SheetStream::endRow() {
    const TemplateRow* own = nullptr;
    if (nextTemplate_ < templateRows_.size() && templateRows_[nextTemplate_].number == row_) {
        own = &templateRows_[nextTemplate_++];
    }
    if (!own && cells_.empty()) {
        return;
    }
    write("<row r=\"");
    write(rowText_);
    write("\"");
    if (own) {
        write(own->attributes);
    }
    write(">");
    if (!own) {
        write(cells_);
    } else {
        // Both lists are in column order; a report cell replaces the template's at its place.
        size_t mine = 0;
        cellStarts_.emplace_back(SIZE_MAX, cells_.size());
        for (const auto& cell : own->cells) {
            while (cellStarts_[mine].first < cell.column) {
                write(std::string_view(cells_).substr(
                    cellStarts_[mine].second,
                    cellStarts_[mine + 1].second - cellStarts_[mine].second));
                ++mine;
            }
            if (cellStarts_[mine].first != cell.column) {
                write(cell.xml);
            }
        }
        write(std::string_view(cells_).substr(cellStarts_[mine].second));
    }
    write("</row>");
}

void SheetStream::finishRows() {
    flushTemplateRowsBefore(SIZE_MAX);
}

DeflatedFile SheetStream::close() {
    return file_.finish();
}

}  // namespace bp::launcher
