#pragma once
// Text as it goes into the parts of a workbook. Every piece of text the report writes into XML
// passes through appendXmlEscaped, so no part can hold markup characters, characters XML 1.0
// cannot carry, or bytes that are not UTF-8 (which spreadsheet programs refuse to open).

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace bp::launcher {

// Appends `text` escaped for an XML text node or a quoted attribute value: & < > " ' as entities,
// tab, line feed and carriage return as character references (so an attribute keeps them too),
// other control characters and U+FFFE/U+FFFF, which XML cannot hold at all, as spaces.
// Raises bp::Error when `text` is not UTF-8: such text would make the whole part unreadable.
void appendXmlEscaped(std::string& out, std::string_view text);
std::string xmlEscaped(std::string_view text);

// The text with the characters XML cannot hold replaced by spaces, for text handed to an XML
// library, which escapes markup itself but writes such characters as references no reader
// accepts. Raises bp::Error as appendXmlEscaped does.
std::string xmlCharacters(std::string_view text);

// Parses a part the report reads and writes back: false unless the text is XML with exactly
// one root element. The XML library also takes several roots, or text beside the root, and
// the part written back from such a document is one no spreadsheet program opens.
bool loadXmlPart(pugi::xml_document& doc, const std::string& xml, unsigned options);

// Cuts UTF-8 text to at most `units` UTF-16 code units, the measure spreadsheet programs count
// cell text in, without splitting a character.
std::string_view cutToUnits(std::string_view text, size_t units);

}  // namespace bp::launcher
