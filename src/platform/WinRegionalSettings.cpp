#include "platform/WinRegionalSettings.h"

#include <windows.h>

#include "platform/LocalePatterns.h"
#include "platform/WinText.h"

namespace bp::platform {

namespace {

std::string info(const std::wstring& locale, LCTYPE item) {
    wchar_t buffer[256];
    int length = ::GetLocaleInfoEx(locale.c_str(), item, buffer, 256);
    return length > 1 ? plainSpaces(toUtf8(std::wstring_view(buffer, length - 1))) : std::string();
}

// "de_DE" -> "de-DE"; a name Windows does not know reads as en-US.
std::wstring windowsName(const std::string& name) {
    std::wstring wide = toWide(name);
    for (wchar_t& c : wide) {
        if (c == L'_') {
            c = L'-';
        }
    }
    return !wide.empty() && ::IsValidLocaleName(wide.c_str()) ? wide : L"en-US";
}

void fillNames(Locale::Data& data, const std::wstring& locale) {
    for (int i = 0; i < 12; ++i) {
        data.monthNames[i] = info(locale, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + i));
        data.monthShortNames[i] = info(locale, static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + i));
    }
    // Windows, like the rest of the program, counts days from Monday.
    for (int i = 0; i < 7; ++i) {
        data.dayNames[i] = info(locale, static_cast<LCTYPE>(LOCALE_SDAYNAME1 + i));
        data.dayShortNames[i] = info(locale, static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + i));
    }
}

}  // namespace

const RegionalSettings& RegionalSettings::system() {
    static const WinRegionalSettings settings;
    return settings;
}

std::string WinRegionalSettings::userLocaleName() const {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    int length = ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    return length > 1 ? toUtf8(std::wstring_view(name, length - 1)) : std::string();
}

Locale::Data WinRegionalSettings::read(const std::string& name) const {
    std::wstring locale = windowsName(name);
    Locale::Data data;
    data.bcp47 = info(locale, LOCALE_SNAME);
    data.name = data.bcp47;
    for (char& c : data.name) {
        c = c == '-' ? '_' : c;
    }
    data.decimal = info(locale, LOCALE_SDECIMAL);
    data.group = info(locale, LOCALE_STHOUSAND);
    data.listSeparator = info(locale, LOCALE_SLIST);
    data.currency = info(locale, LOCALE_SCURRENCY);
    // Windows leaves the positive sign empty where a number is written without one.
    std::string positive = info(locale, LOCALE_SPOSITIVESIGN);
    data.positiveSign = positive.empty() ? "+" : positive;
    data.negativeSign = info(locale, LOCALE_SNEGATIVESIGN);
    data.am = info(locale, LOCALE_S1159);
    data.pm = info(locale, LOCALE_S2359);
    data.shortDate = widenYear(info(locale, LOCALE_SSHORTDATE));
    data.longDate = info(locale, LOCALE_SLONGDATE);
    std::string time = info(locale, LOCALE_STIMEFORMAT);
    data.timeSeparator = firstSeparator(time, "hHm", ":");
    data.time = withSeconds(time, data.timeSeparator);
    data.dateSeparator = firstSeparator(data.shortDate, "dMy", "/");
    data.language = info(locale, LOCALE_SENGLISHLANGUAGENAME);
    data.country = info(locale, LOCALE_SENGLISHCOUNTRYNAME);
    data.dateOrder = orderOf(data.shortDate);
    fillNames(data, locale);
    return data;
}

}  // namespace bp::platform
