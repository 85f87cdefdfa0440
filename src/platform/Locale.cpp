#include "platform/Locale.h"

#include <cstdlib>
#include <mutex>
#include <unordered_map>

#include "platform/DateText.h"
#include "platform/LocaleData.h"
#include "platform/NumberText.h"
#include "platform/RegionalSettings.h"

namespace bp::platform {

namespace {

// "de_DE.UTF-8@euro" -> "de_DE"; the C locale reads as en_US.
std::string normalizedName(std::string_view raw) {
    raw = raw.substr(0, raw.find_first_of(".@"));
    if (raw.empty() || raw == "C" || raw == "POSIX") {
        return "en_US";
    }
    std::string name(raw);
    for (char& c : name) {
        if (c == '-') {
            c = '_';
        }
    }
    return name;
}

// Reading a locale from the system costs far more than a conversion, and the filter converts
// millions of field texts: each locale is read once, and each thread remembers the one it used
// last.
std::shared_ptr<const Locale::Data> dataFor(const std::string& name) {
    thread_local std::string lastName;
    thread_local std::shared_ptr<const Locale::Data> last;
    if (last && name == lastName) {
        return last;
    }
    static std::mutex mutex;
    static std::unordered_map<std::string, std::shared_ptr<const Locale::Data>> cache;
    std::lock_guard lock(mutex);
    auto& entry = cache[name];
    if (!entry) {
        entry = std::make_shared<const Locale::Data>(RegionalSettings::system().read(name));
    }
    lastName = name;
    last = entry;
    return entry;
}

}  // namespace

std::string Locale::currentName() {
    // Tests and servers choose a locale whatever the system's.
    if (const char* own = std::getenv("BRINDLEPATH_LOCALE"); own != nullptr && *own != '\0') {
        return normalizedName(own);
    }
    return normalizedName(RegionalSettings::system().userLocaleName());
}

Locale Locale::current() {
    return Locale(dataFor(currentName()));
}

Locale::Locale(std::string_view name) : data_(dataFor(normalizedName(name))) {}

const std::string& Locale::name() const {
    return data_->name;
}
const std::string& Locale::decimalSeparator() const {
    return data_->decimal;
}
const std::string& Locale::groupSeparator() const {
    return data_->group;
}
const std::string& Locale::shortDateFormat() const {
    return data_->shortDate;
}
const std::string& Locale::timeFormat() const {
    return data_->time;
}

std::string Locale::GetLocaleString(int item) const {
    const Data& d = *data_;
    switch (item) {
        case kLocaleSList:
            return d.listSeparator;
        case kLocaleSDecimal:
            return d.decimal;
        case kLocaleSThousand:
            return d.group;
        case kLocaleSCurrency:
            return d.currency;
        case kLocaleSDate:
            return d.dateSeparator;
        case kLocaleSTime:
            return d.timeSeparator;
        case kLocaleSShortDate:
            return d.shortDate;
        case kLocaleSLongDate:
            return d.longDate;
        case kLocaleS1159:
            return d.am;
        case kLocaleS2359:
            return d.pm;
        case kLocaleSPositiveSign:
            return d.positiveSign;
        case kLocaleSNegativeSign:
            return d.negativeSign;
        case kLocaleSIso639LangName:
            return d.name.substr(0, d.name.find('_'));
        case kLocaleSIso3166CtryName:
            return d.name.find('_') == std::string::npos ? "" : d.name.substr(d.name.find('_') + 1);
        case kLocaleSName:
            return d.bcp47;
        case kLocaleSEngLanguage:
            return d.language;
        case kLocaleSEngCountry:
            return d.country;
        case kLocaleSTimeFormat:
            return d.time;
        default:
            return "";
    }
}

std::string Locale::formatDate(const DateTime& value) const {
    return DateText::format(*data_, data_->shortDate, value);
}

std::string Locale::formatDateTime(const DateTime& value) const {
    return formatDate(value) + " " + DateText::format(*data_, data_->time, value);
}

std::string Locale::formatDateValue(const DateTime& value) const {
    bool midnight = value.hour == 0 && value.minute == 0 && value.second == 0;
    return midnight ? formatDate(value) : formatDateTime(value);
}

std::optional<DateTime> Locale::parseDateTime(std::string_view text) const {
    return DateText::parse(*data_, text);
}

std::optional<double> Locale::parseNumber(std::string_view text) const {
    return NumberText::parse(*data_, text);
}

std::string GetLocaleString(int item) {
    return Locale::current().GetLocaleString(item);
}

}  // namespace bp::platform
