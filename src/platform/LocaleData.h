#pragma once
// What one locale's conversions need, read from the regional settings once per locale name
// and shared by every Locale object of that name.

#include <array>
#include <string>

#include "platform/Locale.h"

namespace bp::platform {

struct Locale::Data {
    enum class DatePart { Day, Month, Year };

    std::string name;           // "de_DE"
    std::string bcp47;          // "de-DE"
    std::string decimal;        // ","
    std::string group;          // "."
    std::string listSeparator;  // ";"
    std::string currency;       // "€"
    std::string positiveSign;   // "+"
    std::string negativeSign;   // "-"
    std::string am;             // "AM"
    std::string pm;             // "PM"
    std::string shortDate;      // "dd.MM.yyyy"
    std::string longDate;       // "dddd, d. MMMM yyyy"
    std::string time;           // "HH:mm:ss"
    std::string dateSeparator;  // "."
    std::string timeSeparator;  // ":"
    std::string language;       // "German"
    std::string country;        // "Germany"
    std::array<DatePart, 3> dateOrder{DatePart::Month, DatePart::Day, DatePart::Year};
    std::array<std::string, 12> monthNames;
    std::array<std::string, 12> monthShortNames;
    std::array<std::string, 7> dayNames;  // Monday first, as Qt numbers them
    std::array<std::string, 7> dayShortNames;
};

}  // namespace bp::platform
