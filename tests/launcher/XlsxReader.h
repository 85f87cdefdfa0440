#pragma once
// Reads a produced report the way a spreadsheet program would: unzips it, follows the workbook
// to its first sheet and resolves each cell's style to its font, borders and number format.

#include <map>
#include <optional>
#include <string>

#include <pugixml.hpp>

namespace bp::launcher::test {

struct Font {
    std::string name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::string color;  // ARGB hex, "" when absent
};

struct Edge {
    std::string style;  // "" when there is no line
    std::string color;
};

struct Cell {
    std::string type;     // the t attribute: "inlineStr", "s", "e", "" for numbers
    std::string text;     // inline text or the stored value
    std::string formula;  // "" when none
    unsigned style = 0;
    double number() const { return std::stod(text); }
};

class XlsxReader {
public:
    explicit XlsxReader(const std::string& path);

    bool has(const std::string& ref) const { return cells_.contains(ref); }
    const Cell& cell(const std::string& ref) const;
    std::string text(const std::string& ref) const { return has(ref) ? cell(ref).text : ""; }
    Font font(const std::string& ref) const;
    Edge top(const std::string& ref) const { return edge(ref, "top"); }
    Edge bottom(const std::string& ref) const { return edge(ref, "bottom"); }
    std::string numberFormat(const std::string& ref) const;  // the format code, or its built-in id
    std::string part(const std::string& name) const;         // raw XML of any part
    const std::map<std::string, std::string>& parts() const { return parts_; }
    const pugi::xml_document& sheet() const { return sheet_; }
    // The highest row that holds a cell.
    size_t lastRow() const;

private:
    pugi::xml_node xf(const std::string& ref) const;
    Edge edge(const std::string& ref, const char* side) const;

    std::map<std::string, std::string> parts_;
    pugi::xml_document sheet_;
    pugi::xml_document styles_;
    std::map<std::string, Cell> cells_;
};

// Writes a zip package of `parts`, each replaced by its entry in `changed` where it has one
// (an empty replacement leaves the part out): a template made to order from another.
void writePackage(const std::string& path, const std::map<std::string, std::string>& parts,
                  const std::map<std::string, std::string>& changed = {});

}  // namespace bp::launcher::test
