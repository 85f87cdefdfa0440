#include "core/CaseFold.h"

#include <algorithm>
#include <array>
#include <optional>

namespace bp::core {
namespace {

struct Folding {
    char32_t from;
    char32_t to;
};

constexpr Folding kFoldings[] = {
#include "CaseFoldingTable.inc"
};

char32_t folded(char32_t cp) {
    if (cp < 0x80) {
        return cp >= 'A' && cp <= 'Z' ? cp - 'A' + 'a' : cp;
    }
    const auto* end = std::end(kFoldings);
    const auto* at = std::lower_bound(std::begin(kFoldings), end, cp,
                                      [](const Folding& f, char32_t c) { return f.from < c; });
    return at != end && at->from == cp ? at->to : cp;
}

// The well-formed sequence at `at` and its length; nothing when malformed.
std::optional<std::pair<char32_t, std::size_t>> decodeAt(std::string_view text, std::size_t at) {
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
    return std::pair{cp, length};
}

void append(std::string& out, char32_t cp) {
    auto put = [&out](char32_t value) { out += static_cast<char>(value); };
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

}  // namespace

std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        auto decoded = decodeAt(text, at);
        if (!decoded) {
            out += text[at++];
            continue;
        }
        append(out, folded(decoded->first));
        at += decoded->second;
    }
    return out;
}

// Lists sort thousands of mostly ASCII names: those compare without folding a copy.
int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) {
            int order = foldCase(a.substr(i)).compare(foldCase(b.substr(i)));
            return order < 0 ? -1 : order > 0 ? 1 : 0;
        }
        char32_t fx = folded(x);
        char32_t fy = folded(y);
        if (fx != fy) {
            return fx < fy ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) == 0;
}

}  // namespace bp::core
