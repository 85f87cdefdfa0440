#include "platform/TextCodec.h"

#include <array>
#include <cstdint>

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

void appendUtf8(std::string& out, char32_t cp) {
    auto put = [&out](std::uint32_t value) { out += static_cast<char>(value); };
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
}

// The code point of the well-formed sequence at `at`, advancing `at`; nothing when malformed.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& at) {
    auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0x80                    ? 1
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || at + length > text.size()) {
        return std::nullopt;
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    at += length;
    return cp;
}

}  // namespace

bool TextCodec::isUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        if (!nextCodePoint(bytes, at)) {
            return false;
        }
    }
    return true;
}

TextEncoding TextCodec::detect(std::string_view bytes) {
    return isUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::string TextCodec::fromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        appendUtf8(out, codePointOf(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::optional<std::string> TextCodec::toWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        auto cp = nextCodePoint(utf8, at);
        if (!cp) {
            return std::nullopt;
        }
        auto byte = byteOf(*cp);
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
