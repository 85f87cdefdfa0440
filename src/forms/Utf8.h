#pragma once
// Small UTF-8 helpers for controls that count characters rather than bytes.

#include <string>
#include <string_view>
#include <vector>

namespace bp::forms::utf8 {

// Number of code points; malformed bytes count one each.
int length(std::string_view text);
// Byte offset of code point `index` (clamped to the end).
std::size_t offset(std::string_view text, int index);
std::string encode(int codePoint);
std::vector<int> decode(std::string_view text);

}  // namespace bp::forms::utf8
