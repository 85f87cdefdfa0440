#include "platform/TextCodec.h"

#include <array>

#include "core/Utf8.h"

namespace bp::platform {
namespace {

// Code points of bytes 0x80-0x9F; the unassigned ones (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 control of the same number, as the system's conversion does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char32_t{byte};
}

std::optional<unsigned char> byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<unsigned char>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

bool TextCodec::isUtf8(std::string_view bytes) {
    return core::utf8::isValid(bytes);
}

TextEncoding TextCodec::detect(std::string_view bytes) {
    return isUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::string TextCodec::fromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        core::utf8::append(out, codePointOf(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::optional<std::string> TextCodec::toWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        auto decoded = core::utf8::decodeAt(utf8, at);
        if (!decoded) {
            return std::nullopt;
        }
        at += decoded->length;
        auto byte = byteOf(decoded->codePoint);
        if (!byte) {
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string TextCodec::toUtf8(std::string_view bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? std::string(bytes) : fromWindows1252(bytes);
}

}  // namespace bp::platform
