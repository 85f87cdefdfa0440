#include "platform/QtRegionalSettings.h"

#include "platform/LocalePatterns.h"

#include <QLocale>
#include <QString>
#include <cstdlib>

namespace bp::platform {

namespace {

std::string text(const QString& value) {
    return plainSpaces(value.toStdString());
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

std::string QtRegionalSettings::userLocaleName() const {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
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
