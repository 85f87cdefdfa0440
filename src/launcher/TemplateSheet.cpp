#include "launcher/TemplateSheet.h"

#include <algorithm>
#include <sstream>

#include "launcher/ReportDefinition.h"
#include "launcher/XmlText.h"
#include "platform/Error.h"
#include "platform/TextCodec.h"

namespace bp::launcher {
namespace {

constexpr const char* kRowsMark = "@@brindlepath-rows@@";
constexpr const char* kReportMark = "<report>";
constexpr const char* kDateMark = "<date>";

std::string serializeNode(pugi::xml_node node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

// The visible text of a string item: its <t>, or the <t> of each run.
std::string itemText(pugi::xml_node item) {
    if (auto t = item.child("t")) {
        return t.text().as_string();
    }
    std::string text;
    for (auto run : item.children("r")) {
        text += run.child("t").text().as_string();
    }
    return text;
}

std::string cellText(pugi::xml_node cell, const std::vector<std::string>& shared) {
    std::string type = cell.attribute("t").as_string();
    if (type == "inlineStr") {
        return itemText(cell.child("is"));
    }
    if (type == "s") {
        size_t index = cell.child("v").text().as_ullong(shared.size());
        return index < shared.size() ? shared[index] : std::string();
    }
    return {};
}

void setInlineText(pugi::xml_node cell, const std::string& text) {
    while (cell.first_child()) {
        cell.remove_child(cell.first_child());
    }
    cell.remove_attribute("t");
    cell.append_attribute("t") = "inlineStr";
    pugi::xml_node t = cell.append_child("is").append_child("t");
    t.append_attribute("xml:space") = "preserve";
    t.text() = xmlCharacters(text).c_str();
}

void setDate(pugi::xml_node cell, double serial, unsigned dateStyle) {
    while (cell.first_child()) {
        cell.remove_child(cell.first_child());
    }
    cell.remove_attribute("t");
    if (cell.attribute("s").as_uint() == 0) {
        cell.remove_attribute("s");
        cell.append_attribute("s") = dateStyle;
    }
    cell.append_child("v").text() = serial;
}

// The sheet's text goes into the report as it stands, so it must be readable there.
const std::string& checked(const std::string& xml) {
    if (!platform::TextCodec::isUtf8(xml)) {
        raise(kErrInvalidCall, "The template's first sheet holds text that is not UTF-8.");
    }
    return xml;
}

}  // namespace

std::pair<size_t, size_t> parseCellRef(std::string_view ref) {
    size_t i = 0;
    size_t column = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z') {
        column = column * 26 + static_cast<size_t>(ref[i++] - 'A' + 1);
    }
    size_t row = 0;
    while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9') {
        row = row * 10 + static_cast<size_t>(ref[i++] - '0');
    }
    if (column == 0 || row == 0 || i != ref.size()) {
        return {0, 0};
    }
    return {column - 1, row};
}

std::vector<std::string> readSharedStrings(const std::string& xml) {
    pugi::xml_document doc;
    std::vector<std::string> texts;
    if (!doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata)) {
        return texts;
    }
    for (auto item : doc.child("sst").children("si")) {
        texts.push_back(itemText(item));
    }
    return texts;
}

TemplateSheet::TemplateSheet(const std::string& xml) {
    if (!loadXmlPart(doc_, xml, pugi::parse_default | pugi::parse_ws_pcdata_single)) {
        raise(kErrInvalidCall, "The template's first sheet could not be read.");
    }
    sheetData_ = doc_.child("worksheet").child("sheetData");
    if (!sheetData_) {
        raise(kErrInvalidCall, "The template's first sheet could not be read.");
    }
    // Rows past the sheet's end make a workbook no spreadsheet program opens, and a package of
    // a few hundred KB can expand to millions of them, each of which the report keeps.
    size_t rows = 0;
    size_t lastRow = 0;
    for (auto row : sheetData_.children("row")) {
        lastRow = row.attribute("r").as_ullong(lastRow + 1);
        if (lastRow > kSheetRows || ++rows > kSheetRows) {
            raise(kErrInvalidCall,
                  "The template's first sheet has rows past the sheet's last row " +
                      std::to_string(kSheetRows) + ".");
        }
    }
}

void TemplateSheet::fillPlaceholders(const std::string& reportName, double dateSerial,
                                     unsigned dateStyle,
                                     const std::vector<std::string>& sharedStrings) {
    for (auto row : sheetData_.children("row")) {
        for (auto cell : row.children("c")) {
            std::string text = cellText(cell, sharedStrings);
            if (text == kDateMark) {
                setDate(cell, dateSerial, dateStyle);
                continue;
            }
            size_t at = text.find(kReportMark);
            if (at == std::string::npos) {
                continue;
            }
            while (at != std::string::npos) {
                text.replace(at, std::char_traits<char>::length(kReportMark), reportName);
                at = text.find(kReportMark, at + reportName.size());
            }
            setInlineText(cell, text);
        }
    }
}

void TemplateSheet::defaultColumnWidths(size_t firstColumn, const std::vector<double>& widths) {
    pugi::xml_node sheet = doc_.child("worksheet");
    if (sheet.child("cols") || widths.empty()) {
        return;
    }
    pugi::xml_node cols = sheet.insert_child_before("cols", sheetData_);
    for (size_t i = 0; i < widths.size(); ++i) {
        pugi::xml_node col = cols.append_child("col");
        col.append_attribute("min") = firstColumn + i + 1;
        col.append_attribute("max") = firstColumn + i + 1;
        col.append_attribute("width") = widths[i];
        col.append_attribute("customWidth") = 1;
    }
}

std::vector<TemplateRow> TemplateSheet::takeRows() {
    std::vector<TemplateRow> rows;
    size_t lastRow = 0;
    for (auto row : sheetData_.children("row")) {
        TemplateRow taken;
        taken.number = row.attribute("r").as_ullong(lastRow + 1);
        lastRow = taken.number;
        for (auto attribute : row.attributes()) {
            std::string name = attribute.name();
            if (name == "r" || name == "spans") {
                continue;  // the report writes the number; spans may no longer be right
            }
            taken.attributes += " " + name + "=\"" + xmlEscaped(attribute.value()) + "\"";
        }
        size_t lastColumn = 0;
        for (auto cell : row.children("c")) {
            auto [column, number] = parseCellRef(cell.attribute("r").as_string());
            if (number == 0) {
                column = lastColumn + (taken.cells.empty() ? 0 : 1);
                cell.remove_attribute("r");
                std::string ref = columnLetters(column) + std::to_string(taken.number);
                cell.prepend_attribute("r") = ref.c_str();
            }
            lastColumn = column;
            taken.cells.push_back(TemplateCell{column, checked(serializeNode(cell))});
        }
        rows.push_back(std::move(taken));
    }
    while (sheetData_.first_child()) {
        sheetData_.remove_child(sheetData_.first_child());
    }
    std::stable_sort(rows.begin(), rows.end(), [](const TemplateRow& a, const TemplateRow& b) {
        return a.number < b.number;
    });
    return rows;
}

std::pair<std::string, std::string> TemplateSheet::frame(const std::string& dimension) {
    pugi::xml_node sheet = doc_.child("worksheet");
    pugi::xml_node ref = sheet.child("dimension");
    if (!ref) {
        pugi::xml_node properties = sheet.child("sheetPr");
        ref = properties ? sheet.insert_child_after("dimension", properties)
                         : sheet.prepend_child("dimension");
    }
    ref.remove_attribute("ref");
    ref.append_attribute("ref") = dimension.c_str();
    sheetData_.append_child(pugi::node_pcdata).set_value(kRowsMark);
    std::ostringstream out;
    doc_.save(out, "", pugi::format_raw);
    sheetData_.remove_child(sheetData_.first_child());
    std::string text = out.str();
    size_t mark = text.find(kRowsMark);
    checked(text);
    return {text.substr(0, mark), text.substr(mark + std::string(kRowsMark).size())};
}

}  // namespace bp::launcher
