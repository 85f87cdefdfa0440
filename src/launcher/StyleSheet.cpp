#include "launcher/StyleSheet.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "launcher/XmlText.h"
#include "platform/Error.h"

namespace bp::launcher {
namespace {

// The order the style sheet's parts must keep.
constexpr std::array<const char*, 11> kPartOrder{"numFmts",      "fonts",   "fills",      "borders",
                                                 "cellStyleXfs", "cellXfs", "cellStyles", "dxfs",
                                                 "tableStyles",  "colors",  "extLst"};

// Stored colours keep red in the low byte; the sheet wants opaque ARGB hex.
std::string argb(uint32_t color) {
    char text[9];
    std::snprintf(text, sizeof text, "FF%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    return text;
}

const char* lineName(BorderLine line) {
    switch (line) {
        case BorderLine::Medium:
            return "medium";
        case BorderLine::Thick:
            return "thick";
        case BorderLine::Double:
            return "double";
        case BorderLine::Thin:
            break;
    }
    return "thin";
}

void addEdge(pugi::xml_node border, const char* edge, const std::optional<BorderSpec>& edgeStyle) {
    pugi::xml_node node = border.append_child(edge);
    if (!edgeStyle) {
        return;
    }
    node.append_attribute("style") = lineName(edgeStyle->line);
    node.append_child("color").append_attribute("rgb") = argb(edgeStyle->color).c_str();
}

uint32_t countAndAppend(pugi::xml_node list, pugi::xml_node& added, const char* child) {
    uint32_t index = 0;
    for (auto c = list.child(child); c; c = c.next_sibling(child)) {
        ++index;
    }
    added = list.append_child(child);
    list.remove_attribute("count");
    list.prepend_attribute("count") = index + 1;
    return index;
}

}  // namespace

StyleSheet::StyleSheet(const std::string& xml) {
    if (!loadXmlPart(doc_, xml, pugi::parse_default | pugi::parse_ws_pcdata_single) ||
        !doc_.child("styleSheet")) {
        raise(kErrInvalidCall, "The template's styles could not be read.");
    }
    if (!part("fonts").child("font")) {
        addFont(FontSpec{"Calibri", 11});
    }
    if (!part("fills").child("fill")) {
        pugi::xml_node fill;
        countAndAppend(part("fills"), fill, "fill");
        fill.append_child("patternFill").append_attribute("patternType") = "none";
    }
    if (!part("borders").child("border")) {
        addBorder(CellStyle{});
    }
    if (!part("cellStyleXfs").child("xf")) {
        pugi::xml_node xf;
        countAndAppend(part("cellStyleXfs"), xf, "xf");
        for (const char* attribute : {"numFmtId", "fontId", "fillId", "borderId"}) {
            xf.append_attribute(attribute) = 0;
        }
    }
    if (!part("cellXfs").child("xf")) {
        pugi::xml_node xf;
        countAndAppend(part("cellXfs"), xf, "xf");
        xf.append_attribute("numFmtId") = 0;
        xf.append_attribute("fontId") = 0;
        xf.append_attribute("fillId") = 0;
        xf.append_attribute("borderId") = 0;
    }
}

pugi::xml_node StyleSheet::part(const char* name) {
    pugi::xml_node sheet = doc_.child("styleSheet");
    if (auto node = sheet.child(name)) {
        return node;
    }
    // Insert before the first part that must come after it.
    bool after = false;
    for (const char* later : kPartOrder) {
        if (std::strcmp(later, name) == 0) {
            after = true;
            continue;
        }
        if (after) {
            if (auto next = sheet.child(later)) {
                return sheet.insert_child_before(name, next);
            }
        }
    }
    return sheet.append_child(name);
}

FontSpec StyleSheet::defaultFont() const {
    FontSpec font{"Calibri", 11};
    pugi::xml_node first = doc_.child("styleSheet").child("fonts").child("font");
    if (auto name = first.child("name").attribute("val")) {
        font.name = name.as_string();
    }
    if (auto size = first.child("sz").attribute("val")) {
        font.size = size.as_double(11);
    }
    return font;
}

uint32_t StyleSheet::addFont(const FontSpec& font) {
    pugi::xml_node node;
    uint32_t index = countAndAppend(part("fonts"), node, "font");
    if (font.bold) {
        node.append_child("b");
    }
    if (font.italic) {
        node.append_child("i");
    }
    if (font.strikeThrough) {
        node.append_child("strike");
    }
    if (font.underline) {
        node.append_child("u");
    }
    node.append_child("sz").append_attribute("val") = font.size;
    node.append_child("color").append_attribute("rgb") = argb(font.color).c_str();
    node.append_child("name").append_attribute("val") = xmlCharacters(font.name).c_str();
    return index;
}

uint32_t StyleSheet::addBorder(const CellStyle& style) {
    pugi::xml_node node;
    uint32_t index = countAndAppend(part("borders"), node, "border");
    addEdge(node, "left", std::nullopt);
    addEdge(node, "right", std::nullopt);
    addEdge(node, "top", style.top);
    addEdge(node, "bottom", style.bottom);
    addEdge(node, "diagonal", std::nullopt);
    return index;
}

int StyleSheet::formatId(int numberFormat) {
    if (numberFormat != kHiddenFormat) {
        return numberFormat;
    }
    if (hiddenFormatId_ >= 0) {
        return hiddenFormatId_;
    }
    pugi::xml_node formats = part("numFmts");
    int id = 164;  // the first number free for a workbook's own formats
    for (auto f = formats.child("numFmt"); f; f = f.next_sibling("numFmt")) {
        id = std::max(id, f.attribute("numFmtId").as_int() + 1);
    }
    pugi::xml_node added;
    countAndAppend(formats, added, "numFmt");
    added.append_attribute("numFmtId") = id;
    added.append_attribute("formatCode") = ";;;";
    hiddenFormatId_ = id;
    return id;
}

uint32_t StyleSheet::styleIndex(const CellStyle& style) {
    if (auto found = styles_.find(style); found != styles_.end()) {
        return found->second;
    }
    uint32_t fontId = 0;
    if (style.font) {
        auto [font, added] = fonts_.try_emplace(*style.font, 0);
        if (added) {
            font->second = addFont(*style.font);
        }
        fontId = font->second;
    }
    uint32_t borderId = 0;
    if (style.top || style.bottom) {
        auto [border, added] = borders_.try_emplace(std::pair(style.top, style.bottom), 0);
        if (added) {
            border->second = addBorder(style);
        }
        borderId = border->second;
    }
    pugi::xml_node xf;
    uint32_t index = countAndAppend(part("cellXfs"), xf, "xf");
    xf.append_attribute("numFmtId") = formatId(style.numberFormat);
    xf.append_attribute("fontId") = fontId;
    xf.append_attribute("fillId") = 0;
    xf.append_attribute("borderId") = borderId;
    xf.append_attribute("xfId") = 0;
    if (style.numberFormat != kGeneralFormat) {
        xf.append_attribute("applyNumberFormat") = 1;
    }
    if (style.font) {
        xf.append_attribute("applyFont") = 1;
    }
    if (borderId != 0) {
        xf.append_attribute("applyBorder") = 1;
    }
    styles_.emplace(style, index);
    return index;
}

std::string StyleSheet::xml() const {
    std::ostringstream out;
    doc_.save(out, "", pugi::format_raw);
    return out.str();
}

}  // namespace bp::launcher
