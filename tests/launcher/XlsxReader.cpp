#include "XlsxReader.h"

#include <algorithm>

#include <zip.h>

#include <stdexcept>

namespace bp::launcher::test {
namespace {

std::string relationTarget(const std::string& rels, const std::string& id) {
    pugi::xml_document doc;
    doc.load_string(rels.c_str());
    for (auto rel : doc.child("Relationships").children("Relationship")) {
        if (id == rel.attribute("Id").as_string()) {
            return rel.attribute("Target").as_string();
        }
    }
    return {};
}

}  // namespace

XlsxReader::XlsxReader(const std::string& path) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) {
        throw std::runtime_error("not a zip file: " + path);
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string content(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        zip_fread(file, content.data(), stat.size);
        zip_fclose(file);
        parts_[stat.name] = content;
    }
    zip_close(archive);

    pugi::xml_document book;
    book.load_string(part("xl/workbook.xml").c_str());
    std::string id =
        book.child("workbook").child("sheets").child("sheet").attribute("r:id").as_string();
    std::string target = relationTarget(part("xl/_rels/workbook.xml.rels"), id);
    if (!sheet_.load_string(part("xl/" + target).c_str(),
                            pugi::parse_default | pugi::parse_ws_pcdata)) {
        throw std::runtime_error("unreadable sheet");
    }
    if (!styles_.load_string(part("xl/styles.xml").c_str())) {
        throw std::runtime_error("unreadable styles");
    }
    for (auto row : sheet_.child("worksheet").child("sheetData").children("row")) {
        for (auto c : row.children("c")) {
            Cell cell;
            cell.type = c.attribute("t").as_string();
            cell.style = c.attribute("s").as_uint();
            cell.formula = c.child("f").text().as_string();
            cell.text = cell.type == "inlineStr" ? c.child("is").child("t").text().as_string()
                                                 : c.child("v").text().as_string();
            cells_[c.attribute("r").as_string()] = cell;
        }
    }
}

std::string XlsxReader::part(const std::string& name) const {
    auto found = parts_.find(name);
    if (found == parts_.end()) {
        throw std::runtime_error("no part " + name);
    }
    return found->second;
}

const Cell& XlsxReader::cell(const std::string& ref) const {
    auto found = cells_.find(ref);
    if (found == cells_.end()) {
        throw std::runtime_error("no cell " + ref);
    }
    return found->second;
}

size_t XlsxReader::lastRow() const {
    size_t last = 0;
    for (auto row : sheet_.child("worksheet").child("sheetData").children("row")) {
        if (row.child("c")) {
            last = std::max<size_t>(last, row.attribute("r").as_uint());
        }
    }
    return last;
}

pugi::xml_node XlsxReader::xf(const std::string& ref) const {
    unsigned index = has(ref) ? cell(ref).style : 0;
    auto node = styles_.child("styleSheet").child("cellXfs").child("xf");
    for (unsigned i = 0; i < index && node; ++i) {
        node = node.next_sibling("xf");
    }
    return node;
}

Font XlsxReader::font(const std::string& ref) const {
    unsigned index = xf(ref).attribute("fontId").as_uint();
    auto node = styles_.child("styleSheet").child("fonts").child("font");
    for (unsigned i = 0; i < index && node; ++i) {
        node = node.next_sibling("font");
    }
    Font font;
    font.name = node.child("name").attribute("val").as_string();
    font.size = node.child("sz").attribute("val").as_double();
    font.bold = static_cast<bool>(node.child("b"));
    font.italic = static_cast<bool>(node.child("i"));
    font.underline = static_cast<bool>(node.child("u"));
    font.strike = static_cast<bool>(node.child("strike"));
    font.color = node.child("color").attribute("rgb").as_string();
    return font;
}

Edge XlsxReader::edge(const std::string& ref, const char* side) const {
    unsigned index = xf(ref).attribute("borderId").as_uint();
    auto node = styles_.child("styleSheet").child("borders").child("border");
    for (unsigned i = 0; i < index && node; ++i) {
        node = node.next_sibling("border");
    }
    auto line = node.child(side);
    return Edge{line.attribute("style").as_string(),
                line.child("color").attribute("rgb").as_string()};
}

std::string XlsxReader::numberFormat(const std::string& ref) const {
    int id = xf(ref).attribute("numFmtId").as_int();
    for (auto f : styles_.child("styleSheet").child("numFmts").children("numFmt")) {
        if (f.attribute("numFmtId").as_int() == id) {
            return f.attribute("formatCode").as_string();
        }
    }
    return std::to_string(id);
}

void writePackage(const std::string& path, const std::map<std::string, std::string>& parts,
                  const std::map<std::string, std::string>& changed) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        throw std::runtime_error("cannot create " + path);
    }
    std::map<std::string, std::string> contents = parts;
    for (const auto& [name, content] : changed) {
        contents[name] = content;
    }
    for (const auto& [name, content] : contents) {
        if (content.empty()) {
            continue;
        }
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
    }
    if (zip_close(archive) != 0) {  // reads the buffers, which live until here
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace bp::launcher::test
