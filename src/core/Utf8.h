#pragma once
// UTF-8 as the program holds all text: one strict decoder, so every layer agrees on what is
// well-formed (no overlong forms, no surrogates, nothing past U+10FFFF, no sequence cut short).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bp::core::utf8 {

struct Decoded {
    char32_t codePoint;
    std::size_t length;  // bytes of the sequence
};

// The well-formed sequence starting at text[at]; nothing when it is malformed.
std::optional<Decoded> decodeAt(std::string_view text, std::size_t at);
bool isValid(std::string_view text);
void append(std::string& out, char32_t codePoint);

}  // namespace bp::core::utf8
