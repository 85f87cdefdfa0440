#include "launcher/Regional.h"

#include <array>
#include <cmath>
#include <string>

#include "core/Trim.h"
#include "platform/NumberText.h"

namespace bp::launcher {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
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
        if (count == 3) {
            return std::nullopt;
        }
        int value = 0;
        size_t digits = 0;
        while (i < text.size() && isDigit(text[i]) && digits < 5) {
            value = value * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        parts[count++] = value;
    }
    if (count != 3) {
        return std::nullopt;
    }
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
    if (year < month && year < day) {
        order = DateOrder::YearMonthDay;
    } else if (day < month) {
        order = DateOrder::DayMonthYear;
    }
    return Regional(decimal, group, order);
}

std::optional<double> Regional::toNumber(std::string_view text) const {
    using Grouping = platform::NumberForm::Grouping;
    text = core::trimmed(text);
    std::string_view decimal(&decimal_, 1);
    std::string_view group(&group_, 1);
    if (decimal_ != '.' && text.find(decimal_) == std::string_view::npos) {
        // The program writes some values with a '.' whatever the region ("1250.50");
        // only three digits after a single '.' read as grouping there.
        std::size_t dot = text.find('.');
        if (dot != std::string_view::npos && text.find('.', dot + 1) == std::string_view::npos &&
            text.size() - dot - 1 != 3) {
            decimal = ".";
            group = ",";
        }
    }
    auto value = platform::NumberText::parse({decimal, group, Grouping::Thousands}, text);
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> Regional::toDateSerial(std::string_view text) const {
    auto parts = dateParts(core::trimmed(text));
    if (!parts) {
        return std::nullopt;
    }
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
    if (year < 100) {
        year += year < 30 ? 2000 : 1900;  // the regional two-digit year window
    }
    return dateSerial(year, month, day);
}

std::optional<double> Regional::dateSerial(int year, int month, int day) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return std::nullopt;
    }
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = kDays[static_cast<size_t>(month - 1)] + (month == 2 && leap ? 1 : 0);
    if (day > last) {
        return std::nullopt;
    }
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
