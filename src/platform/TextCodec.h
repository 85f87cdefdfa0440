#pragma once
// The two encodings text files reach the program in: UTF-8, which the program writes, and the
// single-byte Windows-1252 code page, which the files users bring from Windows hold. A file
// that is not valid UTF-8 is Windows-1252: every byte of it means a character there.

#include <optional>
#include <string>
#include <string_view>

namespace bp::platform {

enum class TextEncoding { Utf8, Windows1252 };

class TextCodec {
public:
    // Well-formed UTF-8: no stray continuation byte, no overlong form, no surrogate, nothing
    // past U+10FFFF.
    static bool isUtf8(std::string_view bytes);
    // The encoding a file's bytes are read in: UTF-8 when they are valid UTF-8.
    static TextEncoding detect(std::string_view bytes);
    // Windows-1252 bytes as UTF-8; the five bytes the code page leaves unassigned keep their
    // own code points, so nothing read is lost.
    static std::string fromWindows1252(std::string_view bytes);
    // UTF-8 text as Windows-1252; nothing when a character has no place in the code page.
    static std::optional<std::string> toWindows1252(std::string_view utf8);
    // The bytes as UTF-8, decoded from the encoding they were detected in.
    static std::string toUtf8(std::string_view bytes, TextEncoding encoding);
};

}  // namespace bp::platform
