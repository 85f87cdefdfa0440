#pragma once
// Numbers typed the regional way, read as the Windows program reads them: leading and
// trailing blanks ignored, group separators ignored wherever they stand before the decimal
// symbol, one decimal symbol, an optional sign and exponent.

#include <optional>
#include <string_view>

#include "platform/LocaleData.h"

namespace bp::platform {

class NumberText {
public:
    static std::optional<double> parse(const Locale::Data& locale, std::string_view text);
};

}  // namespace bp::platform
