#pragma once
// Where the user's regional settings come from: the system's locale database, asked once per
// locale name. Each platform has one implementation (QtRegionalSettings on Linux; a Windows
// build answers from the system's own settings), and nothing else in the program knows which.

#include <string>
#include <string_view>

#include "platform/LocaleData.h"

namespace bp::platform {

class RegionalSettings {
public:
    virtual ~RegionalSettings() = default;

    // Every value of the named locale ("de_DE"); a name the database lacks reads as en_US.
    virtual Locale::Data read(const std::string& name) const = 0;
    // The user's own locale as the system names it ("de_DE.UTF-8", "de-DE"); empty for none.
    virtual std::string userLocaleName() const = 0;

    // The implementation of the platform the program runs on.
    static const RegionalSettings& system();
};

}  // namespace bp::platform
