#pragma once
// The user's regional settings: decimal symbol, date and time formats, and the conversions
// of numbers and dates to and from text that the host's data and the date pickers need.
//
// The name comes from $BRINDLEPATH_LOCALE, else the environment (LC_ALL, LC_NUMERIC, LANG);
// "C" and "POSIX" act as en_US. Values come from the system's regional settings. `current()` reads
// the environment afresh at every call, so a change between runs takes effect; the locale data
// itself is built once per name and shared.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/DateTime.h"

namespace bp::platform {

// Item numbers of the Windows regional settings that GetLocaleString answers.
enum LocaleItem : int {
    kLocaleSList = 0x0C,
    kLocaleSDecimal = 0x0E,
    kLocaleSThousand = 0x0F,
    kLocaleSCurrency = 0x14,
    kLocaleSDate = 0x1D,
    kLocaleSTime = 0x1E,
    kLocaleSShortDate = 0x1F,
    kLocaleSLongDate = 0x20,
    kLocaleS1159 = 0x28,
    kLocaleS2359 = 0x29,
    kLocaleSPositiveSign = 0x50,
    kLocaleSNegativeSign = 0x51,
    kLocaleSIso639LangName = 0x59,
    kLocaleSIso3166CtryName = 0x5A,
    kLocaleSName = 0x5C,
    kLocaleSEngLanguage = 0x1001,
    kLocaleSEngCountry = 0x1002,
    kLocaleSTimeFormat = 0x1003,
};

class Locale {
public:
    struct Data;

    static Locale current();
    // The name `current()` would use now, e.g. "de_DE".
    static std::string currentName();
    // "de_DE", "de_DE.UTF-8", "de-DE", "C"; a name the system does not know acts as en_US.
    explicit Locale(std::string_view name);

    const std::string& name() const;
    const std::string& decimalSeparator() const;
    const std::string& groupSeparator() const;
    // The regional setting for a Windows item number (LocaleItem); "" for an unknown item.
    std::string GetLocaleString(int item) const;
    // Patterns in the Windows notation: "M/d/yyyy", "h:mm:ss tt".
    const std::string& shortDateFormat() const;
    const std::string& timeFormat() const;

    // "3/14/2026" (en_US), "14.03.2026" (de_DE)
    std::string formatDate(const DateTime& value) const;
    // As the host writes dates: "3/14/2026 9:30:00 AM", "14.03.2026 09:30:00"
    std::string formatDateTime(const DateTime& value) const;
    // A date value turned to text as the Windows program does: without the time at midnight.
    std::string formatDateValue(const DateTime& value) const;
    // Regional date, date-and-time or time text (also ISO "2026-03-14 09:30:00");
    // nothing when the text is no valid date.
    std::optional<DateTime> parseDateTime(std::string_view text) const;
    // A number typed the regional way: group separators ignored, the decimal symbol of the
    // locale, an optional sign and exponent; nothing when the text is no number, infinity
    // when it is too large for one.
    std::optional<double> parseNumber(std::string_view text) const;

private:
    explicit Locale(std::shared_ptr<const Data> data) : data_(std::move(data)) {}
    std::shared_ptr<const Data> data_;
};

// The regional setting of the user's current locale, or of a given one.
std::string GetLocaleString(int item);
std::string GetLocaleString(const Locale& locale, int item);

}  // namespace bp::platform
