#include "launcher/Regional.h"

#include <array>
#include <charconv>
#include <string>

namespace bp::launcher {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Digits with optional grouping: "1,250,000" is valid, "12,50" is not.
std::optional<std::string> ungroup(std::string_view digits, char group) {
    std::string out;
    size_t sinceGroup = 0;
    bool grouped = false;
    for (char c : digits) {
        if (c == group) {
            if (out.empty() || (grouped && sinceGroup != 3))
                return std::nullopt;
            grouped = true;
            sinceGroup = 0;
        } else if (isDigit(c)) {
            out += c;
            ++sinceGroup;
        } else {
            return std::nullopt;
        }
    }
    if (out.empty() || (grouped && sinceGroup != 3))
        return std::nullopt;
    return out;
}

std::optional<double> parsePlain(const std::string& text) {
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Splits "14.03.2026" into its three numbers; any non-digit separates.
std::optional<std::array<int, 3>> dateParts(std::string_view text) {
    std::array<int, 3> parts{};
    size_t count = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            ++i;
            continue;
        }
        if (count == 3)
            return std::nullopt;
        int value = 0;
        size_t digits = 0;
        while (i < text.size() && isDigit(text[i]) && digits < 5) {
            value = value * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        parts[count++] = value;
    }
    if (count != 3)
        return std::nullopt;
    return parts;
}

}  // namespace

Regional Regional::fromLocale(const platform::Locale& locale) {
    // Separators outside ASCII (a no-break space) never match a byte of the text; such a
    // grouping simply makes a number text.
    auto single = [](const std::string& s, char fallback) {
        return s.size() == 1 ? s[0] : fallback;
    };
    char decimal = single(locale.decimalSeparator(), '.');
    char group = single(locale.groupSeparator(), '\x01');
    const std::string& pattern = locale.shortDateFormat();
    size_t day = pattern.find('d');
    size_t month = pattern.find('M');
    size_t year = pattern.find('y');
    DateOrder order = DateOrder::MonthDayYear;
    if (year < month && year < day)
        order = DateOrder::YearMonthDay;
    else if (day < month)
        order = DateOrder::DayMonthYear;
    return Regional(decimal, group, order);
}

std::optional<double> Regional::toNumber(std::string_view text) const {
    text = trim(text);
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
        if (text.empty())
            return std::nullopt;
    }
    char decimal = decimal_;
    size_t point = text.find(decimal);
    if (point == std::string_view::npos && decimal != '.') {
        // The program writes some values with a '.' whatever the region ("1250.50");
        // only three digits after a single '.' read as grouping there.
        size_t dot = text.find('.');
        if (dot != std::string_view::npos && text.find('.', dot + 1) == std::string_view::npos &&
            text.size() - dot - 1 != 3) {
            decimal = '.';
            point = dot;
        }
    }
    std::string_view whole = text.substr(0, point);
    std::string plain;
    if (!whole.empty()) {
        auto digits = ungroup(whole, decimal == '.' && group_ == '.' ? ',' : group_);
        if (!digits)
            return std::nullopt;
        plain = *digits;
    } else {
        plain = "0";
    }
    if (point != std::string_view::npos) {
        std::string_view fraction = text.substr(point + 1);
        if (fraction.empty() && whole.empty())
            return std::nullopt;
        for (char c : fraction) {
            if (!isDigit(c))
                return std::nullopt;
        }
        plain += '.';
        plain += fraction;
        plain += '0';
    }
    auto value = parsePlain(plain);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

std::optional<double> Regional::toDateSerial(std::string_view text) const {
    auto parts = dateParts(trim(text));
    if (!parts)
        return std::nullopt;
    auto [a, b, c] = *parts;
    int year = c, month = a, day = b;
    if (order_ == DateOrder::DayMonthYear) {
        day = a;
        month = b;
    } else if (order_ == DateOrder::YearMonthDay) {
        year = a;
        month = b;
        day = c;
    }
    if (year < 100)
        year += year < 30 ? 2000 : 1900;  // the regional two-digit year window
    return dateSerial(year, month, day);
}

std::optional<double> Regional::dateSerial(int year, int month, int day) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = kDays[static_cast<size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
    if (day > last)
        return std::nullopt;
    // Days from civil (proleptic Gregorian), then shifted to the spreadsheet epoch.
    int y = month <= 2 ? year - 1 : year;
    int era = y / 400;
    int yoe = y - era * 400;
    int mp = (month + 9) % 12;
    int doy = (153 * mp + 2) / 5 + day - 1;
    int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    long days = static_cast<long>(era) * 146097 + doe - 719468;  // days since 1970-01-01
    return static_cast<double>(days + 25569);
}

}  // namespace bp::launcher
