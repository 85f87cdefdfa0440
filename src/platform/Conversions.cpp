#include "platform/Conversions.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/CaseFold.h"
#include "core/Trim.h"
#include "platform/Error.h"

namespace bp::platform {

namespace {

[[noreturn]] void typeMismatch(bp::SourceLine where) {
    raise(kErrTypeMismatch, "Type mismatch", where);
}

double numberOf(std::string_view text, const Locale& locale, bp::SourceLine where) {
    std::optional<double> number = locale.parseNumber(text);
    if (!number) {
        typeMismatch(where);
    }
    if (std::isinf(*number)) {
        raise(kErrOverflow, "Overflow", where);
    }
    return *number;
}

template <typename Int>
Int toInteger(double value, bp::SourceLine where) {
    double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<Int>::min() &&
          rounded <= std::numeric_limits<Int>::max())) {
        raise(kErrOverflow, "Overflow", where);
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double roundHalfEven(double value) {
    double whole = std::floor(value);
    double fraction = value - whole;
    if (fraction > 0.5) {
        return whole + 1;
    }
    if (fraction < 0.5) {
        return whole;
    }
    return std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
}

using Where = bp::SourceLine;

std::int16_t CInt(std::string_view text, Where where) {
    return CInt(text, Locale::current(), where);
}
std::int16_t CInt(std::string_view text, const Locale& locale, Where where) {
    return CInt(CDbl(text, locale, where), where);
}
std::int16_t CInt(double value, Where where) {
    return toInteger<std::int16_t>(value, where);
}

std::int32_t CLng(std::string_view text, Where where) {
    return CLng(text, Locale::current(), where);
}
std::int32_t CLng(std::string_view text, const Locale& locale, Where where) {
    return CLng(CDbl(text, locale, where), where);
}
std::int32_t CLng(double value, Where where) {
    return toInteger<std::int32_t>(value, where);
}

bool CBool(std::string_view text, Where where) {
    return CBool(text, Locale::current(), where);
}
bool CBool(std::string_view text, const Locale& locale, Where where) {
    std::string_view word = core::trimmed(text);
    if (core::equalNoCase(word, "true")) {
        return true;
    }
    if (core::equalNoCase(word, "false")) {
        return false;
    }
    return numberOf(text, locale, where) != 0;
}

double CDbl(std::string_view text, Where where) {
    return CDbl(text, Locale::current(), where);
}
double CDbl(std::string_view text, const Locale& locale, Where where) {
    return numberOf(text, locale, where);
}

double CDblHost(std::string_view text, const Locale& locale, Where where) {
    const std::string& decimal = locale.decimalSeparator();
    if (decimal == ".") {
        return CDbl(text, locale, where);
    }
    std::string regional;
    for (char c : text) {
        if (c == '.') {
            regional += decimal;
        } else {
            regional += c;
        }
    }
    return CDbl(regional, locale, where);
}

DateTime CDate(std::string_view text, Where where) {
    return CDate(text, Locale::current(), where);
}
DateTime CDate(std::string_view text, const Locale& locale, Where where) {
    std::optional<DateTime> value = locale.parseDateTime(text);
    if (!value) {
        typeMismatch(where);
    }
    return *value;
}

std::string formatYyyymmdd(const DateTime& value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", value.year, value.month, value.day);
    return text;
}

}  // namespace bp::platform
