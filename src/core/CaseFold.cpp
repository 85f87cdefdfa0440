#include "core/CaseFold.h"

#include <algorithm>

#include "core/Utf8.h"

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

}  // namespace

std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        auto decoded = utf8::decodeAt(text, at);
        if (!decoded) {
            out += text[at++];
            continue;
        }
        utf8::append(out, folded(decoded->codePoint));
        at += decoded->length;
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
