// Dates and numbers typed or written the regional way, under a handful of locales whose
// separators and date orders differ (the first byte picks one, the rest is the text). Whatever
// the text: no crash; a date that reads is a valid date and reads the same once written in
// the locale's own form; a number that reads reads the same once written back with the
// locale's decimal symbol; the data file's stricter number form never accepts what the typed
// form reads differently; and the report builder's readers give whole, valid day numbers.

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "launcher/Regional.h"
#include "platform/Locale.h"
#include "platform/NumberText.h"

namespace {

using bp::platform::Locale;
using bp::platform::NumberForm;
using bp::platform::NumberText;

// US, day-first with dots, a narrow no-break space for groups, year first, and two whose time
// or grouping differ again.
constexpr std::array kLocales{"en_US", "de_DE", "fr_FR", "ja_JP", "fi_FI", "de_CH", "en_GB"};

void checkDate(const Locale& locale, std::string_view text) {
    const auto value = locale.parseDateTime(text);
    if (!value) {
        return;
    }
    BP_FUZZ_CHECK(value->valid());
    const std::string written = locale.formatDateTime(*value);
    const auto reread = locale.parseDateTime(written);
    BP_FUZZ_CHECK(reread && *reread == *value);
}

void checkNumber(const Locale& locale, std::string_view text) {
    const auto value = locale.parseNumber(text);
    if (!value || !std::isfinite(*value)) {
        return;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", *value);
    std::string written = buffer;
    if (auto dot = written.find('.'); dot != std::string::npos) {
        written.replace(dot, 1, locale.decimalSeparator());
    }
    const auto reread = locale.parseNumber(written);
    BP_FUZZ_CHECK(reread && *reread == *value);
}

void checkWrittenForm(const Locale& locale, std::string_view text) {
    const NumberForm written{locale.decimalSeparator(), locale.groupSeparator(),
                             NumberForm::Grouping::Thousands};
    const NumberForm typed{locale.decimalSeparator(), locale.groupSeparator(),
                           NumberForm::Grouping::AsTyped};
    const auto strict = NumberText::parse(written, text);
    if (strict) {
        const auto loose = NumberText::parse(typed, text);
        BP_FUZZ_CHECK(loose && (*loose == *strict || (std::isnan(*loose) && std::isnan(*strict))));
    }
}

void checkBuilderForms(const Locale& locale, std::string_view text) {
    const auto regional = bp::launcher::Regional::fromLocale(locale);
    (void)regional.toNumber(text);
    const auto serial = regional.toDateSerial(text);
    if (serial) {
        BP_FUZZ_CHECK(*serial == std::floor(*serial));
        BP_FUZZ_CHECK(*serial >= *bp::launcher::Regional::dateSerial(1, 1, 1));
        BP_FUZZ_CHECK(*serial <= *bp::launcher::Regional::dateSerial(9999, 12, 31));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Regional texts are a cell or a typed field; longer ones only slow the search down.
    if (size == 0 || size > 256) {
        return 0;
    }
    static const auto locales = [] {
        std::vector<Locale> all;
        for (const char* name : kLocales) {
            all.emplace_back(name);
        }
        return all;
    }();
    const Locale& locale = locales[data[0] % locales.size()];
    const std::string_view text = bp::fuzz::bytes(data + 1, size - 1);
    checkDate(locale, text);
    checkNumber(locale, text);
    checkWrittenForm(locale, text);
    checkBuilderForms(locale, text);
    return 0;
}
