#pragma once
// How the data file spells numbers and dates: the program writes them in the user's regional
// form ("1250,50" and "14.03.2026" under de_DE), so the builder reads them the same way.

#include <optional>
#include <string_view>

#include "platform/Locale.h"

namespace bp::launcher {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

class Regional {
public:
    Regional() = default;
    Regional(char decimalSeparator, char groupSeparator, DateOrder order)
        : decimal_(decimalSeparator), group_(groupSeparator), order_(order) {}

    // The separators and the order of day, month and year of the user's regional settings.
    static Regional fromLocale(const platform::Locale& locale);

    char decimalSeparator() const { return decimal_; }
    DateOrder dateOrder() const { return order_; }

    // A plain number in the regional form; the program's own "1250.50" form is understood
    // too when it cannot be mistaken for digit grouping. Anything else is not a number.
    std::optional<double> toNumber(std::string_view text) const;
    // A short date ("3/14/2026") as a spreadsheet day number (days since 1899-12-30).
    std::optional<double> toDateSerial(std::string_view text) const;

    // Days since 1899-12-30 for a valid calendar date.
    static std::optional<double> dateSerial(int year, int month, int day);

private:
    char decimal_ = '.';
    char group_ = ',';
    DateOrder order_ = DateOrder::MonthDayYear;
};

}  // namespace bp::launcher
