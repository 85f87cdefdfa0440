#pragma once
// A calendar date and time of day, as the date pickers hold it and the locale formats it.
// Plain value type: no time zone, the user's wall clock.

#include <chrono>
#include <compare>
#include <ctime>

#include "core/LocalTime.h"

namespace bp::core {

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const DateTime&) const = default;

    std::chrono::year_month_day date() const {
        return std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
               std::chrono::day{static_cast<unsigned>(day)};
    }
    // chrono keeps a month and a day in a byte each: the ranges come first, or a 520th month
    // would pass as August. Years have the four digits the dates of the host can hold.
    bool valid() const {
        return month >= 1 && month <= 12 && day >= 1 && day <= 31 && year >= 1 && year <= 9999 &&
               date().ok() && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 &&
               second < 60;
    }
    static DateTime now() {
        std::tm local = localTime(std::time(nullptr));
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour,        local.tm_min,     local.tm_sec};
    }
};

}  // namespace bp::core

namespace bp {
// The one date-and-time value of the program: every layer names it without its folder.
using core::DateTime;
}  // namespace bp
