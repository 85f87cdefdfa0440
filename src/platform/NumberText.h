#pragma once
// The program's one reader of numbers in text. Two rules share it:
// - typed the regional way, read as the Windows program reads them: leading and trailing
//   blanks ignored, group separators ignored wherever they stand before the decimal symbol,
//   one decimal symbol, an optional sign and exponent;
// - written, as the data file and the definitions hold them: the same, but groups only of
//   three digits and no exponent, so a text such as "12,50" under en_US is no number.

#include <optional>
#include <string_view>

#include "platform/LocaleData.h"

namespace bp::platform {

struct NumberForm {
    enum class Grouping { AsTyped, Thousands };

    std::string_view decimal = ".";
    std::string_view group;  // none when empty
    Grouping grouping = Grouping::AsTyped;
};

class NumberText {
public:
    // Typed under the locale's regional settings.
    static std::optional<double> parse(const Locale::Data& locale, std::string_view text);
    // In the given form; infinity when the number is too large for a double.
    static std::optional<double> parse(const NumberForm& form, std::string_view text);
};

}  // namespace bp::platform
