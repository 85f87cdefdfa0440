#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "core/Trim.h"

namespace bp::platform {

namespace {

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Locales whose group separator is a no-break space are typed with a plain one too.
bool atGroupSeparator(const NumberForm& form, std::string_view rest, std::size_t& length) {
    if (!form.group.empty() && rest.starts_with(form.group)) {
        length = form.group.size();
        return true;
    }
    bool spaceGroup = form.group == "\u00A0" || form.group == "\u202F";
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
        if (!isAsciiDigit(rest[i])) {
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

// Digits since the last group separator: a written number groups only whole thousands.
class GroupCheck {
public:
    explicit GroupCheck(bool strict) : strict_(strict) {}
    void digit() { ++sinceGroup_; }
    bool separator() {
        bool ok = !strict_ || (grouped_ ? sinceGroup_ == 3 : sinceGroup_ > 0);
        grouped_ = true;
        sinceGroup_ = 0;
        return ok;
    }
    bool wholeDone() const { return !strict_ || !grouped_ || sinceGroup_ == 3; }

private:
    bool strict_;
    bool grouped_ = false;
    int sinceGroup_ = 0;
};

std::optional<double> toDouble(const std::string& plain) {
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

}  // namespace

std::optional<double> NumberText::parse(const Locale::Data& locale, std::string_view text) {
    return parse(NumberForm{locale.decimal, locale.group, NumberForm::Grouping::AsTyped}, text);
}

std::optional<double> NumberText::parse(const NumberForm& form, std::string_view text) {
    text = core::trimmed(text);
    bool strict = form.grouping == NumberForm::Grouping::Thousands;
    std::string plain;  // the number in C notation, for from_chars
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') {
            plain += '-';
        }
        text.remove_prefix(1);
    }
    bool digits = false;
    bool decimal = false;
    GroupCheck groups(strict);
    for (std::size_t i = 0; i < text.size();) {
        std::string_view rest = text.substr(i);
        std::size_t length = 0;
        if (isAsciiDigit(rest.front())) {
            plain += rest.front();
            digits = true;
            if (!decimal) {
                groups.digit();
            }
            ++i;
        } else if (!decimal && rest.starts_with(form.decimal)) {
            if (!groups.wholeDone()) {
                return std::nullopt;
            }
            plain += '.';
            decimal = true;
            i += form.decimal.size();
        } else if (!decimal && digits && atGroupSeparator(form, rest, length)) {
            if (!groups.separator()) {
                return std::nullopt;
            }
            i += length;
        } else if (!strict && digits && (rest.front() == 'e' || rest.front() == 'E')) {
            if (!takeExponent(rest, plain)) {
                return std::nullopt;
            }
            break;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || (!decimal && !groups.wholeDone())) {
        return std::nullopt;
    }
    return toDouble(plain);
}

}  // namespace bp::platform
