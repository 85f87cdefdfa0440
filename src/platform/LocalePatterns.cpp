#include "platform/LocalePatterns.h"

#include <algorithm>

namespace bp::platform {

std::string plainSpaces(std::string out) {
    // Newer locale data puts no-break spaces into time formats; the host writes plain ones.
    for (std::string_view space : {"\u202F", "\u00A0"}) {
        for (std::size_t at = out.find(space); at != std::string::npos; at = out.find(space)) {
            out.replace(at, space.size(), " ");
        }
    }
    return out;
}

// The short date with a four-digit year, as the Windows program writes dates.
std::string widenYear(std::string pattern) {
    std::size_t at = pattern.find('y');
    if (at == std::string::npos) {
        return pattern;
    }
    std::size_t end = pattern.find_first_not_of('y', at);
    pattern.replace(at, (end == std::string::npos ? pattern.size() : end) - at, "yyyy");
    return pattern;
}

// The short time with seconds: the host writes "9:30:00 AM".
std::string withSeconds(std::string pattern, const std::string& separator) {
    if (pattern.find('s') != std::string::npos) {
        return pattern;
    }
    std::size_t at = pattern.find('m');
    if (at == std::string::npos) {
        return pattern;
    }
    std::size_t end = pattern.find_first_not_of('m', at);
    pattern.insert(end == std::string::npos ? pattern.size() : end, separator + "ss");
    return pattern;
}

std::string firstSeparator(const std::string& pattern, const std::string& letters,
                           const char* fallback) {
    std::size_t start = pattern.find_first_of(letters);
    if (start == std::string::npos) {
        return fallback;
    }
    std::size_t sep = pattern.find_first_not_of(letters, start);
    return sep == std::string::npos ? fallback : pattern.substr(sep, 1);
}

std::array<Locale::Data::DatePart, 3> orderOf(const std::string& pattern) {
    using Part = Locale::Data::DatePart;
    std::array<Part, 3> order{};
    std::size_t n = 0;
    for (char c : pattern) {
        Part part = c == 'd' ? Part::Day : c == 'M' ? Part::Month : Part::Year;
        if ((c == 'd' || c == 'M' || c == 'y') &&
            std::find(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n), part) ==
                order.begin() + static_cast<std::ptrdiff_t>(n)) {
            order[n++] = part;
            if (n == 3) {
                return order;
            }
        }
    }
    return {Part::Month, Part::Day, Part::Year};
}

}  // namespace bp::platform
