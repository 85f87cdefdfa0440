#include "platform/QtRegionalSettings.h"

#include <QLocale>
#include <QString>
#include <algorithm>

namespace bp::platform {

namespace {

std::string text(const QString& value) {
    std::string out = value.toStdString();
    // Newer locale data puts no-break spaces into time formats; the host writes plain ones.
    for (std::string_view space : {"\u202F", "\u00A0"}) {
        for (std::size_t at = out.find(space); at != std::string::npos; at = out.find(space)) {
            out.replace(at, space.size(), " ");
        }
    }
    return out;
}

// Qt's pattern letters to the Windows ones: "AP"/"ap"/"A"/"a" become "tt", the time zone
// ("t") is dropped, text in quotes is kept.
std::string windowsPattern(const std::string& qt) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < qt.size(); ++i) {
        char c = qt[i];
        if (c == '\'') {
            quoted = !quoted;
            out += c;
        } else if (quoted) {
            out += c;
        } else if (c == 'A' || c == 'a') {
            out += "tt";
            if (i + 1 < qt.size() && (qt[i + 1] == 'P' || qt[i + 1] == 'p')) {
                ++i;
            }
        } else if (c == 't') {
            while (!out.empty() && out.back() == ' ') {
                out.pop_back();
            }
        } else {
            out += c;
        }
    }
    return out;
}

// The short date with a four-digit year, as the Windows program writes dates.
std::string widenYear(std::string pattern) {
    std::size_t at = pattern.find('y');
    if (at == std::string::npos) {
        return pattern;
    }
    std::size_t end = pattern.find_first_not_of('y', at);
    pattern.replace(at, (end == std::string::npos ? pattern.size() : end) - at, "yyyy");
    return pattern;
}

// The short time with seconds: the host writes "9:30:00 AM".
std::string withSeconds(std::string pattern, const std::string& separator) {
    if (pattern.find('s') != std::string::npos) {
        return pattern;
    }
    std::size_t at = pattern.find('m');
    if (at == std::string::npos) {
        return pattern;
    }
    std::size_t end = pattern.find_first_not_of('m', at);
    pattern.insert(end == std::string::npos ? pattern.size() : end, separator + "ss");
    return pattern;
}

std::string firstSeparator(const std::string& pattern, const std::string& letters,
                           const char* fallback) {
    std::size_t start = pattern.find_first_of(letters);
    if (start == std::string::npos) {
        return fallback;
    }
    std::size_t sep = pattern.find_first_not_of(letters, start);
    return sep == std::string::npos ? fallback : pattern.substr(sep, 1);
}

std::array<Locale::Data::DatePart, 3> orderOf(const std::string& pattern) {
    using Part = Locale::Data::DatePart;
    std::array<Part, 3> order{};
    std::size_t n = 0;
    for (char c : pattern) {
        Part part = c == 'd' ? Part::Day : c == 'M' ? Part::Month : Part::Year;
        if ((c == 'd' || c == 'M' || c == 'y') &&
            std::find(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n), part) ==
                order.begin() + static_cast<std::ptrdiff_t>(n)) {
            order[n++] = part;
            if (n == 3) {
                return order;
            }
        }
    }
    return {Part::Month, Part::Day, Part::Year};
}

void fillNames(Locale::Data& data, const QLocale& locale) {
    for (int i = 0; i < 12; ++i) {
        data.monthNames[i] = text(locale.monthName(i + 1, QLocale::LongFormat));
        data.monthShortNames[i] = text(locale.monthName(i + 1, QLocale::ShortFormat));
    }
    for (int i = 0; i < 7; ++i) {
        data.dayNames[i] = text(locale.dayName(i + 1, QLocale::LongFormat));
        data.dayShortNames[i] = text(locale.dayName(i + 1, QLocale::ShortFormat));
    }
}

}  // namespace

const RegionalSettings& RegionalSettings::system() {
    static const QtRegionalSettings settings;
    return settings;
}

Locale::Data QtRegionalSettings::read(const std::string& name) const {
    QLocale locale(QString::fromStdString(name));
    if (locale.language() == QLocale::C) {
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    }
    Locale::Data data;
    data.name = text(locale.name());
    data.bcp47 = text(locale.bcp47Name());
    data.decimal = text(locale.decimalPoint());
    data.group = text(locale.groupSeparator());
    data.listSeparator = data.decimal == "," ? ";" : ",";
    data.currency = text(locale.currencySymbol());
    data.positiveSign = text(locale.positiveSign());
    data.negativeSign = text(locale.negativeSign());
    data.am = text(locale.amText());
    data.pm = text(locale.pmText());
    data.shortDate = widenYear(windowsPattern(text(locale.dateFormat(QLocale::ShortFormat))));
    data.longDate = windowsPattern(text(locale.dateFormat(QLocale::LongFormat)));
    std::string shortTime = windowsPattern(text(locale.timeFormat(QLocale::ShortFormat)));
    data.timeSeparator = firstSeparator(shortTime, "hHm", ":");
    data.time = withSeconds(shortTime, data.timeSeparator);
    data.dateSeparator = firstSeparator(data.shortDate, "dMy", "/");
    data.language = text(QLocale::languageToString(locale.language()));
    data.country = text(QLocale::territoryToString(locale.territory()));
    data.dateOrder = orderOf(data.shortDate);
    fillNames(data, locale);
    return data;
}

}  // namespace bp::platform
