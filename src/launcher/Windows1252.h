#pragma once
// Text the report builder reads from the settings store. Definitions saved by earlier versions
// of the program are in the Windows-1252 code page, so a caption like "Größe" can arrive as
// single bytes; such text is decoded here, before it can reach a workbook.

#include <string>
#include <string_view>

namespace bp::launcher {

// UTF-8 text as it is; anything else read as Windows-1252 and given as UTF-8.
std::string utf8FromStored(std::string_view text);

// Every byte as its Windows-1252 character, in UTF-8. The five bytes the code page leaves
// undefined keep their own code points (U+0081, ...), as Windows itself maps them.
std::string fromWindows1252(std::string_view text);

}  // namespace bp::launcher
