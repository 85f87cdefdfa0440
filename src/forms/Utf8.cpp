#include "forms/Utf8.h"

#include <algorithm>

#include "core/Utf8.h"

namespace bp::forms::utf8 {
namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length in bytes of the sequence starting at `text[i]`, never past the end.
std::size_t sequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t want = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    if (lead >= 0x80 && (lead >> 6) == 0x2) {
        want = 1;
    }
    std::size_t n = 1;
    while (n < want && i + n < text.size() &&
           isContinuation(static_cast<unsigned char>(text[i + n]))) {
        ++n;
    }
    return n;
}

}  // namespace

int length(std::string_view text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); i += sequenceLength(text, i)) {
        ++count;
    }
    return count;
}

std::size_t offset(std::string_view text, int index) {
    std::size_t i = 0;
    for (int n = 0; n < index && i < text.size(); ++n) {
        i += sequenceLength(text, i);
    }
    return i;
}

std::string encode(int cp) {
    std::string out;
    core::utf8::append(out, static_cast<char32_t>(cp));
    return out;
}

std::vector<int> decode(std::string_view text) {
    std::vector<int> out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        const auto lead = static_cast<unsigned char>(text[i]);
        int cp = n == 1 ? lead : lead & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out.push_back(cp);
        i += n;
    }
    return out;
}

}  // namespace bp::forms::utf8
