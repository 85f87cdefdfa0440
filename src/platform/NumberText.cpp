#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace bp::platform {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Locales whose group separator is a no-break space are typed with a plain one too.
bool atGroupSeparator(const Locale::Data& locale, std::string_view rest, std::size_t& length) {
    if (!locale.group.empty() && rest.starts_with(locale.group)) {
        length = locale.group.size();
        return true;
    }
    bool spaceGroup = locale.group == "\u00A0" || locale.group == "\u202F";
    if (spaceGroup && !rest.empty() && rest.front() == ' ') {
        length = 1;
        return true;
    }
    return false;
}

// Copies the exponent ("E-3") to `out`; false when it is malformed.
bool takeExponent(std::string_view rest, std::string& out) {
    out += 'e';
    std::size_t i = 1;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) {
        out += rest[i++];
    }
    if (i == rest.size()) {
        return false;
    }
    for (; i < rest.size(); ++i) {
        if (!isDigit(rest[i])) {
            return false;
        }
        out += rest[i];
    }
    return true;
}

// Too small a number reads as 0; too large a one as infinity, which the conversions report
// as an overflow, as the Windows program did.
double outOfRange(const std::string& plain) {
    bool negative = plain.front() == '-';
    std::size_t exponent = plain.find('e');
    bool tiny =
        exponent != std::string::npos && exponent + 1 < plain.size() && plain[exponent + 1] == '-';
    std::size_t firstDigit = negative ? 1 : 0;
    std::size_t point = plain.find_first_of(".e", firstDigit);
    std::string_view whole(plain.data() + firstDigit,
                           (point == std::string::npos ? plain.size() : point) - firstDigit);
    tiny = tiny || whole.find_first_not_of('0') == std::string_view::npos;
    if (tiny) {
        return negative ? -0.0 : 0.0;
    }
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
}

}  // namespace

std::optional<double> NumberText::parse(const Locale::Data& locale, std::string_view text) {
    text = trimmed(text);
    std::string plain;  // the number in C notation, for from_chars
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') {
            plain += '-';
        }
        text.remove_prefix(1);
    }
    bool digits = false;
    bool decimal = false;
    for (std::size_t i = 0; i < text.size();) {
        std::string_view rest = text.substr(i);
        std::size_t length = 0;
        if (isDigit(rest.front())) {
            plain += rest.front();
            digits = true;
            ++i;
        } else if (!decimal && rest.starts_with(locale.decimal)) {
            plain += '.';
            decimal = true;
            i += locale.decimal.size();
        } else if (!decimal && digits && atGroupSeparator(locale, rest, length)) {
            i += length;
        } else if (digits && (rest.front() == 'e' || rest.front() == 'E')) {
            if (!takeExponent(rest, plain)) {
                return std::nullopt;
            }
            break;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (end != plain.data() + plain.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        return outOfRange(plain);
    }
    return error == std::errc{} ? std::optional<double>(value) : std::nullopt;
}

}  // namespace bp::platform
